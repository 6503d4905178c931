// tonel-web over virtual processors: every endpoint and the live socket, the frames the device
// gets, the refusals that change nothing, a line pulled away and back.

#include "device/WireProtocol.h"
#include "model/ParameterCatalog.h"
#include "tests/device/EmulatorProgram.h"
#include "tests/web/ServiceRig.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

namespace tonel::testing {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;
using web::LinkState;

json bodyJson(const std::string& response) { return json::parse(bodyOf(response), nullptr, false); }

std::uint8_t byteOf(const emulator::VirtualProcessor& device, const char* name)
{
    return device.image()[findParameter(name)->offset];
}

// The next message of `type` from a live client, skipping others.
json nextOfType(LiveTestClient& client, const std::string& type)
{
    for (int i = 0; i < 20; ++i) {
        const std::optional<std::string> text = client.next();
        if (!text)
            break;
        json message = json::parse(*text, nullptr, false);
        if (message.value("type", "") == type)
            return message;
    }
    return nullptr;
}

class WebService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.waitFor("lobby", LinkState::Connected));
        ASSERT_TRUE(rig.waitFor("room01", LinkState::Connected));
    }
    ServiceRig rig;
};

TEST_F(WebService, ListsTheProcessorsAndShowsEveryParameter)
{
    const json list = bodyJson(rig.request("GET", "/api/processors"));
    ASSERT_EQ(list["processors"].size(), 2u);
    EXPECT_EQ(list["processors"][1]["name"], "room01");
    EXPECT_EQ(list["processors"][1]["port"], rig.room.terminalPath());
    EXPECT_EQ(list["processors"][1]["state"], "connected");
    EXPECT_TRUE(list["processors"][1]["lastRead"].is_string());

    const json room = bodyJson(rig.request("GET", "/api/processors/room01"));
    ASSERT_EQ(room["parameters"].size(), kImageSize);
    EXPECT_EQ(room["effectProgram"], 1);
    const json& gain = room["parameters"][findParameter("room.eq1.gain")->offset];
    EXPECT_EQ(gain["unit"], "dB");
    EXPECT_EQ(gain["raw"], byteOf(rig.room, "room.eq1.gain"));
    const std::string catalogAnswer = rig.request("GET", "/api/parameters");
    const json catalog = bodyJson(catalogAnswer);
    ASSERT_EQ(catalog.size(), kImageSize);
    // A browser holding the catalog asks again with its tag and is told it still holds it.
    const std::string held = "If-None-Match: " + headerOf(catalogAnswer, "ETag").value_or("none") + "\r\n";
    EXPECT_EQ(statusOf(rig.request("GET", "/api/parameters", {}, held)), 304);
    EXPECT_EQ(statusOf(rig.request("GET", "/api/parameters", {}, "If-None-Match: \"0\"\r\n")), 200);
    EXPECT_EQ(catalog[findParameter("mic.eq3.freq")->offset]["page"], "microphone");
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors/nobody")), 404);

    const json system = bodyJson(rig.request("GET", "/api/processors/room01/curves?page=system"));
    ASSERT_EQ(system["curves"].size(), 3u);
    EXPECT_EQ(system["curves"][0]["colour"], "#ffff00");
    EXPECT_EQ(system["curves"][0]["points"].size(), 121u);
    EXPECT_EQ(system["curves"][2]["handles"][1]["label"], "S2");
    EXPECT_EQ(system["crossover"]["points"].size(), 121u);
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors/room01/curves?page=mixer")), 400);
    EXPECT_EQ(bodyOf(rig.request("GET", "/healthz")), "ok\n");
    EXPECT_NE(bodyOf(rig.request("GET", "/metrics")).find("tonel_processor_up{name=\"room01\""), std::string::npos);
}

TEST_F(WebService, ChangesReachTheDeviceAsThePanelsFrames)
{
    const std::string response = rig.request("PATCH", "/api/processors/room01/parameters",
                                             R"({"room.eq3.freq": "1.55k", "mic.main_level": 30})");
    ASSERT_EQ(statusOf(response), 200) << response;
    const json body = bodyJson(response);
    EXPECT_EQ(body["stored"]["room.eq3.freq"], "1.5kHz");
    EXPECT_EQ(body["notes"][0], "room.eq3.freq 1.55k → 1.5kHz");
    ASSERT_TRUE(rig.room.waitForReceived(4, 2s));
    const std::vector<std::string> frames = rig.room.receivedFrames();
    EXPECT_EQ(std::vector<std::string>(frames.begin() + 2, frames.end()),
              (std::vector<std::string>{"(01$008302001076024046)", "(01$005000030)"}));

    EXPECT_EQ(statusOf(rig.request("POST", "/api/processors/room01/mode", R"({"mode": "full"})")), 200);
    EXPECT_EQ(statusOf(rig.request("POST", "/api/processors/room01/store")), 200);
    EXPECT_EQ(statusOf(rig.request("POST", "/api/processors/room01/read")), 200);
    ASSERT_TRUE(rig.room.waitForReceived(7, 2s));
    EXPECT_EQ(rig.room.receivedFrames()[4], "(01O1)");
    EXPECT_EQ(rig.room.receivedFrames()[5], "(01S)");
    EXPECT_EQ(rig.room.receivedFrames()[6], "(01Q)");
}

struct Refusal {
    const char* what;
    const char* method;
    const char* target;
    std::string body;
    const char* headers;
    int status;
    const char* says;
};

class WebServiceRefuses : public WebService, public ::testing::WithParamInterface<Refusal> {};

TEST_P(WebServiceRefuses, ClearlyAndChangesNothing)
{
    const Refusal& r = GetParam();
    const std::size_t framesBefore = rig.room.receivedFrames().size();
    const ImageBytes before = rig.room.image();
    const std::string response = rig.request(r.method, r.target, r.body, r.headers);
    EXPECT_EQ(statusOf(response), r.status) << r.what << "\n" << response;
    EXPECT_NE(bodyOf(response).find(r.says), std::string::npos) << r.what << "\n" << bodyOf(response);
    const json after = bodyJson(rig.request("GET", "/api/processors/room01"));
    EXPECT_EQ(after["parameters"][findParameter("mic.main_level")->offset]["raw"], before[findParameter("mic.main_level")->offset]);
    EXPECT_EQ(rig.room.receivedFrames().size(), framesBefore) << r.what;
}

constexpr const char* kJson = "Content-Type: application/json\r\n";
constexpr const char* kPatch = "/api/processors/room01/parameters";

INSTANTIATE_TEST_SUITE_P(
    Requests, WebServiceRefuses,
    ::testing::Values(
        Refusal{"unknown name", "PATCH", kPatch, R"({"mic.mainlevel": 30, "mic.max_level": 40})", kJson, 400,
                "did you mean mic.main_level"},
        Refusal{"bad value", "PATCH", kPatch, R"({"room.eq1.gain": "-10.2", "mic.main_level": 30})", kJson, 400,
                "-10.5dB or -10dB"},
        Refusal{"value of no kind", "PATCH", kPatch, R"({"mic.main_level": [30]})", kJson, 400, "a number or a text"},
        Refusal{"not JSON", "PATCH", kPatch, R"({"mic.main_level": 30)", kJson, 400, "not JSON"},
        Refusal{"not said to be JSON", "PATCH", kPatch, R"({"mic.main_level": 30})", "", 415, "application/json"},
        Refusal{"nothing to change", "PATCH", kPatch, "{}", kJson, 400, "expected an object"},
        Refusal{"oversized", "PATCH", kPatch, "{\"a\": \"" + std::string(70000, 'x') + "\"}", kJson, 413,
                "larger than 65536"},
        Refusal{"wrong method", "GET", kPatch, "", kJson, 405, "use PATCH"},
        Refusal{"bad mode", "POST", "/api/processors/room01/mode", R"({"mode": "expert"})", kJson, 400, "easy"},
        Refusal{"short image", "PUT", "/api/processors/room01/image.cfg", std::string(100, '\0'),
                "Content-Type: application/octet-stream\r\n", 400, "188 bytes, not 100"},
        Refusal{"image out of range", "PUT", "/api/processors/room01/image.cfg", std::string(188, '\xff'),
                "Content-Type: application/octet-stream\r\n", 400, "outside their ranges"}));

TEST_F(WebService, DownloadsAndUploadsTheImage)
{
    const std::string download = rig.request("GET", "/api/processors/room01/image.cfg");
    const ImageBytes device = rig.room.image();
    EXPECT_EQ(bodyOf(download), std::string(device.begin(), device.end()));
    EXPECT_EQ(headerOf(download, "Content-Disposition"), "attachment; filename=\"room01.cfg\"");

    ParameterImage edited;
    edited.replaceAll(device);
    edited.set(findParameter("mic.main_level")->offset, 12);
    const auto& bytes = edited.bytes();
    const std::string upload = rig.request("PUT", "/api/processors/room01/image.cfg", std::string(bytes.begin(), bytes.end()),
                                           "Content-Type: application/octet-stream\r\n");
    ASSERT_EQ(statusOf(upload), 200) << upload;
    EXPECT_EQ(rig.room.receivedFrames().back(), wire::uploadFrame(edited));
    EXPECT_EQ(byteOf(rig.room, "mic.main_level"), 12);
}

TEST_F(WebService, EveryClientSeesEveryChange)
{
    LiveTestClient first(rig.port(), "/api/processors/room01/live");
    LiveTestClient second(rig.port(), "/api/processors/room01/live");
    EXPECT_EQ(nextOfType(first, "image")["parameters"].size(), kImageSize);
    EXPECT_EQ(nextOfType(second, "image")["parameters"].size(), kImageSize);

    first.send(R"({"set": {"mic.main_level": 33}, "id": 7})");
    const json stored = nextOfType(first, "stored");
    EXPECT_EQ(stored["id"], 7);
    const json seen = nextOfType(second, "changed");
    ASSERT_EQ(seen["parameters"].size(), 1u);
    EXPECT_EQ(seen["parameters"][0]["name"], "mic.main_level");
    EXPECT_EQ(seen["parameters"][0]["raw"], 33);

    ASSERT_EQ(statusOf(rig.request("PATCH", kPatch, R"({"music.main_level": 20})")), 200);
    EXPECT_EQ(nextOfType(first, "changed")["parameters"][0]["name"], "music.main_level");
    EXPECT_EQ(nextOfType(second, "changed")["parameters"][0]["name"], "music.main_level");

    second.send("not json");
    EXPECT_EQ(nextOfType(second, "error")["error"], "expected {\"set\": {\"name\": value, …}}");
}

TEST_F(WebService, AProcessorPulledAwayGoesOfflineWithItsReasonAndComesBack)
{
    LiveTestClient client(rig.port(), "/api/processors/room01/live");
    ASSERT_EQ(nextOfType(client, "image")["state"], "connected");
    const std::uint16_t port = rig.room.listeningPort();
    rig.room.stop();
    const json offline = nextOfType(client, "state");
    EXPECT_EQ(offline["state"], "offline");
    EXPECT_FALSE(offline["reason"].get<std::string>().empty());
    const std::string refused = rig.request("PATCH", kPatch, R"({"mic.main_level": 30})");
    EXPECT_EQ(statusOf(refused), 409);
    EXPECT_NE(bodyOf(refused).find("room01 is"), std::string::npos) << bodyOf(refused);

    ASSERT_TRUE(rig.room.listen("127.0.0.1:" + std::to_string(port), false));
    ASSERT_TRUE(rig.waitFor("room01", LinkState::Connected));
    EXPECT_EQ(nextOfType(client, "image")["state"], "connected");
    ASSERT_TRUE(rig.room.waitForReceived(4, 2s));
    EXPECT_EQ(rig.room.receivedFrames(),
              (std::vector<std::string>{"(01hello)", "(01Q)", "(01hello)", "(01Q)"}));  // greeted and read again
}

TEST_F(WebService, SaysGoodbyeToEveryProcessorWhenItFinishes)
{
    rig.onLoop([&] { rig.hub().finish([] {}); });
    for (emulator::VirtualProcessor* device : {&rig.lobby, &rig.room})
        EXPECT_TRUE(device->waitUntil([](auto&, auto& log) { return !log.empty() && log.back().text == "(01bye)"; }, 2s));
}

TEST(WebServiceAccess, RefusesWithoutTheTokenAndPagesOfOtherSites)
{
    const std::string token = "venue-token-0123456789";
    const std::filesystem::path panel = std::filesystem::temp_directory_path() / "tonel-service-panel";
    std::filesystem::create_directories(panel);
    std::ofstream(panel / "index.html") << "<form id=login>";
    ServiceRig rig(token, panel.string());
    ASSERT_TRUE(rig.waitFor("room01", LinkState::Connected));
    const std::size_t framesBefore = rig.room.receivedFrames().size();
    const std::string bearer = "Authorization: Bearer " + token + "\r\n";
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors", {}, "")), 401);
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors", {}, "Authorization: Bearer wrong\r\n")), 401);
    EXPECT_EQ(statusOf(rig.request("PATCH", kPatch, R"({"mic.main_level": 30})")), 401);
    EXPECT_EQ(statusOf(rig.request("GET", "/metrics", {}, "")), 401);
    EXPECT_EQ(statusOf(rig.request("GET", "/healthz", {}, "")), 200);
    // The panel itself loads without the token, to ask for it.
    const std::string page = rig.request("GET", "/", {}, "");
    EXPECT_EQ(bodyOf(page), "<form id=login>");
    EXPECT_EQ(statusOf(rig.request("GET", "/", {}, "If-None-Match: " + *headerOf(page, "ETag") + "\r\n")), 304);
    std::ofstream(panel / "index.html") << "<form id=login><input id=token>";
    EXPECT_EQ(bodyOf(rig.request("GET", "/", {}, "If-None-Match: " + *headerOf(page, "ETag") + "\r\n")),
              "<form id=login><input id=token>");
    EXPECT_EQ(statusOf(rig.request("GET", "/api/parameters", {}, "")), 401);
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors", {}, bearer)), 200);
    const std::string signIn = rig.request("GET", "/?token=" + token, {}, "");
    EXPECT_EQ(statusOf(signIn), 303);
    const std::string cookie = "Cookie: " + headerOf(signIn, "Set-Cookie")->substr(0, headerOf(signIn, "Set-Cookie")->find(';')) + "\r\n";
    EXPECT_EQ(statusOf(rig.request("GET", "/api/processors", {}, cookie)), 200);

    EXPECT_THROW(LiveTestClient(rig.port(), "/api/processors/room01/live"), std::runtime_error);
    try {
        LiveTestClient(rig.port(), "/api/processors/room01/live", bearer + "Origin: http://evil.example\r\n");
        ADD_FAILURE() << "a foreign page followed the processor";
    } catch (const std::runtime_error& refusal) {
        EXPECT_STREQ(refusal.what(), "403");
    }
    LiveTestClient allowed(rig.port(), "/api/processors/room01/live",
                           bearer + "Origin: http://127.0.0.1:" + std::to_string(rig.port()) + "\r\n");
    EXPECT_TRUE(allowed.next());
    EXPECT_EQ(rig.room.receivedFrames().size(), framesBefore);
}

TEST(WebServiceProgram, StopsOnSigtermAfterSayingGoodbye)
{
    emulator::VirtualProcessor device;
    ASSERT_TRUE(device.start());
    EmulatorChild web({"--listen", "127.0.0.1:0", "--port", "lobby=" + device.terminalPath()},
                      builtProgram("web/server/tonel-web"));
    ASSERT_TRUE(web.started());
    EXPECT_NE(web.lineName().find("serving 1 processor(s) on http://127.0.0.1:"), std::string::npos);
    ASSERT_TRUE(device.waitForReceived(2, 3s));  // greeted and read
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_TRUE(web.stop());
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    EXPECT_EQ(device.receivedFrames().back(), "(01bye)");
}

}  // namespace
}  // namespace tonel::testing

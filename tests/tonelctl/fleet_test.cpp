// tonelctl across a fleet: rooms by name on pseudo-terminals and TCP, each a virtual processor.

#include "device/WireProtocol.h"
#include "emulator/VirtualProcessor.h"
#include "model/ParameterCatalog.h"
#include "model/ParameterFile.h"
#include "tests/device/EmulatorProgram.h"
#include "tests/support/Pty.h"
#include "tests/tonelctl/TonelctlRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <condition_variable>
#include <fstream>
#include <future>
#include <map>
#include <sstream>
#include <thread>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
using emulator::VirtualProcessor;
using Json = nlohmann::json;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
const std::size_t kQ7 = findParameter("room.eq7.q")->offset;

class FleetTest : public ScratchFolderTest {
protected:
    // A virtual processor on a pty or a TCP port, named in the fleet file; room.eq7.q is `mark`.
    std::string room(const std::string& name, bool tcp, std::uint8_t mark = 46)
    {
        ImageBytes image = defaultImageBytes();
        image[kQ7] = mark;
        auto& device = *(rooms_[name] = std::make_unique<VirtualProcessor>(emulator::DeviceFaults{}, image));
        std::string error;
        EXPECT_TRUE(tcp ? device.listen("127.0.0.1:0", false, &error) : device.start()) << error;
        writeFleet(fleetText_ += name + "    " + device.terminalPath() + "\n");
        return device.terminalPath();
    }
    void writeFleet(const std::string& text) { std::ofstream(fleetFile()) << "# name  port\n" << text; }
    std::string fleetFile() const { return path("fleet"); }
    VirtualProcessor& device(const std::string& name) { return *rooms_.at(name); }
    bool untouched(const std::string& name) { return device(name).receivedFrames().empty(); }
    // Until the session's goodbye has arrived.
    bool done(const std::string& name)
    {
        return device(name).waitUntil([](auto&, auto& log) { return !log.empty() && log.back().text == "(01bye)"; }, 2s);
    }

    Outcome tonelctl(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--fleet", fleetFile()});
        return testing::tonelctl(std::move(args));
    }
    std::string saved(const std::string& name, std::uint8_t mark, std::optional<std::uint8_t> limiter = {})
    {
        ParameterImage image;
        image.set(kQ7, mark);
        if (limiter)
            image.set(findParameter("mic.limiter")->offset, *limiter);
        EXPECT_TRUE(saveParameterFile(path(name), image).ok());
        return path(name);
    }

    std::string fleetText_;
    std::map<std::string, std::unique_ptr<VirtualProcessor>> rooms_;
};

TEST_F(FleetTest, FleetListsItsRoomsInFileOrderAndNamesTheFile)
{
    const std::string a = room("room01", true), b = room("lobby", false);
    const Outcome text = tonelctl({"fleet"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out, "room01\t" + a + "\nlobby\t" + b + "\n");
    EXPECT_TRUE(has(text.err, fleetFile() + ": 2 processors")) << text.err;
    const Json json = Json::parse(tonelctl({"fleet", "--json"}).out);
    EXPECT_EQ(json["file"], fleetFile());
    EXPECT_EQ(json["rooms"][1].dump(), R"({"line":3,"name":"lobby","port":")" + b + R"("})");
}

TEST_F(FleetTest, BadFleetsAndUnknownRoomsAreUsageErrorsBeforeAnythingOpens)
{
    const std::string port = room("room01", true);
    saved("x.cfg", 1);
    struct Case {
        std::string fleet;  // replaces the file's text when given
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {"", {"probe", "--port", "room99"}, "no room \"room99\" in " + fleetFile()},
        {"", {"read", "--all", "--port", "room01", "-o", path("x/")}, "excludes"},
        {"room01 " + port + "\nroom01 /dev/ttyS0\n", {"probe", "--all"}, fleetFile() + ":3: room01 is already named at line 2"},
        {"room 01 " + port + "\n", {"read", "--port", "room01", "-o", path("x.cfg")}, fleetFile() + ":2: more than a name"},
        {"room01\n", {"set", "--port", port, "mic.link=0"}, fleetFile() + ":2: room01 has no port"},
        {"caf\xC3\xA9 " + port + "\n", {"write", path("x.cfg"), "--all"}, "is not a room name"},
        {"room01 ftp://x:1\n", {"diff", path("x.cfg"), "--port", "room01"}, "is not a port name"},
        {"\n", {"probe", "--all"}, "names no processors"},
    };
    for (const Case& c : cases) {
        if (!c.fleet.empty())
            writeFleet(c.fleet);
        const Outcome r = tonelctl(c.args);
        EXPECT_EQ(r.code, 2) << c.says;
        EXPECT_TRUE(has(r.err, c.says)) << r.err;
        EXPECT_EQ(r.out, "") << c.says;
    }
    EXPECT_TRUE(untouched("room01"));
    // Found through $TONEL_FLEET, a broken fleet file stops only what needs a room.
    ::setenv("TONEL_FLEET", fleetFile().c_str(), 1);
    writeFleet("room01\n");
    std::ostringstream out, err;
    EXPECT_EQ(ctl::runTonelctl({"probe", "--port", port}, out, err), 0) << err.str();
    EXPECT_EQ(ctl::runTonelctl({"probe", "--port", "room01"}, out, err), 2);
    ::unsetenv("TONEL_FLEET");
    EXPECT_TRUE(has(err.str(), fleetFile() + ":2: room01 has no port")) << err.str();
}

TEST_F(FleetTest, ReadAllBacksUpEachRoomByNameAndWriteTakesTheFolderBack)
{
    room("room01", true, 10);
    room("room02", true, 20);
    const std::string lobby = room("lobby", false, 30);
    const std::string backup = path("backup/");
    const Outcome read = tonelctl({"read", "--all", "-o", backup});
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_TRUE(has(read.out, "room02\tok\tsaved " + backup + "room02.cfg\n")) << read.out;
    ParameterImage image;
    ASSERT_TRUE(loadParameterFile(backup + "lobby.cfg", image).ok());
    EXPECT_EQ(image.get(kQ7), 30);
    // A port given directly keeps the file name of its port.
    ASSERT_EQ(tonelctl({"read", "--port", lobby, "--port", "room01", "-o", path("mixed")}).code, 0);
    EXPECT_TRUE(fs::exists(path("mixed/room01.cfg")) && fs::exists(path("mixed/" + fs::path(lobby).filename().string() + ".cfg")));

    for (const char* name : {"room01", "room02", "lobby"}) {
        ASSERT_TRUE(done(name));
        device(name).setImage(defaultImageBytes());
    }
    fs::copy_file(backup + "lobby.cfg", backup + "attic.cfg");  // a room the fleet does not have
    const Outcome write = tonelctl({"write", backup});
    EXPECT_EQ(write.code, 1);
    EXPECT_TRUE(has(write.err, "attic.cfg: no room \"attic\" in " + fleetFile() + "; not written")) << write.err;
    EXPECT_TRUE(has(write.out, "room01\tok\timage written from " + backup + "room01.cfg\n")) << write.out;
    for (const auto& [name, mark] : std::map<std::string, int>{{"room01", 10}, {"room02", 20}, {"lobby", 30}})
        EXPECT_EQ(device(name).image()[kQ7], mark) << name;
}

TEST_F(FleetTest, WriteSendsOneFileToEveryRoomAndRefusesBytesOutOfRange)
{
    room("room01", true);
    room("lobby", false);
    const std::string wild = saved("wild.cfg", 50, 40);
    const Outcome refused = tonelctl({"write", wild, "--all"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(has(refused.err, wild + ": mic.limiter: 40 is outside 0..25")) << refused.err;
    EXPECT_TRUE(has(refused.err, "--force")) << refused.err;
    EXPECT_TRUE(untouched("room01") && untouched("lobby"));

    ASSERT_EQ(tonelctl({"write", wild, "--port", "lobby", "--force"}).code, 0);
    EXPECT_EQ(device("lobby").image()[findParameter("mic.limiter")->offset], 40);
    ASSERT_EQ(tonelctl({"write", saved("tuned.cfg", 60), "--all"}).code, 0);
    EXPECT_EQ(device("room01").image()[kQ7], 60);
    EXPECT_EQ(device("lobby").image()[kQ7], 60);
}

TEST_F(FleetTest, DiffComparesAFileWithALiveRoomOrTwoRooms)
{
    room("room01", true, 10);
    room("lobby", false, 12);
    const std::string backup = saved("room01.cfg", 10);
    EXPECT_EQ(tonelctl({"diff", backup, "--port", "room01"}).code, 0);
    const Outcome rooms = tonelctl({"diff", "--port", "room01", "--port", "lobby"});
    EXPECT_EQ(rooms.code, 1);
    EXPECT_TRUE(rooms.out.starts_with("room.eq7.q ")) << rooms.out;
    EXPECT_EQ(std::count(rooms.out.begin(), rooms.out.end(), '\n'), 1);
    EXPECT_EQ(tonelctl({"diff", backup, backup, "--port", "room01"}).code, 2);
    EXPECT_EQ(tonelctl({"diff", backup}).code, 2);
    device("lobby").stop();
    const Outcome gone = tonelctl({"diff", backup, "--port", "lobby"});
    EXPECT_EQ(gone.code, 2);
    EXPECT_TRUE(has(gone.err, "lobby (")) << gone.err;
}

TEST_F(FleetTest, DryRunPrintsFramesAndDifferencesAndSendsNothing)
{
    room("room01", true);
    room("lobby", false);
    const std::string tuned = saved("tuned.cfg", 50);
    struct Case {
        std::vector<std::string> args;
        std::string frame;
        std::string difference;
    };
    const Case cases[] = {
        {{"set", "--all", "room.eq3.gain=-3", "--dry-run"}, "(01$008302001069018046)", "room.eq3.gain "},
        {{"write", tuned, "--port", "lobby", "--port", "room01", "--store", "--dry-run"}, "(01S)", "room.eq7.q "},
    };
    std::vector<std::string> sessions;  // each case adds one session of greeting, image query and goodbye
    for (const Case& c : cases) {
        sessions.insert(sessions.end(), {"(01hello)", "(01Q)", "(01bye)"});
        const Outcome r = tonelctl(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        for (const char* name : {"room01", "lobby"}) {
            const std::string head = std::string("# ") + name + ": ";
            const auto at = r.out.find(head);
            ASSERT_NE(at, std::string::npos) << r.out;
            EXPECT_TRUE(has(r.out.substr(at), "\n" + c.frame + "\n" + head + "what they would change")) << r.out;
            EXPECT_TRUE(has(r.out.substr(at), "\n" + c.difference)) << r.out;
            EXPECT_TRUE(has(r.out, std::string(name) + "\tok\tdry run: ")) << r.out;
            ASSERT_TRUE(done(name));
            EXPECT_EQ(device(name).receivedFrames(), sessions);
        }
    }
}

TEST_F(FleetTest, JsonGivesOneObjectPerPortAsALine)
{
    const std::string a = room("room01", true), b = room("lobby", false);
    const std::string direct = room("spare", true);
    struct Case {
        std::vector<std::string> args;
        Json file;
        Json changes;
    };
    const Case cases[] = {
        {{"probe"}, nullptr, nullptr},
        {{"read", "-o", path("json/")}, "", nullptr},
        {{"write", saved("j.cfg", 9)}, path("j.cfg"), nullptr},
        {{"set", "room.eq1.gain=+3", "room.eq2.gain=+3"}, nullptr, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--json", "--port", "room01", "--port", "lobby", "--port", direct});
        const Outcome r = tonelctl(args);
        ASSERT_EQ(r.code, 0) << r.err;
        std::map<std::string, Json> byPort;
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);)
            byPort[Json::parse(line)["port"].get<std::string>()] = Json::parse(line);
        ASSERT_EQ(byPort.size(), 3u) << r.out;
        EXPECT_EQ(byPort[a]["name"], "room01");
        EXPECT_EQ(byPort[b]["name"], "lobby");
        EXPECT_TRUE(byPort[direct]["name"].is_null());
        EXPECT_EQ(byPort[b]["ok"], true);
        EXPECT_EQ(byPort[b]["changes"], c.changes);
        EXPECT_EQ(byPort[b]["file"], c.file == "" ? Json(path("json/lobby.cfg")) : c.file) << r.out;
        EXPECT_EQ(byPort[a].size(), 6u) << byPort[a];  // port, name, ok, detail, file, changes
        for (const char* name : {"room01", "lobby", "spare"})
            ASSERT_TRUE(done(name));
    }
}

// An output the test can watch: what the program has flushed so far.
struct WatchedOutput : std::stringbuf {
    // That text once it holds `part`; nothing when it did not within `timeout`.
    std::optional<std::string> waitFor(const std::string& part, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex);
        return flushed.wait_for(lock, timeout, [&] { return has(seen, part); }) ? std::optional(seen) : std::nullopt;
    }
    int sync() override
    {
        const std::lock_guard lock(mutex);
        seen = str();
        flushed.notify_all();
        return 0;
    }
    std::mutex mutex;
    std::condition_variable flushed;
    std::string seen;
};

TEST_F(FleetTest, EachPortIsReportedAsItFinishes)
{
    room("room01", true);
    // A processor that holds its image back until the test lets it go.
    PtyPair held;
    std::promise<void> release;
    std::thread peer([&, go = release.get_future()] {
        if (held.device().readUntil(")") == "(01hello)" && held.device().writeAll("(01hello13)") &&
            held.device().readUntil(")") == "(01Q)") {
            go.wait();
            held.device().writeAll("(01Q376" + wire::encodeImageHex(ParameterImage{}) + ")");
        }
    });
    WatchedOutput out;
    std::ostream outStream(&out);
    std::ostringstream err;
    std::promise<int> code;
    std::thread program([&] {
        code.set_value(ctl::runTonelctl({"--fleet", fleetFile(), "read", "--port", "room01", "--port",
                                         held.terminalPath(), "-o", path("held/"), "--timeout-ms", "20000", "--json"},
                                        outStream, err));
    });
    const auto early = out.waitFor("\"name\":\"room01\"", 5s);
    release.set_value();
    program.join();
    peer.join();
    ASSERT_TRUE(early) << "room01 was not reported before the held port finished";
    EXPECT_FALSE(has(*early, held.terminalPath())) << *early;
    EXPECT_EQ(code.get_future().get(), 0) << err.str();
    EXPECT_TRUE(has(out.str(), held.terminalPath()));
}

TEST_F(FleetTest, TheReadmesFleetExampleRunsAgainstThreeRooms)
{
    room("room01", true, 10);
    room("room02", true, 20);
    room("lobby", false, 30);
    const fs::path script = fs::path(builtProgram("")) / fs::path(__FILE__).parent_path() / "fleet_example.sh";
    const std::string program = builtProgram("tools/tonelctl/tonelctl");
    ASSERT_TRUE(fs::exists(program)) << program << ": build the tonelctl target first";
    const std::string command = "cd '" + folder_.string() + "' && /bin/bash '" + script.string() + "' '" + program +
                                "' '" + fleetFile() + "' >log 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream log(path("log"));
    const std::string said((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    ASSERT_EQ(status, 0) << said;
    EXPECT_TRUE(has(said, "room02\tok\tsent")) << said;  // tuned by name,
    EXPECT_TRUE(has(said, "room.eq3.gain")) << said;     // seen against the backup,
    // The README shows the script from its first command on, as it is.
    std::ifstream scriptFile(script), readmeFile(script.parent_path() / "../../README.md");
    const std::string text((std::istreambuf_iterator<char>(scriptFile)), std::istreambuf_iterator<char>());
    const std::string readme((std::istreambuf_iterator<char>(readmeFile)), std::istreambuf_iterator<char>());
    ASSERT_NE(text.find("tonelctl=${1"), std::string::npos);
    EXPECT_TRUE(has(readme, text.substr(text.find("tonelctl=${1")))) << "README.md's fleet example differs from the script";
    for (const auto& [name, mark] : std::map<std::string, int>{{"room01", 10}, {"room02", 20}, {"lobby", 30}}) {
        ASSERT_TRUE(done(name));
        EXPECT_EQ(device(name).image(), [&] { ImageBytes i = defaultImageBytes(); i[kQ7] = mark; return i; }()) << name;
    }
}

}  // namespace
}  // namespace tonel::testing

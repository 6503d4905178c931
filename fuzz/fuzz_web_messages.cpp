// Any request into tonel-web's routes, open on loopback and guarded by a token, and any text as a
// live socket's message, over processors that are offline: one answer per request with a status
// the service uses, JSON that parses wherever JSON is said, only the token opens the guarded
// routes, nothing is stored, nothing throws.
//
// A gzip answer must unpack to what it says it is.
//
// Input: the method on the first line, the target on the second, then "Name: value" header lines
// up to an empty line, then the body. The whole input is also the live socket's message.
#include "web/server/ProcessorHub.h"
#include "fuzz/Check.h"
#include "web/server/Gzip.h"
#include "web/server/WebApi.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tonel;
using namespace tonel::web;

constexpr const char* kToken = "fuzz-token-0123456789";

using tonel::fuzz::check;

class RecordingClient : public LiveClient {
public:
    void send(std::string message) override { sent.push_back(std::move(message)); }
    void close(const std::string&) override { closed = true; }
    std::vector<std::string> sent;
    bool closed = false;
};

// Built once: a hub whose processors are never started, so every input finds them offline.
struct Service {
    EventLoop loop;
    ProcessorHub hub{loop, {{"lobby", "/nonexistent/tty", 1}, {"room01", "tcp://127.0.0.1:9", 2}}};
    WebApi open{hub, AccessPolicy(), StaticFiles("/nonexistent"), [] { return std::size_t{0}; }};
    WebApi guarded{hub, AccessPolicy(kToken), StaticFiles("/nonexistent"), [] { return std::size_t{0}; }};
    RecordingClient follower;
    std::unique_ptr<LiveSubscription> following = hub.follow(*hub.find("room01"), follower);
    const ParameterImage pristine = hub.find("room01")->image();
};

Service& service()
{
    static Service instance;
    return instance;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

WebRequest requestOf(std::string_view input)
{
    WebRequest request;
    auto nextLine = [&input] {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        return std::string(line);
    };
    request.method = nextLine();
    request.target = nextLine();
    for (std::string line = nextLine(); !line.empty(); line = nextLine()) {
        const std::size_t colon = line.find(':');
        const std::string name = lower(line.substr(0, colon));
        const std::size_t start = colon == std::string::npos ? line.size() : line.find_first_not_of(' ', colon + 1);
        const std::string value = start == std::string::npos ? std::string() : line.substr(start);
        if (name == "authorization")
            request.authorization = value;
        else if (name == "cookie")
            request.cookie = value;
        else if (name == "host")
            request.host = value;
        else if (name == "origin")
            request.origin = value;
        else if (name == "content-type")
            request.contentType = value;
        else if (name == "accept-encoding")
            request.acceptEncoding = value;
    }
    request.body = std::string(input);
    return request;
}

bool isJsonType(const std::string& type) { return type.starts_with("application/json"); }

void checkResponse(const WebResponse& response, const std::set<int>& allowed)
{
    check(allowed.contains(response.status));
    std::optional<std::string> body = response.body;
    for (const auto& [name, value] : response.headers)
        if (name == "Content-Encoding")
            body = value == "gzip" ? gzipDecompress(response.body, 1 << 24) : std::nullopt;
    check(body.has_value());
    if (isJsonType(response.contentType))
        check(!nlohmann::json::parse(*body, nullptr, false).is_discarded());
}

// One request through one of the service's faces: exactly one answer, of a known kind.
WebResponse answer(WebApi& api, const WebRequest& request)
{
    static const std::set<int> kStatuses{200, 303, 400, 401, 404, 405, 409, 415, 502};
    int calls = 0;
    WebResponse answered;
    api.handle(request, [&](const WebResponse& response) {
        ++calls;
        answered = response;
    });
    check(calls == 1);
    checkResponse(answered, kStatuses);
    // With every processor offline nothing can be stored: a success changes nothing but /healthz.
    if (answered.status == 200 && request.method != "GET")
        check(request.path() == "/healthz");

    RecordingClient client;
    if (std::optional<WebResponse> refusal = api.refuseLive(request)) {
        checkResponse(*refusal, {401, 403, 404});
    } else {
        std::unique_ptr<LiveSubscription> live = api.openLive(request, client);
        check(live != nullptr);
        check(client.sent.size() == 2);  // the processor's state, then its image
    }
    return answered;
}

bool carriesToken(const WebRequest& request)
{
    return request.authorization.find(kToken) != std::string::npos ||
           request.cookie.find(kToken) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    Service& s = service();
    try {
        WebRequest request = requestOf(input);
        request.fromLoopback = true;
        answer(s.open, request);

        request.fromLoopback = false;
        const WebResponse guarded = answer(s.guarded, request);
        // Past the token only with the token: in a header, a cookie, or the sign-in address.
        if (guarded.status != 401 && request.path() != "/healthz")
            check(carriesToken(request) || request.target.find(kToken) != std::string::npos);
        if (guarded.status == 303)
            check(request.query("token") == kToken);

        s.follower.sent.clear();
        s.following->received(input);
        check(s.follower.sent.size() == 1 && !s.follower.closed);
        const nlohmann::json reply = nlohmann::json::parse(s.follower.sent.front(), nullptr, false);
        check(reply.is_object() && reply.value("type", "") == "error");
    } catch (...) {
        std::abort();
    }
    for (const auto& link : s.hub.links())
        check(link->image().bytes() == s.pristine.bytes());
    return 0;
}

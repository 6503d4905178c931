// The HTTP and WebSocket front: limits, refusals and the headers every answer carries, with a
// handler that echoes what it was given.

#include "tests/web/ServerRig.h"
#include "tests/web/WebClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tonel::testing {
namespace {

using web::LiveClient;
using web::LiveSubscription;
using web::WebRequest;
using web::WebResponse;

class EchoHandler : public web::WebHandler {
public:
    void handle(const WebRequest& request, web::Responder respond) override
    {
        respond({200, "text/plain", request.method + " " + request.path() + " " + request.query("q") + " " + request.body, {}});
    }
    std::optional<WebResponse> refuseLive(const WebRequest& request) override
    {
        if (request.path() != "/live")
            return web::errorResponse(404, "no such thing");
        return std::nullopt;
    }
    std::unique_ptr<LiveSubscription> openLive(const WebRequest&, LiveClient& client) override
    {
        struct Echo : LiveSubscription {
            explicit Echo(LiveClient& c) : client(c) {}
            void received(std::string_view message) override { client.send("echo " + std::string(message)); }
            LiveClient& client;
        };
        clients.push_back(&client);
        return std::make_unique<Echo>(client);
    }
    std::vector<LiveClient*> clients;
};

TEST(HttpServer, AnswersWithTheHeadersThatKeepABrowserSafe)
{
    EchoHandler handler;
    ServerRig rig(handler);
    const std::string response = httpRequest(rig.port(), "POST", "/a/b?q=x%20y", {}, "body");
    EXPECT_EQ(statusOf(response), 200);
    EXPECT_EQ(bodyOf(response), "POST /a/b x y body");
    EXPECT_EQ(headerOf(response, "Content-Security-Policy"), "default-src 'self'");
    EXPECT_EQ(headerOf(response, "X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(headerOf(response, "Cache-Control"), "no-store");
}

struct Hostile {
    const char* what;
    std::string request;
    int status;
};

class HttpServerRefuses : public ::testing::TestWithParam<Hostile> {};

TEST_P(HttpServerRefuses, WithAClearStatus)
{
    EchoHandler handler;
    ServerRig rig(handler);
    EXPECT_EQ(statusOf(exchangeRaw(rig.port(), GetParam().request)), GetParam().status) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HttpServerRefuses,
    ::testing::Values(
        Hostile{"header over 8 KiB", "GET / HTTP/1.1\r\nHost: h\r\nX-Big: " + std::string(9000, 'a') + "\r\n\r\n", 431},
        Hostile{"body over 64 KiB",
                "PUT / HTTP/1.1\r\nHost: h\r\nContent-Length: 70000\r\n\r\n" + std::string(70000, 'b'), 413},
        Hostile{"not HTTP", "\x16\x03\x01 hello there\r\n\r\n", 400},
        Hostile{"bad length", "POST / HTTP/1.1\r\nHost: h\r\nContent-Length: -5\r\n\r\n", 400},
        Hostile{"WebSocket to a wrong place",
                "GET /nowhere HTTP/1.1\r\nHost: h\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n",
                404}));

TEST(HttpServer, RefusesClientsBeyondTheLimit)
{
    EchoHandler handler;
    web::ServerLimits limits;
    limits.clients = 2;
    ServerRig rig(handler, limits);
    LiveTestClient first(rig.port(), "/live");
    LiveTestClient second(rig.port(), "/live");
    const std::string third = httpRequest(rig.port(), "GET", "/");
    EXPECT_EQ(statusOf(third), 503);
    EXPECT_EQ(bodyOf(third), R"({"error":"too many clients at once; try again shortly"})");
}

TEST(HttpServer, CarriesWebSocketMessagesBothWays)
{
    EchoHandler handler;
    ServerRig rig(handler);
    LiveTestClient client(rig.port(), "/live");
    client.send("hello");
    EXPECT_EQ(client.next(), "echo hello");
    rig.onLoop([&] { handler.clients.front()->send("pushed"); });
    EXPECT_EQ(client.next(), "pushed");
}

TEST(HttpServer, DropsAWebSocketThatSendsTooLargeAMessage)
{
    EchoHandler handler;
    ServerRig rig(handler);
    LiveTestClient client(rig.port(), "/live");
    client.send(std::string(5000, 'x'));
    EXPECT_TRUE(client.closedByServer());
}

TEST(HttpServer, RefusesMessagesBeyondTheRate)
{
    EchoHandler handler;
    web::ServerLimits limits;
    limits.messagesPerSecond = 2;
    ServerRig rig(handler, limits);
    LiveTestClient client(rig.port(), "/live");
    for (int i = 0; i < 10; ++i)
        client.send("m");
    int refused = 0;
    for (int i = 0; i < 10; ++i)
        refused += client.next() == R"({"error":"too many messages: this one was not taken"})";
    EXPECT_GE(refused, 5);  // ten at once against a bucket of two a second
}

TEST(HttpServer, StopClosesEveryConnection)
{
    EchoHandler handler;
    ServerRig rig(handler);
    LiveTestClient client(rig.port(), "/live");
    EXPECT_EQ(rig.onLoop([&] { return rig.server().connections(); }), 1u);
    rig.onLoop([&] { rig.server().stop(); });
    EXPECT_TRUE(client.closedByServer());
}

}  // namespace
}  // namespace tonel::testing

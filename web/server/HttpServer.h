#pragma once
// The HTTP and WebSocket side of the service: accepts connections, reads requests within limits
// and hands them to a WebHandler as plain values. The HTTP library stays in the .cpp.

#include "web/server/EventLoop.h"
#include "web/server/WebMessage.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tonel::web {

// One browser or script holding a WebSocket. Used on the loop's thread only.
class LiveClient {
public:
    virtual ~LiveClient() = default;
    virtual void send(std::string message) = 0;
    virtual void close(const std::string& reason) = 0;
};

// What a WebSocket is attached to; dropped when the socket ends.
class LiveSubscription {
public:
    virtual ~LiveSubscription() = default;
    virtual void received(std::string_view message) = 0;
};

// Answers a request, at once or when the processor has replied; called exactly once.
using Responder = std::function<void(const WebResponse& response)>;

class WebHandler {
public:
    virtual ~WebHandler() = default;
    virtual void handle(const WebRequest& request, Responder respond) = 0;
    // A WebSocket upgrade: the refusal, or nothing when openLive takes it.
    virtual std::optional<WebResponse> refuseLive(const WebRequest& request) = 0;
    virtual std::unique_ptr<LiveSubscription> openLive(const WebRequest& request, LiveClient& client) = 0;
};

struct ServerLimits {
    std::size_t headerBytes = 8 * 1024;
    std::size_t bodyBytes = 64 * 1024;
    std::size_t messageBytes = 4 * 1024;    // one WebSocket message
    std::size_t clients = 64;               // connections at once, HTTP and WebSocket
    double messagesPerSecond = 50;          // from one WebSocket client, in bursts of as many
    std::size_t pendingMessages = 256;      // to one client; one that does not read is dropped
    std::chrono::milliseconds requestTimeout{15000};  // to send a whole request
    std::chrono::milliseconds idleTimeout{30000};     // a WebSocket silent this long is pinged, then dropped
};

class HttpServer {
public:
    // Listens on `host`:`port` ("0": any free port). Throws std::runtime_error saying why not.
    HttpServer(EventLoop& loop, const std::string& host, const std::string& port, WebHandler& handler,
               ServerLimits limits = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    unsigned short port() const;
    std::size_t connections() const;
    // Stops accepting and closes every connection; on the loop's thread.
    void stop();

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace tonel::web

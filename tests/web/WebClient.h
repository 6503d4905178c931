#pragma once
// Blocking clients for the service's tests: raw HTTP over a socket (so a test can send anything,
// hostile or not) and a WebSocket. Every read has a deadline.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace tonel::testing {

// Sends `bytes` to 127.0.0.1:`port` and returns what comes back until the server closes or
// `deadline` passes.
std::string exchangeRaw(unsigned short port, const std::string& bytes,
                        std::chrono::milliseconds deadline = std::chrono::seconds(5));
// "GET /path HTTP/1.1" with Host and Connection: close, plus `headers` ("Name: value\r\n"…).
std::string httpRequest(unsigned short port, const std::string& method, const std::string& target,
                        const std::string& headers = {}, const std::string& body = {});
int statusOf(const std::string& response);  // 0 when there is no status line
std::string bodyOf(const std::string& response);
std::optional<std::string> headerOf(const std::string& response, const std::string& name);

class LiveTestClient {
public:
    // Connects and upgrades; throws with the server's refusal status text on failure.
    LiveTestClient(unsigned short port, const std::string& target, const std::string& extraHeaders = {});
    ~LiveTestClient();
    void send(const std::string& message);
    // The next message, or nothing when none came within `deadline` or the socket closed.
    std::optional<std::string> next(std::chrono::milliseconds deadline = std::chrono::seconds(3));
    bool closedByServer(std::chrono::milliseconds deadline = std::chrono::seconds(3));

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tonel::testing

#pragma once
// tonel-web in this process over two virtual processors, "lobby" on a pseudo-terminal and "room01"
// on TCP, with the service's loop on a thread of its own and lines retried after 50 ms.

#include "emulator/VirtualProcessor.h"
#include "tests/web/ServerRig.h"
#include "tests/web/WebClient.h"
#include "web/server/ProcessorHub.h"
#include "web/server/WebApi.h"

#include <chrono>
#include <optional>
#include <string>

namespace tonel::testing {

class ServiceRig {
public:
    explicit ServiceRig(std::optional<std::string> token = std::nullopt, std::string panel = "/nonexistent")
    {
        lobby.start();
        room.listen("127.0.0.1:0", false);
        const std::vector<FleetEntry> fleet{{"lobby", lobby.terminalPath(), 1}, {"room01", room.terminalPath(), 2}};
        thread_.onLoop([&] {
            hub_ = std::make_unique<web::ProcessorHub>(thread_.loop(), fleet, ExchangeTiming{},
                                                       web::RetryPause{std::chrono::milliseconds(50),
                                                                       std::chrono::milliseconds(400)});
            api_ = std::make_unique<web::WebApi>(*hub_, token ? web::AccessPolicy(*token) : web::AccessPolicy(),
                                                 web::StaticFiles(panel),
                                                 [this] { return server_->connections(); });
            server_ = std::make_unique<web::HttpServer>(thread_.loop(), "127.0.0.1", "0", *api_);
            port_ = server_->port();
            hub_->start();
        });
    }
    ~ServiceRig()
    {
        thread_.onLoop([this] {
            server_.reset();
            api_.reset();
            hub_.reset();
        });
    }

    unsigned short port() const { return port_; }
    web::ProcessorHub& hub() { return *hub_; }
    template <typename Work>
    auto onLoop(Work work)
    {
        return thread_.onLoop(std::move(work));
    }
    // Waits, checking on the loop, until the processor is in `state`.
    bool waitFor(const std::string& name, web::LinkState state,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            if (onLoop([&] { return hub_->find(name)->state() == state; }))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a poll of a condition, with a deadline
        }
        return false;
    }
    std::string request(const std::string& method, const std::string& target, const std::string& body = {},
                        const std::string& headers = "Content-Type: application/json\r\n")
    {
        return httpRequest(port_, method, target, headers, body);
    }

    emulator::VirtualProcessor lobby;
    emulator::VirtualProcessor room;

private:
    LoopThread thread_;
    std::unique_ptr<web::ProcessorHub> hub_;
    std::unique_ptr<web::WebApi> api_;
    std::unique_ptr<web::HttpServer> server_;
    unsigned short port_ = 0;
};

}  // namespace tonel::testing

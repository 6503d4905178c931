#pragma once
// A service on 127.0.0.1 with any free port, its loop on a thread of its own, and a handler the
// test supplies. Stopped and joined on destruction.

#include "web/server/EventLoop.h"
#include "web/server/HttpServer.h"

#include <future>
#include <memory>
#include <thread>

namespace tonel::testing {

class ServerRig {
public:
    ServerRig(web::WebHandler& handler, web::ServerLimits limits = {})
        : server_(std::make_unique<web::HttpServer>(loop_, "127.0.0.1", "0", handler, limits)),
          thread_([this] { loop_.run(); })
    {
    }
    // Runs `work` on the loop's thread and waits for it.
    template <typename Work>
    auto onLoop(Work work)
    {
        std::packaged_task<decltype(work())()> task(std::move(work));
        auto done = task.get_future();
        loop_.post([&task] { task(); });
        return done.get();
    }


    ~ServerRig()
    {
        onLoop([this] { server_->stop(); });
        loop_.stop();
        thread_.join();
    }
    unsigned short port() const { return server_->port(); }
    web::EventLoop& loop() { return loop_; }
    web::HttpServer& server() { return *server_; }

private:
    web::EventLoop loop_;
    std::unique_ptr<web::HttpServer> server_;
    std::thread thread_;
};

}  // namespace tonel::testing

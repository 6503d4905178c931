#pragma once
// The service's loop on a thread of its own, and a service on 127.0.0.1 with any free port and a
// handler the test supplies. Stopped and joined on destruction.

#include "web/server/EventLoop.h"
#include "web/server/HttpServer.h"

#include <future>
#include <memory>
#include <thread>

namespace tonel::testing {

class LoopThread {
public:
    LoopThread() : thread_([this] { loop_.run(); }) {}
    ~LoopThread()
    {
        loop_.stop();
        thread_.join();
    }
    web::EventLoop& loop() { return loop_; }

    // Runs `work` on the loop's thread and waits for it.
    template <typename Work>
    auto onLoop(Work work)
    {
        std::packaged_task<decltype(work())()> task(std::move(work));
        auto done = task.get_future();
        loop_.post([&task] { task(); });
        return done.get();
    }

private:
    web::EventLoop loop_;
    std::thread thread_;
};

class ServerRig {
public:
    ServerRig(web::WebHandler& handler, web::ServerLimits limits = {})
        : server_(thread_.onLoop([&] {
              return std::make_unique<web::HttpServer>(thread_.loop(), "127.0.0.1", "0", handler, limits);
          }))
    {
    }
    ~ServerRig()
    {
        thread_.onLoop([this] { server_.reset(); });
    }
    unsigned short port() const { return port_; }
    web::HttpServer& server() { return *server_; }
    template <typename Work>
    auto onLoop(Work work)
    {
        return thread_.onLoop(std::move(work));
    }

private:
    LoopThread thread_;
    std::unique_ptr<web::HttpServer> server_;
    unsigned short port_ = server_->port();
};

}  // namespace tonel::testing

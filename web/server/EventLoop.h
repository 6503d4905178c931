#pragma once
// The service's one thread of work: sockets, timers and the notices the processors' lines post
// to it all run here, so nothing the service holds needs a lock. Asio stays behind this header.

#include <chrono>
#include <functional>
#include <memory>

namespace boost::asio {
class io_context;
}

namespace tonel::web {

class EventLoop {
public:
    EventLoop();
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    void run();   // until stop()
    void stop();  // from any thread
    // Runs `work` on the loop's thread; from any thread.
    void post(std::function<void()> work);
    boost::asio::io_context& context();

    // A one-shot timer on the loop; starting it again replaces what was pending.
    class Timer {
    public:
        explicit Timer(EventLoop& loop);
        ~Timer();
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;
        void start(std::chrono::milliseconds delay, std::function<void()> expired);
        void cancel();
        bool pending() const { return pending_; }

    private:
        struct Impl;
        std::unique_ptr<Impl> impl_;
        bool pending_ = false;
        unsigned generation_ = 0;  // a cancelled wait that still completes is recognised as stale
    };

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tonel::web

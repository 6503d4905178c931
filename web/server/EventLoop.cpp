#include "web/server/EventLoop.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

namespace tonel::web {

struct EventLoop::Impl {
    boost::asio::io_context context{1};
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> keepRunning{context.get_executor()};
};

EventLoop::EventLoop() : impl_(std::make_unique<Impl>()) {}
EventLoop::~EventLoop() = default;

void EventLoop::run() { impl_->context.run(); }
void EventLoop::stop() { impl_->context.stop(); }
void EventLoop::post(std::function<void()> work) { boost::asio::post(impl_->context, std::move(work)); }
boost::asio::io_context& EventLoop::context() { return impl_->context; }

struct EventLoop::Timer::Impl {
    explicit Impl(boost::asio::io_context& context) : timer(context) {}
    boost::asio::steady_timer timer;
};

EventLoop::Timer::Timer(EventLoop& loop) : impl_(std::make_unique<Impl>(loop.context())) {}
EventLoop::Timer::~Timer() = default;

void EventLoop::Timer::start(std::chrono::milliseconds delay, std::function<void()> expired)
{
    const unsigned generation = ++generation_;
    pending_ = true;
    impl_->timer.expires_after(delay);
    impl_->timer.async_wait([this, generation, expired = std::move(expired)](const boost::system::error_code& error) {
        if (error || generation != generation_)
            return;  // cancelled, replaced, or the timer is being destroyed
        pending_ = false;
        expired();
    });
}

void EventLoop::Timer::cancel()
{
    ++generation_;
    pending_ = false;
    impl_->timer.cancel();
}

}  // namespace tonel::web

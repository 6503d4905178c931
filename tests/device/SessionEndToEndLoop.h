#pragma once
// A stand-in for the main window with real time: port notifications from the monitoring thread
// are queued; the test thread plays the window thread, handing them to the session in order and
// firing one-shot timers when they fall due.

#include "app/session/SessionPresenter.h"
#include "device/DeviceSession.h"
#include "tests/support/LineNotice.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tonel::testing {

class WindowLoop : public SessionHost, public SessionControls, public LineListener {
public:
    using Clock = std::chrono::steady_clock;

    WindowLoop()
    {
        for (int id = res::view::OpenFileButton; id <= res::view::DisconnectButton; ++id)
            buttons_[id] = id != res::view::DisconnectButton;
    }

    void attach(DeviceSession* session) { session_ = session; }

    // LineListener: the port's thread; never blocks for long.
    void bytesArrived(std::string_view bytes) override { post(std::string(bytes)); }
    void lineConnected(const std::string& port) override { post(LineConnected{port}); }
    void lineGone(const std::string& port) override { post(LineGone{port}); }
    void portError(const PortError& error) override { post(error); }

    // SessionHost and SessionControls: the window thread only.
    void enableButton(int id, bool enabled) override { buttons_[id] = enabled; }
    void armTimer(int id, std::chrono::milliseconds delay) override { timers_[id] = Clock::now() + delay; }
    void cancelTimer(int id) override { timers_.erase(id); }
    void showMessage(const std::string& text, const std::string&, MessageIcon) override { messages_.push_back(text); }
    void refreshAllPages() override { ++refreshes_; }
    void sessionEvent(const SessionReport& report) override { presentSessionEvent(report, *this); }
    void portFailure(const PortError& error) override
    {
        std::lock_guard lock(mutex_);
        errors_.push_back(formatPortError(error));
    }

    // Runs the window thread until `done` holds (true) or `limit` has passed (false).
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        const Clock::time_point deadline = Clock::now() + limit;
        for (;;) {
            deliverPortEvents();
            fireDueTimers();
            if (done())
                return true;
            if (Clock::now() >= deadline)
                return false;
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, std::min(deadline, nextDue()), [this] { return !queue_.empty(); });
        }
    }

    bool enabled(int id) const { return buttons_.at(id); }
    bool armed(int id) const { return timers_.count(id) > 0; }
    bool anyTimerArmed() const { return !timers_.empty(); }
    bool fired(int id) const { return std::count(fired_.begin(), fired_.end(), id) > 0; }
    const std::vector<std::string>& messages() const { return messages_; }
    int refreshes() const { return refreshes_; }
    std::vector<std::string> errors() const
    {
        std::lock_guard lock(mutex_);
        return errors_;
    }

private:
    void post(LineNotice notice)
    {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(notice));
        }
        wake_.notify_one();
    }

    void deliverPortEvents()
    {
        std::deque<LineNotice> batch;
        {
            std::lock_guard lock(mutex_);
            batch.swap(queue_);
        }
        for (const LineNotice& notice : batch)
            deliverNotice(notice, *session_);
    }

    void fireDueTimers()
    {
        for (;;) {
            auto due = std::min_element(timers_.begin(), timers_.end(),
                                        [](const auto& a, const auto& b) { return a.second < b.second; });
            if (due == timers_.end() || due->second > Clock::now())
                return;
            const int id = due->first;
            timers_.erase(due);
            fired_.push_back(id);
            session_->onTimer(id);
        }
    }

    Clock::time_point nextDue() const
    {
        Clock::time_point next = Clock::time_point::max();
        for (const auto& [id, at] : timers_)
            next = std::min(next, at);
        return next;
    }

    DeviceSession* session_ = nullptr;
    mutable std::mutex mutex_;  // the queue and the error reports
    std::condition_variable wake_;
    std::deque<LineNotice> queue_;
    std::vector<std::string> errors_;

    std::map<int, bool> buttons_;
    std::map<int, Clock::time_point> timers_;
    std::vector<int> fired_;
    std::vector<std::string> messages_;
    int refreshes_ = 0;
};

}  // namespace tonel::testing

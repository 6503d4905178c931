#include "tests/support/FakeSessionHost.h"

namespace tonel::testing {

FakeSessionHost::FakeSessionHost()
{
    for (int id = res::view::OpenFileButton; id <= res::view::DisconnectButton; ++id)
        buttons_[id] = id != res::view::DisconnectButton;
}

void FakeSessionHost::enableButton(int id, bool enabled)
{
    buttons_[id] = enabled;
    enableCalls_.emplace_back(id, enabled);
}

void FakeSessionHost::armTimer(int id, std::chrono::milliseconds delay)
{
    timers_[id] = Armed{now_ + delay, armCount_++};  // re-arming replaces
    arms_.emplace_back(id, delay);
}

void FakeSessionHost::cancelTimer(int id)
{
    timers_.erase(id);
    cancels_.push_back(id);
}

void FakeSessionHost::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    messages_.push_back({text, caption, icon});
}

void FakeSessionHost::sessionEvent(const SessionReport& report)
{
    reports_.push_back(report);
    presentSessionEvent(report, *this);
}

void FakeSessionHost::portFailure(const PortError& error)
{
    errorReports_.push_back(formatPortError(error));
    presentPortFailure(error, *this);
}

void FakeSessionHost::bytesArrived(std::string_view bytes)
{
    if (session_ != nullptr)
        session_->bytesArrived(bytes);
}

void FakeSessionHost::lineConnected(const std::string& port)
{
    if (session_ != nullptr)
        session_->lineConnected(port);
}

void FakeSessionHost::lineGone(const std::string& port)
{
    if (session_ != nullptr)
        session_->lineGone(port);
}

void FakeSessionHost::portError(const PortError& error)
{
    if (session_ != nullptr)
        session_->portError(error);
}

void FakeSessionHost::advance(std::chrono::milliseconds span)
{
    const std::chrono::milliseconds end = now_ + span;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            const bool earlier = next == timers_.end() || it->second.due < next->second.due ||
                                 (it->second.due == next->second.due && it->second.order < next->second.order);
            if (it->second.due <= end && earlier)
                next = it;
        }
        if (next == timers_.end())
            break;
        now_ = next->second.due;
        fire(next->first);
    }
    now_ = end;
}

bool FakeSessionHost::fire(int id)
{
    if (timers_.erase(id) == 0)
        return false;
    if (beforeTimer_)
        beforeTimer_();
    if (session_ != nullptr)
        session_->onTimer(id);
    return true;
}

bool FakeSessionHost::enabled(int id) const
{
    const auto it = buttons_.find(id);
    return it != buttons_.end() && it->second;
}

std::set<int> FakeSessionHost::armedTimers() const
{
    std::set<int> ids;
    for (const auto& [id, armed] : timers_)
        ids.insert(id);
    return ids;
}

std::chrono::milliseconds FakeSessionHost::dueIn(int id) const
{
    const auto it = timers_.find(id);
    return it == timers_.end() ? std::chrono::milliseconds{-1} : it->second.due - now_;
}

}  // namespace tonel::testing

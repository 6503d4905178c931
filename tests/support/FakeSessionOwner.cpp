#include "tests/support/FakeSessionOwner.h"

namespace tonel::testing {

FakeSessionOwner::FakeSessionOwner()
{
    for (int id = res::view::OpenFileButton; id <= res::view::DisconnectButton; ++id)
        buttons_[id] = id != res::view::DisconnectButton;
}

void FakeSessionOwner::enableButton(int id, bool enabled)
{
    buttons_[id] = enabled;
    enableCalls_.emplace_back(id, enabled);
}

void FakeSessionOwner::armTimer(int id, std::chrono::milliseconds delay)
{
    timers_[id] = Armed{now_ + delay, armCount_++};  // re-arming replaces
    arms_.emplace_back(id, delay);
}

void FakeSessionOwner::cancelTimer(int id)
{
    timers_.erase(id);
    cancels_.push_back(id);
}

void FakeSessionOwner::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    messages_.push_back({text, caption, icon});
}

void FakeSessionOwner::sessionEvent(const SessionReport& report)
{
    reports_.push_back(report);
    presentSessionEvent(report, *this);
}

void FakeSessionOwner::portFailure(const PortError& error)
{
    errorReports_.push_back(formatPortError(error));
    presentPortFailure(error, *this);
}

void FakeSessionOwner::bytesArrived(std::string_view bytes)
{
    if (session_ != nullptr)
        session_->bytesArrived(bytes);
}

void FakeSessionOwner::lineGone(const std::string& port)
{
    if (session_ != nullptr)
        session_->lineGone(port);
}

void FakeSessionOwner::portError(const PortError& error)
{
    if (session_ != nullptr)
        session_->portError(error);
}

void FakeSessionOwner::advance(std::chrono::milliseconds span)
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

bool FakeSessionOwner::fire(int id)
{
    if (timers_.erase(id) == 0)
        return false;
    if (beforeTimer_)
        beforeTimer_();
    if (session_ != nullptr)
        session_->onTimer(id);
    return true;
}

bool FakeSessionOwner::enabled(int id) const
{
    const auto it = buttons_.find(id);
    return it != buttons_.end() && it->second;
}

std::set<int> FakeSessionOwner::armedTimers() const
{
    std::set<int> ids;
    for (const auto& [id, armed] : timers_)
        ids.insert(id);
    return ids;
}

std::chrono::milliseconds FakeSessionOwner::dueIn(int id) const
{
    const auto it = timers_.find(id);
    return it == timers_.end() ? std::chrono::milliseconds{-1} : it->second.due - now_;
}

}  // namespace tonel::testing

#include "app/TimerService.h"

#include <QTimer>

namespace tonel {

QtTimerService::QtTimerService() = default;
QtTimerService::~QtTimerService() = default;

void QtTimerService::arm(int id, std::chrono::milliseconds delay)
{
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer.get(), &QTimer::timeout, this, [this, id] {
            if (expiry_)
                expiry_(id);
        });
    }
    timer->start(delay);  // a running timer starts over: re-arming replaces
}

void QtTimerService::cancel(int id)
{
    const auto found = timers_.find(id);
    if (found != timers_.end())
        found->second->stop();
}

void QtTimerService::cancelAll()
{
    for (auto& [id, timer] : timers_)
        timer->stop();
}

bool QtTimerService::isArmed(int id) const
{
    const auto found = timers_.find(id);
    return found != timers_.end() && found->second->isActive();
}

}  // namespace tonel

#pragma once
// One-shot timers by id for the device session (1, 2, 3, 100); re-arming an id replaces it.
// Tests drive a fake clock instead.

#include <QObject>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace tonel {

class TimerService {
public:
    using Expiry = std::function<void(int id)>;
    virtual ~TimerService() = default;
    virtual void setExpiryHandler(Expiry handler) = 0;  // called on the window thread
    virtual void arm(int id, std::chrono::milliseconds delay) = 0;
    virtual void cancel(int id) = 0;
    virtual void cancelAll() = 0;
};

class QtTimerService : public QObject, public TimerService {
    Q_OBJECT
public:
    QtTimerService();
    ~QtTimerService() override;

    void setExpiryHandler(Expiry handler) override { expiry_ = std::move(handler); }
    void arm(int id, std::chrono::milliseconds delay) override;
    void cancel(int id) override;
    void cancelAll() override;
    bool isArmed(int id) const;

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
    Expiry expiry_;
};

}  // namespace tonel

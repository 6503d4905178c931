#pragma once
// SIGINT, SIGTERM and SIGHUP end the run the way closing the main window does. The signals are blocked
// in every thread and read from a signalfd on the window thread, so no handler runs at all.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tonel {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Call before any thread starts: threads inherit the blocked set.
    static bool block();

    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;
    bool active() const { return fd_ >= 0; }

private:
    void readSignal();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onSignal_;
};

}  // namespace tonel

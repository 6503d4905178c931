#pragma once
// Receives a port's notices on the port's thread and hands them to the window thread in arrival
// order, without ever waiting for it.

#include "device/SerialLine.h"

#include <QObject>

namespace tonel {

class QueuedLineListener : public QObject, public LineListener {
    Q_OBJECT
public:
    // Set and cleared on the window thread; a notice that arrives without a target is dropped.
    void setTarget(LineListener* target) { target_ = target; }

    // LineListener: any thread
    void bytesArrived(std::string_view bytes) override;
    void lineConnected(const std::string& port) override;
    void lineGone(const std::string& port) override;
    void portError(const PortError& error) override;

private:
    // Runs `deliver` with the target on the window thread, if there is one by then.
    template <typename Deliver>
    void post(Deliver deliver);

    LineListener* target_ = nullptr;  // window thread only
};

}  // namespace tonel

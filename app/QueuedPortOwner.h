#pragma once
// Receives the serial port's notifications on its monitoring thread and hands them to the
// window thread in arrival order, without ever waiting for it.

#include "device/SerialPort.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

namespace tonel {

class QueuedPortOwner : public QObject, public PortOwner {
    Q_OBJECT
public:
    using EventHandler = std::function<void(PortEvent event, std::uint8_t byte, int port)>;
    using ErrorHandler = std::function<void(const std::string& text)>;

    // Set and cleared on the window thread; a notification that arrives without a handler is dropped.
    void setHandlers(EventHandler onEvent, ErrorHandler onError);
    void clearHandlers() { setHandlers(nullptr, nullptr); }

    // PortOwner: any thread
    void portNotification(PortEvent event, std::uint8_t byte, int port) override;
    void portErrorReport(const std::string& text) override;

private:
    EventHandler onEvent_;
    ErrorHandler onError_;
};

}  // namespace tonel

#pragma once
// What the device session needs of a serial port, so tests can replace the real one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tonel {

// Notifications from the port to its owner (window-message numbers counted from 0x400).
enum class PortEvent : int {
    Break = 0x401,
    Cts = 0x402,
    Error = 0x404,
    Ring = 0x405,
    Char = 0x407,
    RxFlag = 0x408,
    HangUp = 0x4F0,  // ours: the line is gone (device unplugged, other side of a pty closed)
};

// Receives the port's notifications. Called on the port's monitoring thread: an implementation
// queues them to the window thread and never blocks.
class PortOwner {
public:
    virtual ~PortOwner() = default;
    virtual void portNotification(PortEvent event, std::uint8_t byte, int port) = 0;
    // A platform failure, already formatted; shown with caption "Application Error" and a stop icon.
    virtual void portErrorReport(const std::string& text) = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Re-opening first stops the monitoring thread and closes what was open.
    virtual bool open(PortOwner* owner, int port, int baud, char parity, int dataBits, int stopBits,
                      std::uint32_t eventMask, std::size_t writeBufferSize) = 0;
    virtual bool startMonitoring() = 0;
    // Hands a text over for sending and returns at once; dropped when nothing is open.
    virtual void write(const std::string& text) = 0;
};

// The serial ports present on this machine, numbered from 1.
class PortCatalog {
public:
    virtual ~PortCatalog() = default;
    // Numbers 1..256 of the present ports, ascending.
    virtual std::vector<int> presentPorts() const = 0;
    // The device path of a port number; empty when the number has no device.
    virtual std::string devicePath(int port) const = 0;
};

}  // namespace tonel

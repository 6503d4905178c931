#pragma once
// A recording serial port and port catalog for session and page tests. Devices can be scripted
// per port number; their replies are queued and reach the owner on deliverPending(), as the
// real port's notifications reach the window thread later than the write that caused them.

#include "device/SerialPort.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tonel::testing {

class FakePortCatalog : public PortCatalog {
public:
    FakePortCatalog() = default;
    explicit FakePortCatalog(std::vector<int> ports) : ports_(std::move(ports)) {}

    void setPorts(std::vector<int> ports) { ports_ = std::move(ports); }
    std::vector<int> presentPorts() const override;
    std::string devicePath(int port) const override;
    int queries() const { return queries_; }

private:
    std::vector<int> ports_;
    mutable int queries_ = 0;
};

class FakeSerialPort : public SerialPort {
public:
    struct OpenCall {
        PortOwner* owner = nullptr;
        int port = 0;
        int baud = 0;
        char parity = 0;
        int dataBits = 0;
        int stopBits = 0;
        std::uint32_t eventMask = 0;
        std::size_t writeBufferSize = 0;
        bool opened = false;
    };
    struct Written {
        int port = 0;  // 0: nothing was open, the text was dropped
        std::string text;
    };
    // Answers one frame written to its port; an empty answer sends nothing.
    using Device = std::function<std::string(const std::string& frame)>;

    // With a catalog only its present ports open, as on a real machine; without one every
    // number 1..256 opens.
    explicit FakeSerialPort(const PortCatalog* catalog = nullptr) : catalog_(catalog) {}

    bool open(PortOwner* owner, int port, int baud, char parity, int dataBits, int stopBits,
              std::uint32_t eventMask, std::size_t writeBufferSize) override;
    bool startMonitoring() override;
    void write(const std::string& text) override;

    // Scripting
    void failOpen(int port) { unopenable_.insert(port); }
    void setDevice(int port, Device device);  // replaces the port's earlier device
    void deliver(const std::string& text);  // characters from the open port, queued
    void hangUp();                           // the open port's line is gone, queued
    void deliverPending();                   // hand everything queued to the owner, in order

    // Recordings
    int openPort() const { return openPort_; }
    bool monitoring() const { return monitoring_; }
    int startMonitoringCalls() const { return startCalls_; }
    const std::vector<OpenCall>& opens() const { return opens_; }
    std::vector<int> openedPortNumbers() const;  // every open() call's port, in order
    const std::vector<Written>& writes() const { return writes_; }
    std::vector<std::string> sentTexts() const;  // texts written while a port was open
    void clearRecordings();

private:
    struct Notification {
        PortEvent event;
        std::uint8_t byte;
        int port;
    };
    bool canOpen(int port) const;

    const PortCatalog* catalog_;
    std::set<int> unopenable_;
    std::map<int, Device> devices_;
    PortOwner* owner_ = nullptr;
    int openPort_ = 0;
    bool monitoring_ = false;
    int startCalls_ = 0;
    std::vector<OpenCall> opens_;
    std::vector<Written> writes_;
    std::deque<Notification> pending_;
};

}  // namespace tonel::testing

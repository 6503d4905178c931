#pragma once
// A recording port and port catalog for session and page tests. Ports are numbered for the test's
// convenience and named "/dev/fakeN" for the session. Devices can be scripted per port; their
// replies are queued and reach the listener on deliverPending(), as the real port's notices reach
// the window thread later than the write that caused them.

#include "device/PortCatalog.h"
#include "device/SerialLine.h"
#include "tests/support/LineNotice.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tonel::testing {

std::string fakePortName(int port);  // "/dev/fake3"
int fakePortNumber(const std::string& name);  // 0 for any other name

class FakePortCatalog : public PortCatalog {
public:
    FakePortCatalog() = default;
    explicit FakePortCatalog(std::vector<int> ports) : ports_(std::move(ports)) {}

    void setPorts(std::vector<int> ports) { ports_ = std::move(ports); }
    std::vector<std::string> presentPorts() const override;
    bool lists(int port) const;
    int queries() const { return queries_; }

private:
    std::vector<int> ports_;
    mutable int queries_ = 0;
};

class FakeSerialLine : public SerialLine {
public:
    struct OpenCall {
        std::string name;
        int port = 0;  // the name's number
        LineSettings settings;
        bool opened = false;
    };
    struct Written {
        int port = 0;  // 0: nothing was open, the text was dropped
        std::string text;
    };
    // Answers one frame written to its port; an empty answer sends nothing.
    using Device = std::function<std::string(const std::string& frame)>;

    // With a catalog only its listed ports open, as on a real machine; without one every number opens.
    explicit FakeSerialLine(const PortCatalog* catalog = nullptr) : catalog_(catalog) {}

    OpenResult open(const std::string& name, const LineSettings& settings, LineListener& listener) override;
    void close() override;
    void write(const std::string& text) override;
    bool isOpen() const override { return openPort_ != 0; }

    // Scripting
    void failOpen(int port, int error = EBUSY) { unopenable_[port] = error; }
    // The port opens like a network port: connecting, then finishConnect() or refuseConnect().
    // Until it connects nothing arrives, and what is written waits (its device answers after).
    void connectLater(int port) { connectsLater_.insert(port); }
    void finishConnect();                     // the open port connects, queued
    void refuseConnect(int error);            // the connect of the open port fails, queued
    void setDevice(int port, Device device);  // replaces the port's earlier device
    void deliver(const std::string& text);    // characters from the open port, queued
    void hangUp();                            // the open port's line is gone, queued
    void reportError(const PortError& error); // a failed call on the open port, queued
    void deliverPending();                    // hand everything queued to the listener, in order

    // Recordings
    int openPort() const { return openPort_; }
    bool connecting() const { return connecting_; }
    int closeCalls() const { return closes_; }
    const std::vector<OpenCall>& opens() const { return opens_; }
    std::vector<int> openedPortNumbers() const;  // every open() call's port, in order
    const std::vector<Written>& writes() const { return writes_; }
    std::vector<std::string> sentTexts() const;  // texts written while a port was open
    void clearRecordings();

private:
    void answer(const std::string& text);  // the open port's device replies to a text that went out

    const PortCatalog* catalog_;
    std::map<int, int> unopenable_;
    std::set<int> connectsLater_;
    std::map<int, Device> devices_;
    LineListener* listener_ = nullptr;
    int openPort_ = 0;
    bool connecting_ = false;
    std::vector<std::string> held_;  // written while connecting
    int closes_ = 0;
    std::vector<OpenCall> opens_;
    std::vector<Written> writes_;
    std::deque<LineNotice> pending_;
};

}  // namespace tonel::testing

#include "tests/support/FakeSerialPort.h"

#include <algorithm>

namespace tonel::testing {

std::vector<int> FakePortCatalog::presentPorts() const
{
    ++queries_;
    return ports_;
}

std::string FakePortCatalog::devicePath(int port) const
{
    const bool present = std::find(ports_.begin(), ports_.end(), port) != ports_.end();
    return present ? "/dev/fake" + std::to_string(port) : std::string();
}

bool FakeSerialPort::canOpen(int port) const
{
    if (port < 1 || port > 256 || unopenable_.count(port) > 0)
        return false;
    if (catalog_ == nullptr)
        return true;
    const std::vector<int> present = catalog_->presentPorts();
    return std::find(present.begin(), present.end(), port) != present.end();
}

bool FakeSerialPort::open(PortOwner* owner, int port, int baud, char parity, int dataBits,
                          int stopBits, std::uint32_t eventMask, std::size_t writeBufferSize)
{
    // Like the real object: whatever was open is closed first.
    openPort_ = 0;
    monitoring_ = false;
    owner_ = owner;
    const bool opened = canOpen(port);
    if (opened)
        openPort_ = port;
    opens_.push_back({owner, port, baud, parity, dataBits, stopBits, eventMask, writeBufferSize, opened});
    return opened;
}

bool FakeSerialPort::startMonitoring()
{
    ++startCalls_;
    monitoring_ = openPort_ != 0;
    return monitoring_;
}

void FakeSerialPort::write(const std::string& text)
{
    writes_.push_back({openPort_, text});
    if (openPort_ == 0 || !monitoring_)
        return;
    const auto it = devices_.find(openPort_);
    if (it != devices_.end())
        deliver(it->second(text));
}

void FakeSerialPort::setDevice(int port, Device device)
{
    devices_[port] = std::move(device);
}

void FakeSerialPort::deliver(const std::string& text)
{
    for (char c : text)
        pending_.push_back({PortEvent::Char, static_cast<std::uint8_t>(c), openPort_});
}

void FakeSerialPort::hangUp()
{
    pending_.push_back({PortEvent::HangUp, 0, openPort_});
}

void FakeSerialPort::deliverPending()
{
    while (!pending_.empty()) {
        const Notification n = pending_.front();
        pending_.pop_front();
        if (owner_ != nullptr)
            owner_->portNotification(n.event, n.byte, n.port);
    }
}

std::vector<int> FakeSerialPort::openedPortNumbers() const
{
    std::vector<int> ports;
    for (const OpenCall& call : opens_)
        ports.push_back(call.port);
    return ports;
}

std::vector<std::string> FakeSerialPort::sentTexts() const
{
    std::vector<std::string> texts;
    for (const Written& w : writes_) {
        if (w.port != 0)
            texts.push_back(w.text);
    }
    return texts;
}

void FakeSerialPort::clearRecordings()
{
    opens_.clear();
    writes_.clear();
    startCalls_ = 0;
}

}  // namespace tonel::testing

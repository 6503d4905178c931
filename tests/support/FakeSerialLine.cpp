#include "tests/support/FakeSerialLine.h"

#include <algorithm>
#include <cerrno>

namespace tonel::testing {

namespace {
constexpr std::string_view kFakePrefix = "/dev/fake";
}

std::string fakePortName(int port) { return std::string(kFakePrefix) + std::to_string(port); }

int fakePortNumber(const std::string& name)
{
    if (!name.starts_with(kFakePrefix) || name.size() == kFakePrefix.size())
        return 0;
    try {
        return std::stoi(name.substr(kFakePrefix.size()));
    } catch (const std::exception&) {
        return 0;
    }
}

std::vector<std::string> FakePortCatalog::presentPorts() const
{
    ++queries_;
    std::vector<std::string> names;
    for (int port : ports_)
        names.push_back(fakePortName(port));
    return names;
}

bool FakePortCatalog::lists(int port) const { return std::find(ports_.begin(), ports_.end(), port) != ports_.end(); }

OpenResult FakeSerialLine::open(const std::string& name, const LineSettings& settings, LineListener& listener)
{
    close();  // like the real port: whatever was open is closed first
    --closes_;  // ... which is not a close the test asked about
    const int port = fakePortNumber(name);
    int error = 0;
    if (port < 1 || port > 256)
        error = ENOENT;
    else if (const auto it = unopenable_.find(port); it != unopenable_.end())
        error = it->second;
    else if (const auto* fakes = dynamic_cast<const FakePortCatalog*>(catalog_); fakes != nullptr && !fakes->lists(port))
        error = ENOENT;
    opens_.push_back({name, port, settings, error == 0});
    if (error != 0)
        return {OpenResult::State::Failed, {"open()", error, name, true}};
    listener_ = &listener;
    openPort_ = port;
    connecting_ = connectsLater_.count(port) > 0;
    return {connecting_ ? OpenResult::State::Connecting : OpenResult::State::Open, {}};
}

void FakeSerialLine::close()
{
    ++closes_;
    openPort_ = 0;
    connecting_ = false;
    held_.clear();
}

void FakeSerialLine::write(const std::string& text)
{
    writes_.push_back({openPort_, text});
    if (openPort_ == 0)
        return;
    if (connecting_)
        held_.push_back(text);
    else
        answer(text);
}

void FakeSerialLine::answer(const std::string& text)
{
    const auto it = devices_.find(openPort_);
    if (it != devices_.end())
        deliver(it->second(text));
}

void FakeSerialLine::finishConnect()
{
    if (!connecting_)
        return;
    connecting_ = false;
    pending_.emplace_back(LineConnected{fakePortName(openPort_)});
    for (const std::string& text : held_)
        answer(text);
    held_.clear();
}

void FakeSerialLine::setDevice(int port, Device device) { devices_[port] = std::move(device); }

void FakeSerialLine::deliver(const std::string& text)
{
    if (!text.empty() && !connecting_)
        pending_.emplace_back(text);
}

void FakeSerialLine::hangUp() { pending_.emplace_back(LineGone{fakePortName(openPort_)}); }

void FakeSerialLine::refuseConnect(int error)
{
    connecting_ = false;
    held_.clear();
    pending_.emplace_back(PortError{"connect()", error, fakePortName(openPort_), true});
}

void FakeSerialLine::reportError(const PortError& error) { pending_.emplace_back(error); }

void FakeSerialLine::deliverPending()
{
    while (!pending_.empty() && listener_ != nullptr) {
        const LineNotice notice = pending_.front();
        pending_.pop_front();
        deliverNotice(notice, *listener_);
    }
}

std::vector<int> FakeSerialLine::openedPortNumbers() const
{
    std::vector<int> ports;
    for (const OpenCall& call : opens_)
        ports.push_back(call.port);
    return ports;
}

std::vector<std::string> FakeSerialLine::sentTexts() const
{
    std::vector<std::string> texts;
    for (const Written& w : writes_) {
        if (w.port != 0)
            texts.push_back(w.text);
    }
    return texts;
}

void FakeSerialLine::clearRecordings()
{
    opens_.clear();
    writes_.clear();
    closes_ = 0;
}

}  // namespace tonel::testing

#include "device/LinePort.h"

#include "device/detail/LineTransport.h"

#include <array>
#include <cerrno>
#include <optional>
#include <system_error>
#include <vector>

namespace tonel {

namespace {
constexpr std::size_t kReadChunk = 256;
}

LinePort::LinePort(PortLimits limits, TransportMaker makeTransport)
    : limits_(limits), makeTransport_(makeTransport ? std::move(makeTransport) : TransportMaker(detail::makeTransport))
{
}

LinePort::~LinePort() { close(); }

OpenResult LinePort::open(const std::string& name, const LineSettings& settings, LineListener& listener)
{
    close();
    detail::CallFailure failure;
    std::unique_ptr<detail::LineTransport> transport = makeTransport_(name, failure);
    std::vector<detail::CallFailure> reports;
    if (!transport || !transport->openLine(settings, reports, failure)) {
        failure.port = name;
        failure.whileOpening = true;
        return {OpenResult::State::Failed, failure};
    }
    for (detail::CallFailure complaint : reports) {  // the open stands; the user is told
        complaint.port = name;
        listener.portError(complaint);
    }

    transport_ = std::move(transport);
    listener_ = &listener;
    name_ = name;
    const bool connectFirst = transport_->connectsLater();
    connected_ = !connectFirst;
    lineUp_ = true;
    if (!startThread(connectFirst)) {
        close();
        return {OpenResult::State::Failed, {"pthread_create()", EAGAIN, name, true}};
    }
    return {connectFirst ? OpenResult::State::Connecting : OpenResult::State::Open, {}};
}

void LinePort::close()
{
    if (thread_.joinable()) {
        transport_->signalShutdown();
        thread_.join();
    }
    lineUp_ = false;
    connected_ = false;
    if (transport_) {
        transport_->closeLine();
        transport_.reset();
    }
    listener_ = nullptr;
    dropQueued();
}

void LinePort::write(const std::string& text)
{
    if (!lineUp_ || text.size() >= limits_.writeBuffer)
        return;  // nothing open, the line is gone, or more than the write buffer holds: dropped
    {
        std::lock_guard lock(queueMutex_);
        queue_.push(text);
    }
    transport_->signalWriteRequest();
}

std::string LinePort::name() const { return name_; }

bool LinePort::startThread(bool connectFirst)
{
    try {
        thread_ = std::thread([this, connectFirst] { run(connectFirst); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void LinePort::run(bool connectFirst)
{
    if (connectFirst && !connectLine()) {
        // Never came up: wait for the close, dropping whatever is written meanwhile.
        while (!transport_->wait(false).shutdown) {
        }
        return;
    }
    for (;;) {
        const detail::Wake wake = transport_->wait(lineUp_);
        if (wake.shutdown)
            break;
        if (wake.lineReadable || wake.lineGone)
            receive();
        if (wake.lineGone && !transport_->shutdownPending())
            lineGone({LineFault::LineLost, "read()", EIO});
        if (wake.lineWritable)
            transport_->flushOwnBytes();
        if (wake.writeRequest)
            sendPending();
    }
}

bool LinePort::connectLine()
{
    detail::CallFailure failure;
    if (transport_->connectLine(detail::Clock::now() + limits_.connect, failure)) {
        connected_ = true;
        listener_->lineConnected(name_);
        return true;
    }
    if (failure.operation.empty())
        return false;  // closed while connecting: nobody waits for a notice
    if (lineUp_.exchange(false)) {
        dropQueued();
        report(failure, true);
    }
    return false;
}

// Reads what has arrived, bounded per wake-up by the bytes taken off the line (a stream of
// protocol bytes yields no data yet must not hold off a shutdown either).
void LinePort::receive()
{
    std::array<std::uint8_t, kReadChunk> buffer{};
    for (std::size_t total = 0; total < kMaxReadPerWake && !transport_->shutdownPending();) {
        const detail::ReadResult result = transport_->read(buffer);
        if (result.status == detail::ReadStatus::Empty)
            return;
        if (result.status != detail::ReadStatus::Data) {
            lineGone(result.failure);  // a read that fails now fails on every wake-up
            return;
        }
        if (result.count > 0)
            listener_->bytesArrived(std::string_view(reinterpret_cast<const char*>(buffer.data()), result.count));
        total += result.raw;
    }
}

void LinePort::sendPending()
{
    while (!transport_->shutdownPending()) {
        std::optional<std::string> text;
        {
            std::lock_guard lock(queueMutex_);
            text = queue_.pop();
        }
        if (!text || !lineUp_ || !sendOne(*text))
            return;
    }
}

// False when sending must stop: shutdown, or the line is gone.
bool LinePort::sendOne(const std::string& text)
{
    const auto limit = limits_.writePerChar * static_cast<long>(text.size()) + limits_.writeConstant;
    const detail::SendResult result = transport_->send(text, detail::Clock::now() + limit);
    switch (result.status) {
    case detail::SendStatus::Sent:
        ++textsSent_;
        return true;
    case detail::SendStatus::Failed:
        report(result.failure);  // this text is dropped
        return true;
    case detail::SendStatus::Gone:
        lineGone(result.failure);
        return false;
    case detail::SendStatus::Abandoned:
        break;
    }
    return false;
}

// The line dropped: say so once, stop watching it and drop what waits to be sent. The descriptor
// stays until close().
void LinePort::lineGone(const PortError& failure)
{
    if (!lineUp_.exchange(false))
        return;
    dropQueued();
    report(failure);
    listener_->lineGone(name_);
}

void LinePort::dropQueued()
{
    std::lock_guard lock(queueMutex_);
    queue_.clear();
}

void LinePort::report(const PortError& failure, bool whileOpening)
{
    PortError error = failure;
    error.port = name_;
    error.whileOpening = whileOpening;
    listener_->portError(error);
}

}  // namespace tonel

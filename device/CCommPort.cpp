#include "device/CCommPort.h"

#include "device/CCommPortIo.h"

#include <array>
#include <cerrno>
#include <optional>
#include <system_error>
#include <vector>

namespace tonel {
namespace {

struct LineEvent {
    std::uint32_t bit;
    PortEvent event;
};

// Sent on each wake-up with received bytes, in this order, for the bits of the configured mask.
constexpr std::array<LineEvent, 5> kLineEvents = {{
    {comm_event::kCts, PortEvent::Cts},
    {comm_event::kRxFlag, PortEvent::RxFlag},
    {comm_event::kBreak, PortEvent::Break},
    {comm_event::kError, PortEvent::Error},
    {comm_event::kRing, PortEvent::Ring},
}};

}  // namespace

std::string formatPortError(std::string_view operation, std::string_view systemText, int port)
{
    std::string text = "WARNING:  ";
    text += operation;
    text += " Failed with the following error: \n";
    text += systemText;
    text += "\nPort: ";
    text += std::to_string(port);
    text += "\n";
    return text;
}

CCommPort::CCommPort(const PortCatalog& catalog)
    : catalog_(catalog), io_(std::make_unique<detail::CommPortIo>())
{
}

CCommPort::~CCommPort() { stopMonitoring(); }

bool CCommPort::open(PortOwner* owner, int port, int baud, char parity, int dataBits, int stopBits,
                     std::uint32_t eventMask, std::size_t writeBufferSize)
{
    stopMonitoring();
    lineUp_ = false;
    io_->closeLine();
    {
        std::lock_guard lock(queueMutex_);
        queue_.clear();
        writeBufferSize_ = writeBufferSize;
    }
    owner_ = owner;
    port_ = port;
    eventMask_ = eventMask;

    const std::string path = catalog_.devicePath(port);
    if (path.empty() || !io_->ready())
        return false;  // a port that does not exist: no message
    std::vector<detail::PortFailure> reports;
    const bool opened = io_->openLine(path, {baud, parity, dataBits, stopBits}, reports);
    for (const detail::PortFailure& failure : reports)
        report(failure.operation, failure.error);
    lineUp_ = opened;
    return opened;
}

bool CCommPort::startMonitoring()
{
    if (thread_.joinable())
        return true;  // one monitoring thread per port
    if (!io_->ready())
        return false;
    io_->purgeInput();  // here, not in the thread: bytes arriving after this call are kept
    threadAlive_ = true;
    try {
        thread_ = std::thread([this] { monitor(); });
    } catch (const std::system_error&) {
        threadAlive_ = false;
        return false;
    }
    return true;
}

void CCommPort::write(const std::string& text)
{
    if (!lineUp_)
        return;  // nothing open (or the line is gone): the text is dropped without a report
    {
        std::lock_guard lock(queueMutex_);
        if (text.size() >= writeBufferSize_)
            return;  // does not fit the write buffer with its terminating NUL
        queue_.push(text);
    }
    io_->signalWriteRequest();
}

void CCommPort::reportError(std::string_view operation) { report(operation, errno); }

void CCommPort::stopMonitoring()
{
    if (!thread_.joinable())
        return;
    io_->signalShutdown();
    thread_.join();
    io_->clearShutdown();
}

void CCommPort::monitor()
{
    for (;;) {
        const detail::Wake wake = io_->wait(lineUp_);
        ++wakeUps_;
        if (wake.shutdown)
            break;
        if (wake.lineReadable || wake.lineGone)
            receive();
        if (wake.lineGone)
            lineGone("ReadFile()", EIO);
        if (wake.writeRequest)
            sendPending();
    }
    threadAlive_ = false;
}

void CCommPort::notifyLineEvents()
{
    const std::uint32_t mask = eventMask_;
    for (const LineEvent& line : kLineEvents) {
        if (mask & line.bit)
            notify(line.event, 0);
    }
}

// Reads what has arrived, bounded per wake-up so a streaming line cannot hold off a shutdown.
void CCommPort::receive()
{
    std::array<std::uint8_t, kReadChunk> buffer{};
    const bool deliverChars = (eventMask_ & comm_event::kRxChar) != 0;
    bool eventsSent = false;
    for (std::size_t total = 0; total < kMaxReadPerWake;) {
        const detail::ReadResult result = io_->read(buffer);
        if (result.status == detail::ReadStatus::Empty)
            return;
        if (result.status != detail::ReadStatus::Data) {
            lineGone("ReadFile()", result.error);  // a read that fails now fails on every wake-up
            return;
        }
        if (!eventsSent) {
            notifyLineEvents();
            eventsSent = true;
        }
        for (std::size_t i = 0; deliverChars && i < result.count; ++i)
            notify(PortEvent::Char, buffer[i]);
        total += result.count;
    }
}

void CCommPort::sendPending()
{
    while (!io_->shutdownPending()) {
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
bool CCommPort::sendOne(const std::string& text)
{
    const auto limit = kWriteTimePerChar * static_cast<long>(text.size()) + kWriteTimeConstant;
    const detail::SendResult result = io_->send(text, limit);
    switch (result.status) {
    case detail::SendStatus::Sent:
        ++textsSent_;
        return true;
    case detail::SendStatus::Failed:
        report(result.failure.operation, result.failure.error);  // this text is dropped
        return true;
    case detail::SendStatus::HungUp:
        lineGone(result.failure.operation, result.failure.error);
        return false;
    case detail::SendStatus::Abandoned:
        break;
    }
    return false;
}

// The line dropped: say so once, stop watching it and drop what waits to be sent. The descriptor
// stays until the next open closes it.
void CCommPort::lineGone(std::string_view operation, int error)
{
    if (!lineUp_.exchange(false))
        return;
    {
        std::lock_guard lock(queueMutex_);
        queue_.clear();
    }
    report(operation, error);
    notify(PortEvent::HangUp, 0);
}

void CCommPort::report(std::string_view operation, int error)
{
    if (PortOwner* owner = owner_)
        owner->portErrorReport(formatPortError(operation, detail::systemErrorText(error), port_));
}

void CCommPort::notify(PortEvent event, std::uint8_t byte)
{
    if (PortOwner* owner = owner_)
        owner->portNotification(event, byte, port_);
}

}  // namespace tonel

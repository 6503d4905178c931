#include "device/detail/LineTransport.h"

#include "device/PortName.h"
#include "device/detail/TcpTransport.h"
#include "device/detail/TtyTransport.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tonel::detail {
namespace {

void signalEvent(int fd)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd, &one, sizeof one);
}

void drainEvent(int fd)
{
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = ::read(fd, &value, sizeof value);
}

// A line that answers these is gone for good: unplugged, hung up, reset by the peer.
bool meansGone(int error)
{
    return error == EIO || error == ECONNRESET || error == EPIPE || error == ETIMEDOUT || error == ENOTCONN ||
           error == EHOSTUNREACH || error == ENETUNREACH;
}

}  // namespace

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, std::numeric_limits<int>::max()));
}

LineTransport::LineTransport()
    : shutdownFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), writeRequestFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

LineTransport::~LineTransport()
{
    // Derived parts are gone by now: close the descriptor without their hooks.
    if (lineFd_ >= 0)
        ::close(lineFd_);
    for (int fd : {shutdownFd_, writeRequestFd_}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool LineTransport::ready() const { return shutdownFd_ >= 0 && writeRequestFd_ >= 0; }

bool LineTransport::connectLine(Clock::time_point, CallFailure&) { return true; }

void LineTransport::closeLine()
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ >= 0)
        closeLocked();
}

void LineTransport::closeLocked()
{
    ::close(lineFd_);
    lineFd_ = -1;
}

void LineTransport::signalShutdown() { signalEvent(shutdownFd_); }
void LineTransport::signalWriteRequest() { signalEvent(writeRequestFd_); }

Wake LineTransport::wait(bool watchLine)
{
    int lineFd = -1;
    short lineEvents = POLLIN;
    if (watchLine) {
        std::lock_guard lock(lineMutex_);
        lineFd = lineFd_;
        if (lineFd >= 0 && holdsOwnBytesLocked())
            lineEvents |= POLLOUT;
    }
    // Poll order is the priority order: shutdown, line, write request.
    pollfd fds[3] = {{shutdownFd_, POLLIN, 0}, {lineFd, lineEvents, 0}, {writeRequestFd_, POLLIN, 0}};
    while (::poll(fds, 3, -1) < 0 && errno == EINTR) {
    }
    Wake wake;
    wake.shutdown = (fds[0].revents & POLLIN) != 0;
    wake.lineReadable = (fds[1].revents & POLLIN) != 0;
    wake.lineGone = (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    wake.lineWritable = (fds[1].revents & POLLOUT) != 0;
    if (fds[2].revents & POLLIN) {
        drainEvent(writeRequestFd_);
        wake.writeRequest = true;
    }
    return wake;
}

void LineTransport::flushOwnBytes()
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ >= 0)
        flushOwnBytesLocked();
}

bool LineTransport::shutdownPending()
{
    pollfd fd{shutdownFd_, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0;
}

bool LineTransport::pauseOrShutdown(std::chrono::milliseconds span)
{
    pollfd fd{shutdownFd_, POLLIN, 0};
    return ::poll(&fd, 1, static_cast<int>(span.count())) > 0 && (fd.revents & POLLIN) != 0;
}

ReadResult LineTransport::read(std::span<std::uint8_t> buffer)
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ < 0)
        return {ReadStatus::Failed, 0, 0, {"read()", EBADF}};
    const ssize_t n = ::read(lineFd_, buffer.data(), buffer.size());
    if (n > 0) {
        const auto raw = static_cast<std::size_t>(n);
        return {ReadStatus::Data, decodeLocked(buffer.first(raw)), raw, {}};
    }
    if (n == 0)  // a terminal reads end-of-file only once its line is gone; a socket once closed
        return {ReadStatus::Gone, 0, 0, endOfFile()};
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR)
        return {ReadStatus::Empty, 0, 0, {}};
    return meansGone(error) ? ReadResult{ReadStatus::Gone, 0, 0, {LineFault::LineLost, "read()", error}}
                           : ReadResult{ReadStatus::Failed, 0, 0, {"read()", error}};
}

long LineTransport::writeSomeLocked(const char* data, std::size_t size) { return ::write(lineFd_, data, size); }

bool LineTransport::drainLocked(Clock::time_point, SendResult&) { return true; }

SendResult LineTransport::send(std::string_view text, Clock::time_point deadline)
{
    std::lock_guard lock(lineMutex_);
    if (lineFd_ < 0)
        return {SendStatus::Failed, {"write()", EBADF}};
    purgeInputLocked();
    const std::string bytes = encodeLocked(text);
    SendResult result;
    for (std::size_t done = 0; done < bytes.size();) {
        const long n = writeSomeLocked(bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitWritableLocked(deadline, result))
                return result;
        } else {
            const int error = n < 0 ? errno : EIO;
            return meansGone(error) ? SendResult{SendStatus::Gone, {LineFault::LineLost, "write()", error}}
                                   : SendResult{SendStatus::Failed, {"write()", error}};
        }
    }
    drainLocked(deadline, result);
    return result;
}

bool LineTransport::waitWritableLocked(Clock::time_point deadline, SendResult& result)
{
    pollfd fds[2] = {{shutdownFd_, POLLIN, 0}, {lineFd_, POLLOUT, 0}};
    int n = 0;
    while ((n = ::poll(fds, 2, remainingMs(deadline))) < 0 && errno == EINTR) {
    }
    if (n < 0) {
        result = {SendStatus::Failed, {"poll()", errno}};
    } else if (fds[0].revents & POLLIN) {
        result = {SendStatus::Abandoned, {}};
    } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        result = {SendStatus::Gone, {LineFault::LineLost, "write()", EIO}};
    } else if (n == 0) {
        result = {SendStatus::Failed, {"write()", ETIME}};  // the line took no byte before the deadline
    } else {
        return true;
    }
    return false;
}

std::unique_ptr<LineTransport> makeTransport(const std::string& name, CallFailure& failure)
{
    const PortName parsed = parsePortName(name);
    std::unique_ptr<LineTransport> transport;
    switch (parsed.kind) {
    case PortName::Kind::Tty: transport = std::make_unique<TtyTransport>(parsed.path); break;
    case PortName::Kind::Tcp: transport = std::make_unique<TcpTransport>(parsed.host, parsed.service, false); break;
    case PortName::Kind::Rfc2217:
        transport = std::make_unique<TcpTransport>(parsed.host, parsed.service, true);
        break;
    case PortName::Kind::Invalid: failure = {LineFault::NotAPortName, "open()", EINVAL}; return nullptr;
    }
    if (!transport->ready()) {
        failure = {"eventfd()", errno};
        return nullptr;
    }
    return transport;
}

}  // namespace tonel::detail

#include "device/detail/TcpTransport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace tonel::detail {
namespace {

void setOption(int fd, int level, int name, int value) { ::setsockopt(fd, level, name, &value, sizeof value); }

// The line settings as the server is asked to set them; false when the option has no words for them.
bool comPortLine(const LineSettings& settings, telnet::LineRequest& line)
{
    switch (std::toupper(static_cast<unsigned char>(settings.parity))) {
    case 'N': line.parity = telnet::parity::kNone; break;
    case 'O': line.parity = telnet::parity::kOdd; break;
    case 'E': line.parity = telnet::parity::kEven; break;
    case 'M': line.parity = telnet::parity::kMark; break;
    case 'S': line.parity = telnet::parity::kSpace; break;
    default: return false;
    }
    if (settings.baud <= 0 || settings.dataBits < 5 || settings.dataBits > 8 ||
        (settings.stopBits != 1 && settings.stopBits != 2))
        return false;
    line.baud = static_cast<std::uint32_t>(settings.baud);
    line.dataSize = static_cast<std::uint8_t>(settings.dataBits);
    line.stopSize = settings.stopBits == 1 ? telnet::stopsize::kOne : telnet::stopsize::kTwo;
    line.flowControl = telnet::control::kNoFlowControl;
    line.rtsOn = settings.rts;
    return true;
}

}  // namespace

TcpTransport::TcpTransport(std::string host, std::string service, bool comPortOption, Resolver resolver)
    : host_(std::move(host)), service_(std::move(service)), comPortOption_(comPortOption), resolver_(std::move(resolver))
{
}

bool TcpTransport::openLine(const LineSettings& settings, std::vector<CallFailure>&, CallFailure& failure)
{
    if (!comPortOption_)
        return true;  // a raw line's settings are the server's business
    telnet::LineRequest line;
    if (!comPortLine(settings, line)) {
        failure = {LineFault::Unsupported, "open()", EINVAL};
        return false;
    }
    telnet_.emplace(line);
    return true;
}

bool TcpTransport::connectLine(Clock::time_point deadline, CallFailure& failure)
{
    const Addresses found = lookUp(resolver_, host_, service_, deadline, shutdownFd_, failure);
    bool connected = false;
    for (const addrinfo* a = found.get(); a != nullptr && !connected; a = a->ai_next) {
        connected = tryAddress(a->ai_addr, a->ai_addrlen, a->ai_family, deadline, failure);
        if (failure.operation.empty())
            break;  // shut down while connecting
    }
    return connected;
}

bool TcpTransport::tryAddress(const void* address, unsigned length, int family, Clock::time_point deadline,
                              CallFailure& failure)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        failure = {"socket()", errno};
        return false;
    }
    int error = 0;
    if (::connect(fd, static_cast<const sockaddr*>(address), length) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            pollfd fds[2] = {{shutdownFd_, POLLIN, 0}, {fd, POLLOUT, 0}};
            int n = 0;
            while ((n = ::poll(fds, 2, remainingMs(deadline))) < 0 && errno == EINTR) {
            }
            const int pollError = errno;
            socklen_t size = sizeof error;
            if (n > 0 && (fds[0].revents & POLLIN)) {
                ::close(fd);
                failure = {};
                return false;
            }
            if (n < 0) {  // the connect's outcome is unknown: SO_ERROR would read 0 for one still going
                ::close(fd);
                failure = {"poll()", pollError};
                return false;
            }
            if (n == 0)
                error = ETIMEDOUT;
            else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                error = errno;
            else if (error == 0 && !(fds[1].revents & POLLOUT))
                error = ENOTCONN;
        }
    }
    if (error != 0) {
        ::close(fd);
        failure = {"connect()", error};
        return false;
    }
    setOption(fd, IPPROTO_TCP, TCP_NODELAY, 1);  // a frame goes out at once, not after the next ack
    setOption(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
    setOption(fd, IPPROTO_TCP, TCP_KEEPIDLE, kKeepIdleSeconds);
    setOption(fd, IPPROTO_TCP, TCP_KEEPINTVL, kKeepIntervalSeconds);
    setOption(fd, IPPROTO_TCP, TCP_KEEPCNT, kKeepCount);
    std::lock_guard lock(lineMutex_);
    lineFd_ = fd;
    if (telnet_)
        answerLocked(telnet_->opening());
    return true;
}

// Answers go out without waiting; what the socket does not take now goes once it has room, ahead of
// anything else, so a command is never cut in half.
void TcpTransport::answerLocked(const std::string& reply)
{
    if (pendingAnswers_.size() + reply.size() <= kMaxPendingAnswers)
        pendingAnswers_ += reply;
    while (!pendingAnswers_.empty()) {
        const ssize_t n = ::send(lineFd_, pendingAnswers_.data(), pendingAnswers_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;  // full, or failing: the next read or send meets the failure
        pendingAnswers_.erase(0, static_cast<std::size_t>(n));
    }
}

// Answers still waiting lead, ahead of the data.
std::string TcpTransport::encodeLocked(std::string_view text)
{
    if (!telnet_)
        return std::string(text);
    return std::exchange(pendingAnswers_, {}) + telnet::ComPortClient::encode(text);
}

// Telnet commands are answered and taken out; what stays is the line's data, never longer.
std::size_t TcpTransport::decodeLocked(std::span<std::uint8_t> bytes)
{
    if (!telnet_)
        return bytes.size();
    std::string data;
    answerLocked(telnet_->receive(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), data));
    std::memcpy(bytes.data(), data.data(), data.size());
    return data.size();
}

// What arrived and was not read yet is discarded, as a tty's input purge does: what is there now,
// not what a streaming peer keeps sending meanwhile.
void TcpTransport::purgeInputLocked()
{
    int queued = 0;
    if (::ioctl(lineFd_, FIONREAD, &queued) != 0 || queued <= 0)
        return;
    std::size_t left = std::min(static_cast<std::size_t>(queued), kMaxPurge);
    std::uint8_t scrap[512];
    while (left > 0) {
        const ssize_t n = ::recv(lineFd_, scrap, std::min(left, sizeof scrap), MSG_DONTWAIT);
        if (n <= 0)
            return;
        left -= static_cast<std::size_t>(n);
        decodeLocked(std::span(scrap, static_cast<std::size_t>(n)));  // negotiation still answered
    }
}

// send() instead of write(): a peer that went away must not raise SIGPIPE.
long TcpTransport::writeSomeLocked(const char* data, std::size_t size)
{
    return ::send(lineFd_, data, size, MSG_NOSIGNAL);
}

}  // namespace tonel::detail

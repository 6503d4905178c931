#include "device/detail/TcpTransport.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::detail {
namespace {

void setOption(int fd, int level, int name, int value) { ::setsockopt(fd, level, name, &value, sizeof value); }

// getaddrinfo's own codes, in errno terms for the report.
int resolveError(int code)
{
    switch (code) {
    case EAI_SYSTEM: return errno;
    case EAI_NONAME: return EHOSTUNREACH;
    case EAI_AGAIN: return EAGAIN;
    case EAI_MEMORY: return ENOMEM;
    default: return EINVAL;
    }
}

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

TcpTransport::TcpTransport(std::string host, std::string service, bool comPortOption)
    : host_(std::move(host)), service_(std::move(service)), comPortOption_(comPortOption)
{
}

bool TcpTransport::openLine(const LineSettings& settings, std::vector<CallFailure>&, CallFailure& failure)
{
    if (!comPortOption_)
        return true;  // a raw line's settings are the server's business
    telnet::LineRequest line;
    if (!comPortLine(settings, line)) {
        failure = {"open()", EINVAL};
        return false;
    }
    telnet_.emplace(line);
    return true;
}

bool TcpTransport::connectLine(Clock::time_point deadline, CallFailure& failure)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    // The name lookup has no deadline of its own; it runs here, on the port's thread, never on the caller's.
    if (const int code = ::getaddrinfo(host_.c_str(), service_.c_str(), &hints, &found); code != 0) {
        failure = {"getaddrinfo()", resolveError(code)};
        return false;
    }
    bool connected = false;
    for (addrinfo* a = found; a != nullptr && !connected; a = a->ai_next) {
        connected = tryAddress(a->ai_addr, a->ai_addrlen, a->ai_family, deadline, failure);
        if (failure.operation.empty())
            break;  // shut down while connecting
    }
    ::freeaddrinfo(found);
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
            socklen_t size = sizeof error;
            if (fds[0].revents & POLLIN) {
                ::close(fd);
                failure = {};
                return false;
            }
            if (n == 0)
                error = ETIMEDOUT;
            else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                error = errno;
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

// Negotiation is a few dozen bytes: the socket's buffer takes them at once.
void TcpTransport::answerLocked(const std::string& reply)
{
    if (!reply.empty())
        ::send(lineFd_, reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::string TcpTransport::encodeLocked(std::string_view text)
{
    return telnet_ ? telnet::ComPortClient::encode(text) : std::string(text);
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

// What arrived and was not read yet is discarded, as a tty's input purge does.
void TcpTransport::purgeInputLocked()
{
    std::uint8_t scrap[512];
    for (ssize_t n; (n = ::recv(lineFd_, scrap, sizeof scrap, MSG_DONTWAIT)) > 0;)
        decodeLocked(std::span(scrap, static_cast<std::size_t>(n)));  // negotiation still answered
}

// send() instead of write(): a peer that went away must not raise SIGPIPE.
long TcpTransport::writeSomeLocked(const char* data, std::size_t size)
{
    return ::send(lineFd_, data, size, MSG_NOSIGNAL);
}

}  // namespace tonel::detail

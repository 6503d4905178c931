#include "emulator/Listener.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::emulator {

std::optional<ListenAddress> parseListenAddress(std::string_view text)
{
    ListenAddress address;
    std::string_view port = text;
    if (text.starts_with('[')) {
        const auto close = text.find("]:");
        if (close == std::string_view::npos)
            return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        port = text.substr(close + 2);
    } else if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        address.host = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
    }
    unsigned number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || address.host.empty() || error != std::errc{} || end != port.data() + port.size() || number > 65535)
        return std::nullopt;
    address.port = std::string(port);
    return address;
}

int openListener(const ListenAddress& address, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int status = ::getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found); status != 0) {
        error = ::gai_strerror(status);
        return -1;
    }
    int listener = -1;
    for (addrinfo* a = found; a && listener < 0; a = a->ai_next) {
        listener = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        const int on = 1;
        // A restarted emulator takes its port back at once, though the last client's socket lingers.
        if (listener >= 0 && (::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
                              ::bind(listener, a->ai_addr, a->ai_addrlen) != 0 || ::listen(listener, 4) != 0)) {
            error = std::strerror(errno);
            ::close(listener);
            listener = -1;
        }
    }
    ::freeaddrinfo(found);
    return listener;
}

std::uint16_t boundPort(int listener)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

int acceptClient(int listener)
{
    const int client = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client >= 0) {
        const int on = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // frames are short: no batching
    }
    return client;
}

std::string networkPortName(const ListenAddress& address, std::uint16_t port, bool rfc2217)
{
    std::string host = address.host;
    if (host == "0.0.0.0")
        host = "127.0.0.1";
    else if (host == "::")
        host = "::1";
    if (host.find(':') != std::string::npos)
        host = "[" + host + "]";
    return (rfc2217 ? "rfc2217://" : "tcp://") + host + ":" + std::to_string(port);
}

}  // namespace tonel::emulator

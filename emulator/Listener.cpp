#include "emulator/Listener.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::emulator {

int openListener(const ListenAddress& address, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int status = ::getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found); status != 0) {
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
    return (rfc2217 ? "rfc2217://" : "tcp://") + formatHostPort({host, port});
}

}  // namespace tonel::emulator

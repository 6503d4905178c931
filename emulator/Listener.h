#pragma once
// The emulator's end of a network line: a TCP listening socket that takes one client at a time,
// as a serial device server serves one line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonel::emulator {

struct ListenAddress {
    std::string host = "127.0.0.1";  // loopback unless told otherwise: nothing is exposed by default
    std::string port;
};

// "[HOST:]PORT", with "[v6-address]:PORT" for IPv6; nullopt when the port is not a number 0-65535.
std::optional<ListenAddress> parseListenAddress(std::string_view text);

// A non-blocking listening socket, or -1 with `error` set.
int openListener(const ListenAddress& address, std::string& error);
// The port a listening socket is bound to (useful after asking for port 0).
std::uint16_t boundPort(int listener);
// The next waiting client, non-blocking with TCP_NODELAY; -1 when none is waiting.
int acceptClient(int listener);

// What a controller opens to reach `address`: "tcp://HOST:PORT" (a wildcard host becomes loopback).
std::string networkPortName(const ListenAddress& address, std::uint16_t port, bool rfc2217);

}  // namespace tonel::emulator

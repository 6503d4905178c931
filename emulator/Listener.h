#pragma once
// The emulator's end of a network line: a TCP listening socket that takes one client at a time,
// as a serial device server serves one line.

#include "device/PortName.h"

#include <cstdint>
#include <string>

namespace tonel::emulator {

// Read with parseHostPort(text, kListenAddress): loopback unless a host is given, so nothing is
// exposed by default; port 0 asks for any free port.
using ListenAddress = HostPort;

// A non-blocking listening socket, or -1 with `error` set.
int openListener(const ListenAddress& address, std::string& error);
// The port a listening socket is bound to (useful after asking for port 0).
std::uint16_t boundPort(int listener);
// The next waiting client, non-blocking with TCP_NODELAY; -1 when none is waiting.
int acceptClient(int listener);

// What a controller opens to reach `address`: "tcp://HOST:PORT" (a wildcard host becomes loopback).
std::string networkPortName(const ListenAddress& address, std::uint16_t port, bool rfc2217);

}  // namespace tonel::emulator

#pragma once
// A real serial device server for tests: ser2net (Debian's package), started with its own YAML
// configuration in front of a terminal (usually the virtual processor's pseudo-terminal), on a
// free loopback port, serving raw TCP or Telnet with the COM-PORT option. Stopped on destruction.

#include "tests/support/Pty.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace tonel::testing {

class Ser2netRig {
public:
    enum class Protocol { RawTcp, Rfc2217 };

    // Starts ser2net and waits until its port accepts connections (or `timeout` passed): see ok().
    Ser2netRig(const std::string& devicePath, Protocol protocol, std::chrono::milliseconds timeout = 5s);
    ~Ser2netRig();
    Ser2netRig(const Ser2netRig&) = delete;
    Ser2netRig& operator=(const Ser2netRig&) = delete;

    bool ok() const { return child_ > 0 && error_.empty(); }
    // Why it did not start: ser2net missing, exited (with its messages), or never listened.
    const std::string& error() const { return error_; }
    std::uint16_t port() const { return port_; }
    // What a controller opens: "tcp://127.0.0.1:PORT" or "rfc2217://127.0.0.1:PORT".
    std::string portName() const;

    // The server goes away (SIGTERM, then waited for): its clients' connections close.
    void stop();
    // The server comes back on the same port; false (see error()) if it did not.
    bool restart(std::chrono::milliseconds timeout = 5s);

private:
    bool start(std::chrono::milliseconds timeout);

    Protocol protocol_;
    std::uint16_t port_ = 0;
    std::string folder_;  // the configuration and ser2net's messages
    std::string error_;
    pid_t child_ = -1;
};

// A free TCP port on 127.0.0.1 (bound once and released; nothing else on this machine races for it).
std::uint16_t freeLoopbackPort();
// A connected, non-blocking socket to 127.0.0.1:port; invalid when refused.
TerminalEnd connectLoopback(std::uint16_t port);

}  // namespace tonel::testing

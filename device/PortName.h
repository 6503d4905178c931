#pragma once
// What a port name says: a tty path, "tcp://HOST:PORT" or "rfc2217://HOST:PORT"; and the one
// reading of "HOST:PORT" that port names and the emulator's listening address share.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonel {

struct HostPort {
    std::string host;  // a name or an address; an IPv6 address without its brackets
    std::uint16_t port = 0;
    friend bool operator==(const HostPort&, const HostPort&) = default;
};

// Where the two readers of "HOST:PORT" differ.
struct HostPortRules {
    bool anyPort = false;     // port 0 ("any free port") is allowed: only for a listening socket
    std::string defaultHost;  // empty: the host is required; otherwise a bare "PORT" means this host
};
// Whom a controller connects to: host required, port 1..65535.
inline const HostPortRules kPeerAddress{};
// Where the emulator listens: "[HOST:]PORT", loopback unless told otherwise, port 0 allowed.
inline const HostPortRules kListenAddress{true, "127.0.0.1"};

struct ParsedHostPort {
    std::optional<HostPort> address;
    std::string reason;  // why not, when `address` is empty
};

// "HOST:PORT", or "[IPV6]:PORT": a bare IPv6 address is refused, as its last group would read as
// the port. The port is decimal digits only.
ParsedHostPort parseHostPort(std::string_view text, const HostPortRules& rules);
// The text parseHostPort reads back as `address` (brackets around an IPv6 address).
std::string formatHostPort(const HostPort& address);

struct PortName {
    enum class Kind { Tty, Tcp, Rfc2217, Invalid };
    Kind kind = Kind::Invalid;
    std::string path;     // Tty
    std::string host;     // Tcp, Rfc2217: a name or an address ("[::1]" without the brackets)
    std::string service;  // Tcp, Rfc2217: the port number, 1..65535
    std::string reason;   // Invalid: what is wrong with the name
};

// A name with a scheme other than the two network ones, or without host or port, is Invalid;
// anything without "://" is a tty path.
PortName parsePortName(std::string_view name);

}  // namespace tonel

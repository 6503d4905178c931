#pragma once
// What a port name says: a tty path, "tcp://HOST:PORT" or "rfc2217://HOST:PORT".

#include <string>
#include <string_view>

namespace tonel {

struct PortName {
    enum class Kind { Tty, Tcp, Rfc2217, Invalid };
    Kind kind = Kind::Invalid;
    std::string path;     // Tty
    std::string host;     // Tcp, Rfc2217: a name or an address ("[::1]" without the brackets)
    std::string service;  // Tcp, Rfc2217: the port number, 1..65535
};

// A name with a scheme other than the two network ones, or without host or port, is Invalid;
// anything without "://" is a tty path.
PortName parsePortName(std::string_view name);

}  // namespace tonel

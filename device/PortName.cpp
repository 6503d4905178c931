#include "device/PortName.h"

#include <algorithm>
#include <charconv>

namespace tonel {
namespace {

constexpr std::string_view kSchemeEnd = "://";

std::optional<std::uint16_t> readPort(std::string_view digits, const HostPortRules& rules, std::string& reason)
{
    unsigned number = 0;
    const char* end = digits.data() + digits.size();
    const bool allDigits = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    const auto [stop, error] = std::from_chars(digits.data(), end, number);
    if (!allDigits || error != std::errc{} || stop != end || number > 65535 || (number == 0 && !rules.anyPort)) {
        reason = "the port must be a number " + std::string(rules.anyPort ? "0" : "1") + "-65535";
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(number);
}

ParsedHostPort refused(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

ParsedHostPort parseHostPort(std::string_view text, const HostPortRules& rules)
{
    HostPort address;
    std::string_view port = text;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
            return refused("expected [IPV6]:PORT");
        address.host = std::string(text.substr(1, close - 1));
        port = text.substr(close + 2);
    } else if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        address.host = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
        if (address.host.find(':') != std::string::npos)
            return refused("an IPv6 address needs brackets, as in [::1]:4001");
    } else if (!rules.defaultHost.empty()) {
        address.host = rules.defaultHost;
    } else {
        return refused("expected HOST:PORT");
    }
    if (address.host.empty())
        return refused("the host is missing");
    if (address.host.find_first_of("[]/ \t\r\n") != std::string::npos || address.host.find('\0') != std::string::npos)
        return refused("\"" + address.host + "\" is not a host name or address");
    std::string reason;
    const auto number = readPort(port, rules, reason);
    if (!number)
        return refused(reason);
    address.port = *number;
    return {std::move(address), {}};
}

std::string formatHostPort(const HostPort& address)
{
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

PortName parsePortName(std::string_view name)
{
    PortName parsed;
    const std::size_t schemeEnd = name.find(kSchemeEnd);
    if (schemeEnd == std::string_view::npos) {
        if (!name.empty()) {
            parsed.kind = PortName::Kind::Tty;
            parsed.path = std::string(name);
        } else {
            parsed.reason = "the name is empty";
        }
        return parsed;
    }
    const std::string_view scheme = name.substr(0, schemeEnd);
    const PortName::Kind kind = scheme == "tcp"       ? PortName::Kind::Tcp
                                : scheme == "rfc2217" ? PortName::Kind::Rfc2217
                                                      : PortName::Kind::Invalid;
    if (kind == PortName::Kind::Invalid) {
        parsed.reason = "unknown scheme \"" + std::string(scheme) + "\" (tcp or rfc2217)";
        return parsed;
    }
    const ParsedHostPort address = parseHostPort(name.substr(schemeEnd + kSchemeEnd.size()), kPeerAddress);
    if (!address.address) {
        parsed.reason = address.reason;
        return parsed;
    }
    parsed.kind = kind;
    parsed.host = address.address->host;
    parsed.service = std::to_string(address.address->port);
    return parsed;
}

}  // namespace tonel

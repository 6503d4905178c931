#include "device/PortName.h"

#include <algorithm>
#include <cctype>

namespace tonel {
namespace {

constexpr std::string_view kSchemeEnd = "://";

bool validService(std::string_view service)
{
    if (service.empty() || service.size() > 5 ||
        !std::all_of(service.begin(), service.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    const int number = std::stoi(std::string(service));
    return number >= 1 && number <= 65535;
}

// "HOST:PORT" or "[V6ADDRESS]:PORT".
bool splitHostAndService(std::string_view rest, PortName& out)
{
    std::size_t colon = std::string_view::npos;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return false;
        out.host = std::string(rest.substr(1, close - 1));
        colon = close + 1;
    } else {
        colon = rest.rfind(':');
        if (colon == std::string_view::npos || rest.substr(0, colon).find(':') != std::string_view::npos)
            return false;  // a bare IPv6 address needs its brackets
        out.host = std::string(rest.substr(0, colon));
    }
    out.service = std::string(rest.substr(colon + 1));
    return !out.host.empty() && validService(out.service);
}

}  // namespace

PortName parsePortName(std::string_view name)
{
    PortName parsed;
    const std::size_t schemeEnd = name.find(kSchemeEnd);
    if (schemeEnd == std::string_view::npos) {
        if (!name.empty()) {
            parsed.kind = PortName::Kind::Tty;
            parsed.path = std::string(name);
        }
        return parsed;
    }
    const std::string_view scheme = name.substr(0, schemeEnd);
    const PortName::Kind kind = scheme == "tcp"       ? PortName::Kind::Tcp
                                : scheme == "rfc2217" ? PortName::Kind::Rfc2217
                                                      : PortName::Kind::Invalid;
    if (kind != PortName::Kind::Invalid && splitHostAndService(name.substr(schemeEnd + kSchemeEnd.size()), parsed))
        parsed.kind = kind;
    else
        parsed = PortName{};
    return parsed;
}

}  // namespace tonel

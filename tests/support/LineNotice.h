#pragma once
// One notice a port gives its listener, kept to be handed on later, in order, on another thread
// or at a moment the test chooses.

#include "device/SerialLine.h"

#include <string>
#include <variant>

namespace tonel::testing {

struct LineGone {
    std::string port;
};
struct LineConnected {
    std::string port;
};
using LineNotice = std::variant<std::string, LineGone, PortError, LineConnected>;  // bytes, hang-up, error, connect

inline void deliverNotice(const LineNotice& notice, LineListener& listener)
{
    if (const auto* bytes = std::get_if<std::string>(&notice))
        listener.bytesArrived(*bytes);
    else if (const auto* up = std::get_if<LineConnected>(&notice))
        listener.lineConnected(up->port);
    else if (const auto* gone = std::get_if<LineGone>(&notice))
        listener.lineGone(gone->port);
    else
        listener.portError(std::get<PortError>(notice));
}

}  // namespace tonel::testing

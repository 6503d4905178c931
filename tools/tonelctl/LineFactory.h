#pragma once
// Where tonelctl gets its lines: the device layer's port for a name, and the local serial ports
// to scan when no port is named.

#include "device/SerialLine.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tonel::ctl {

// A line plus what the exchange needs beyond the interface: how many texts have left, so the
// goodbye is out before the line closes.
class ProcessorLine : public SerialLine {
public:
    virtual std::uint64_t textsSent() const = 0;
};

// The device layer's port; a network port gives up connecting after `connectDeadline`.
std::unique_ptr<ProcessorLine> makeLine(std::chrono::milliseconds connectDeadline);

// The machine's serial ports in the order the panel tries them.
std::vector<std::string> localPortNames();

}  // namespace tonel::ctl

#pragma once
// Runs one job per port, all ports at once, and tells of each port as it finishes.

#include "model/ParameterImage.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tonel::ctl {

// What a dry run found: the frames it would have sent and the image before and after them.
struct Preview {
    std::vector<std::string> frames;
    ParameterImage before;
    ParameterImage after;
};

struct PortOutcome {
    bool ok = false;
    std::string detail;                 // what was done, or why it failed
    std::optional<std::string> file;    // the file read or written for this port
    std::optional<std::size_t> changes; // the change frames sent (a dry run: that it would send)
    std::optional<Preview> preview;     // a dry run's frames and differences
};
using PortJob = std::function<PortOutcome(std::size_t index, const std::string& port)>;
// Called on the finishing port's thread, one call at a time.
using PortFinished = std::function<void(std::size_t index, const PortOutcome& outcome)>;

// Every job on its own thread; `finished` hears of each outcome as soon as it is there, so a
// fleet's output does not wait for its slowest room. Outcomes in the order of `ports`.
std::vector<PortOutcome> runOnPorts(const std::vector<std::string>& ports, const PortJob& job,
                                    const PortFinished& finished = {});

// Why a port name cannot be used, before anything is opened; nothing when it is well formed.
std::optional<std::string> malformedPortName(const std::string& name);

// A file name for a port's image inside a folder: "/dev/ttyUSB0" gives "ttyUSB0.cfg",
// "tcp://10.0.0.7:4001" gives "tcp-10.0.0.7-4001.cfg".
std::string imageFileNameFor(const std::string& port);

}  // namespace tonel::ctl

#pragma once
// Runs one job per port, all ports at once, and reports one line per port.

#include "tools/tonelctl/Console.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tonel::ctl {

struct PortOutcome {
    bool ok = false;
    std::string detail;  // what was done, or why it failed
};
using PortJob = std::function<PortOutcome(std::size_t index, const std::string& port)>;

// Every job on its own thread; outcomes in the order of `ports`.
std::vector<PortOutcome> runOnPorts(const std::vector<std::string>& ports, const PortJob& job);

// "PORT<TAB>ok|failed<TAB>DETAIL" on stdout per port, failures also on stderr. Exit code 0 when
// every port succeeded, 1 otherwise.
int reportOutcomes(const std::vector<std::string>& ports, const std::vector<PortOutcome>& outcomes,
                   const Console& console);

// Why a port name cannot be used, before anything is opened; nothing when it is well formed.
std::optional<std::string> malformedPortName(const std::string& name);

// A file name for a port's image inside a folder: "/dev/ttyUSB0" gives "ttyUSB0.cfg",
// "tcp://10.0.0.7:4001" gives "tcp-10.0.0.7-4001.cfg".
std::string imageFileNameFor(const std::string& port);

}  // namespace tonel::ctl

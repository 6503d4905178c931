#pragma once
// The tonelctl commands, each returning the exit code.

#include "tools/tonelctl/Console.h"
#include "tools/tonelctl/ProcessorExchange.h"
#include "model/ParameterChange.h"

#include <optional>
#include <string>
#include <vector>

namespace tonel::ctl {

struct PortOptions {
    std::vector<std::string> ports;  // empty: the local serial ports, as the panel scans them
    ExchangeTiming timing;
};

int probeCommand(const PortOptions& options, const Console& console);
int readCommand(const PortOptions& options, const std::string& output, const Console& console);
int writeCommand(const PortOptions& options, const std::string& file, bool store, const Console& console);
int showCommand(const std::optional<std::string>& file, const PortOptions& options, bool json, const Console& console);
int diffCommand(const std::string& a, const std::string& b, bool json, const Console& console);
int setCommand(const std::optional<std::string>& file, const PortOptions& options,
               const std::vector<std::string>& assignments, const Console& console, ValueReading reading = {});
// The catalog, or the names matching the glob `pattern`; none matching is a failure.
int namesCommand(bool json, const std::string& pattern, const Console& console);

// The halves of show and set that work on a file; set's assignments are already checked.
int showFileCommand(const std::string& file, bool json, const Console& console);
int setFileCommand(const std::string& file, const std::vector<Assignment>& assignments, const Console& console);

}  // namespace tonel::ctl

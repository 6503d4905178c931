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
    std::vector<std::string> ports;  // ports or room names; empty: the local serial ports, as the panel scans them
    ExchangeTiming timing;
    bool all = false;                        // every processor of the fleet
    std::optional<std::string> fleetFile;    // --fleet; otherwise the fleet file is looked for
    bool json = false;                       // one JSON object per port instead of the text line
    bool dryRun = false;                     // read and show what would be sent, send nothing
};

// What write does besides the upload.
struct WriteChoices {
    bool store = false;  // make the processor keep it
    bool force = false;  // send a file whose bytes lie outside their ranges
};

int probeCommand(const PortOptions& options, const Console& console);
int readCommand(const PortOptions& options, const std::string& output, const Console& console);
// `source` is a file, or a folder of backups named as read names them.
int writeCommand(const PortOptions& options, const std::string& source, WriteChoices choices, const Console& console);
int fleetCommand(const PortOptions& options, bool json, const Console& console);
int showCommand(const std::optional<std::string>& file, const PortOptions& options, bool json, const Console& console);
// Any two sources: the files first, then the processors --port names.
int diffCommand(const std::vector<std::string>& files, const PortOptions& ports, bool json, const Console& console);
int setCommand(const std::optional<std::string>& file, const PortOptions& options,
               const std::vector<std::string>& assignments, const Console& console, ValueReading reading = {});
// The catalog, or the names matching the glob `pattern`; none matching is a failure.
int namesCommand(bool json, const std::string& pattern, const Console& console);

// The halves of show and set that work on a file; set's assignments are already checked.
int showFileCommand(const std::string& file, bool json, const Console& console);
int setFileCommand(const std::string& file, const std::vector<Assignment>& assignments, const Console& console);

}  // namespace tonel::ctl

#pragma once
// A venue's processors by room name: a fleet file lists them one a line, like /etc/hosts
//
//   # name     port
//   room01     tcp://10.1.0.11:4001
//   lobby      /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0
//
// so that scripts, the panel and the web service say "room07" where they would say a port.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonel {

struct FleetEntry {
    std::string name;  // [A-Za-z0-9_.-]+, unique in its file
    std::string port;  // a port name as parsePortName takes it
    int line = 0;      // where it stands in its file
};

struct Fleet {
    // The file is read whole, so it is kept small: a venue has tens of rooms, not thousands.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    static constexpr std::size_t kMaxEntries = 4096;

    std::string source;  // the file it came from, for messages
    std::vector<FleetEntry> entries;

    const FleetEntry* find(std::string_view name) const;
};

// A fleet, or the first fault in its text: "FILE:LINE: what is wrong".
struct FleetLoad {
    std::optional<Fleet> fleet;
    std::string error;
};

bool isFleetName(std::string_view name);
FleetLoad parseFleet(std::string_view text, const std::string& source);
FleetLoad loadFleetFile(const std::string& path);

// Where the fleet file is: `explicitPath` (from --fleet) if given, else $TONEL_FLEET, else
// $XDG_CONFIG_HOME/tonel/fleet (or ~/.config/tonel/fleet), else /etc/tonel/fleet. Only an explicit
// path or $TONEL_FLEET must exist; the others are used when they do. Nothing: no fleet is set up.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
using FileExists = std::function<bool(const std::string& path)>;
std::optional<std::string> locateFleetFile(const std::optional<std::string>& explicitPath,
                                           const EnvironmentLookup& environment, const FileExists& exists);
// The same with the process's environment and file system.
std::optional<std::string> locateFleetFile(const std::optional<std::string>& explicitPath);

// The fleet file locateFleetFile(explicitPath) finds, read: no fleet and no error when none is set up.
FleetLoad loadLocatedFleet(const std::optional<std::string>& explicitPath);

// Whether a name given where a port goes means a room: it is neither a path nor a URL.
bool namesARoom(std::string_view given);

// A port as the user gave it, resolved: a room of the fleet becomes its port; a name that is not a
// room is used as a port name when it looks like one (a path or a URL), otherwise it is an unknown
// room. `error` is empty on success.
struct ResolvedPort {
    std::string name;  // the room, empty for a port given directly
    std::string port;
    std::string error;
};
ResolvedPort resolvePort(std::string_view given, const Fleet* fleet);

}  // namespace tonel

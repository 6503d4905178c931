#pragma once
// Which processors a command works on: the ports and rooms given with --port, every room of the
// fleet with --all, or else the local serial ports. Everything is checked before a port opens.

#include "device/Fleet.h"
#include "tools/tonelctl/Commands.h"

#include <optional>
#include <string>
#include <vector>

namespace tonel::ctl {

struct PortTarget {
    std::string name;  // the room, empty for a port given directly
    std::string port;

    // What outcome lines call it: the room, else the port. A room name has no '/', a port always
    // has one, so a script tells them apart.
    const std::string& label() const { return name.empty() ? port : name; }
    // For messages to the operator: "room07 (tcp://10.1.0.17:4001)", or the port alone.
    std::string described() const { return name.empty() ? port : name + " (" + port + ")"; }
    // The file its image goes to in a backup folder: NAME.cfg for a room.
    std::string fileName() const;
};

// The fleet file the options point at (--fleet, else where it is looked for), loaded into `fleet`;
// left empty when none is set up. False when the file cannot be read or has a bad line: the
// command ends with a usage error, reported and in `code`.
bool loadChosenFleet(const PortOptions& options, std::optional<Fleet>& fleet, const Console& console, int& code);

// The targets --port and --all name, resolved and checked (empty when neither was given); nothing
// when the command must end, with the reason reported and `code` set.
std::optional<std::vector<PortTarget>> namedTargets(const PortOptions& options, const Console& console, int& code);

// The named targets, or with none named the first local port whose processor answers, as the
// panel finds it.
std::optional<std::vector<PortTarget>> chooseTargets(const PortOptions& options, const Console& console, int& code);

std::vector<std::string> portsOf(const std::vector<PortTarget>& targets);

}  // namespace tonel::ctl

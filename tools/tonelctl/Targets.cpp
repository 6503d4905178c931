#include "tools/tonelctl/Targets.h"

#include "tools/tonelctl/LineFactory.h"
#include "tools/tonelctl/PortRunner.h"
#include "tools/tonelctl/ProcessorExchange.h"

#include <algorithm>
#include <set>

namespace tonel::ctl {
namespace {

constexpr const char* kNoLocalPort = "no serial port found on this machine; name one with --port";

// Malformed or repeated ports end the command before any port is opened.
bool targetsUsable(const std::vector<PortTarget>& targets, const Console& console, int& code)
{
    std::set<std::string> seen;
    for (const PortTarget& target : targets) {
        if (auto why = malformedPortName(target.port)) {
            code = console.fail(*why, kExitUsage);
            return false;
        }
        if (!seen.insert(target.port).second) {
            code = console.fail("port " + target.described() + " is named twice", kExitUsage);
            return false;
        }
    }
    return true;
}

}  // namespace

std::string PortTarget::fileName() const { return name.empty() ? imageFileNameFor(port) : name + ".cfg"; }

std::vector<std::string> portsOf(const std::vector<PortTarget>& targets)
{
    std::vector<std::string> ports;
    for (const PortTarget& target : targets)
        ports.push_back(target.port);
    return ports;
}

bool loadChosenFleet(const PortOptions& options, std::optional<Fleet>& fleet, const Console& console, int& code)
{
    FleetLoad load = loadLocatedFleet(options.fleetFile);
    if (!load.error.empty()) {
        code = console.fail("fleet file " + load.error, kExitUsage);
        return false;
    }
    fleet = std::move(load.fleet);
    return true;
}

std::optional<std::vector<PortTarget>> namedTargets(const PortOptions& options, const Console& console, int& code)
{
    // The fleet is read when given with --fleet or needed for a room, so a broken fleet file found
    // on its own cannot stop a command that names its ports directly.
    std::optional<Fleet> fleet;
    const bool needsFleet = options.all || options.fleetFile ||
                            std::any_of(options.ports.begin(), options.ports.end(),
                                        [](const std::string& given) { return namesARoom(given); });
    if (needsFleet && !loadChosenFleet(options, fleet, console, code))
        return std::nullopt;
    std::vector<PortTarget> targets;
    if (options.all) {
        if (!fleet) {
            code = console.fail("--all needs a fleet file: give --fleet FILE, set TONEL_FLEET or write "
                                "~/.config/tonel/fleet",
                                kExitUsage);
            return std::nullopt;
        }
        if (fleet->entries.empty()) {
            code = console.fail(fleet->source + " names no processors", kExitUsage);
            return std::nullopt;
        }
        for (const FleetEntry& entry : fleet->entries)
            targets.push_back({entry.name, entry.port});
    }
    for (const std::string& given : options.ports) {
        ResolvedPort resolved = resolvePort(given, fleet ? &*fleet : nullptr);
        if (!resolved.error.empty()) {
            code = console.fail(resolved.error, kExitUsage);
            return std::nullopt;
        }
        targets.push_back({std::move(resolved.name), std::move(resolved.port)});
    }
    if (!targetsUsable(targets, console, code))
        return std::nullopt;
    return targets;
}

std::optional<std::vector<PortTarget>> chooseTargets(const PortOptions& options, const Console& console, int& code)
{
    auto targets = namedTargets(options, console, code);
    if (!targets || !targets->empty())
        return targets;
    const std::vector<std::string> local = localPortNames();
    if (local.empty()) {
        code = console.fail(kNoLocalPort, kExitFailed);
        return std::nullopt;
    }
    std::string reasons;
    for (const std::string& port : local) {
        ProcessorExchange exchange(port, options.timing);
        const std::string why = exchange.greet();
        if (why.empty())
            return std::vector<PortTarget>{{{}, port}};
        reasons += "\n  " + port + ": " + why;
    }
    code = console.fail("no processor found on the local serial ports:" + reasons, kExitFailed);
    return std::nullopt;
}

}  // namespace tonel::ctl

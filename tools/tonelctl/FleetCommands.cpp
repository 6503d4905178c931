// fleet: the rooms of the fleet file, in its order, and which file that was.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/Targets.h"

#include <nlohmann/json.hpp>

namespace tonel::ctl {

int fleetCommand(const PortOptions& options, bool json, const Console& console)
{
    int code = kExitOk;
    std::optional<Fleet> fleet;
    if (!loadChosenFleet(options, fleet, console, code))
        return code;
    if (!fleet)
        return console.fail("no fleet file is set up: give --fleet FILE, set TONEL_FLEET or write "
                            "~/.config/tonel/fleet (or /etc/tonel/fleet)",
                            kExitUsage);
    if (json) {
        using Json = nlohmann::ordered_json;
        auto rooms = Json::array();
        for (const FleetEntry& entry : fleet->entries)
            rooms.push_back({{"name", entry.name}, {"port", entry.port}, {"line", entry.line}});
        const Json listing = {{"file", fleet->source}, {"rooms", rooms}};
        console.out << listing.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
        return kExitOk;
    }
    // The file on stderr keeps stdout to "NAME<TAB>PORT" lines for `while read name port`.
    console.err << "tonelctl: " << printable(fleet->source) << ": " << fleet->entries.size() << " processor"
                << (fleet->entries.size() == 1 ? "" : "s") << '\n';
    for (const FleetEntry& entry : fleet->entries)
        console.out << entry.name << '\t' << printable(entry.port) << '\n';
    return kExitOk;
}

}  // namespace tonel::ctl

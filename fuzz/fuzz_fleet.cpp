// Any text as a fleet file: never a crash, a fault named by its line for every refusal, and every
// room it accepts is a valid name with a port name, found again by that name.
#include "device/Fleet.h"
#include "fuzz/Check.h"
#include "device/PortName.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using tonel::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tonel;
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const FleetLoad load = parseFleet(text, "fleet");
    check(load.fleet.has_value() == load.error.empty());
    if (!load.fleet) {
        check(load.error.starts_with("fleet:"));
        return 0;
    }
    for (const FleetEntry& entry : load.fleet->entries) {
        check(isFleetName(entry.name));
        check(parsePortName(entry.port).kind != PortName::Kind::Invalid);
        check(load.fleet->find(entry.name) == &entry);
        const ResolvedPort resolved = resolvePort(entry.name, &*load.fleet);
        check(resolved.error.empty() && resolved.port == entry.port);
    }
    return 0;
}

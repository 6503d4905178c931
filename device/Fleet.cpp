#include "device/Fleet.h"

#include "device/PortName.h"
#include "device/SmallFile.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace tonel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '-';
}

// The blank-separated fields of a line, up to a comment.
std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size() || line[i] == '#')
            break;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// Control characters would let a file forge lines in listings and logs.
bool hasControlCharacter(std::string_view line)
{
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

FleetLoad fault(const std::string& source, int line, const std::string& what)
{
    return {std::nullopt, source + ":" + std::to_string(line) + ": " + what};
}

bool looksLikePort(std::string_view given)
{
    return given.find('/') != std::string_view::npos || given.find("://") != std::string_view::npos;
}

}  // namespace

const FleetEntry* Fleet::find(std::string_view name) const
{
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const FleetEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

bool isFleetName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), isNameCharacter);
}

FleetLoad parseFleet(std::string_view text, const std::string& source)
{
    Fleet fleet;
    fleet.source = source;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (hasControlCharacter(line))
            return fault(source, number, "a control character in the line");
        const std::vector<std::string_view> fields = fieldsOf(line);
        if (fields.empty())
            continue;
        const std::string name(fields[0]);
        if (!isFleetName(name))
            return fault(source, number, "\"" + name + "\" is not a room name (letters, digits, _ . - only)");
        if (fields.size() == 1)
            return fault(source, number, name + " has no port");
        if (fields.size() > 2)
            return fault(source, number, "more than a name and a port (a port name has no blanks)");
        const std::string port(fields[1]);
        if (parsePortName(port).kind == PortName::Kind::Invalid)
            return fault(source, number,
                         "\"" + port + "\" is not a port name (a tty path, tcp://HOST:PORT or rfc2217://HOST:PORT)");
        if (const FleetEntry* earlier = fleet.find(name))
            return fault(source, number, name + " is already named at line " + std::to_string(earlier->line));
        if (fleet.entries.size() == Fleet::kMaxEntries)
            return fault(source, number, "more than " + std::to_string(Fleet::kMaxEntries) + " processors");
        fleet.entries.push_back({name, port, number});
    }
    return {std::move(fleet), {}};
}

FleetLoad loadFleetFile(const std::string& path)
{
    const SmallFile file = readSmallFile(path, Fleet::kMaxFileBytes);
    if (!file.text)
        return {std::nullopt, file.error};
    return parseFleet(*file.text, path);
}

std::optional<std::string> locateFleetFile(const std::optional<std::string>& explicitPath,
                                           const EnvironmentLookup& environment, const FileExists& exists)
{
    if (explicitPath)
        return explicitPath;
    if (auto named = environment("TONEL_FLEET"); named && !named->empty())
        return named;
    std::optional<std::string> config = environment("XDG_CONFIG_HOME");
    if (!config || config->empty() || !config->starts_with('/')) {
        const std::optional<std::string> home = environment("HOME");
        config = home && !home->empty() ? std::optional(*home + "/.config") : std::nullopt;
    }
    if (config && exists(*config + "/tonel/fleet"))
        return *config + "/tonel/fleet";
    if (exists("/etc/tonel/fleet"))
        return "/etc/tonel/fleet";
    return std::nullopt;
}

std::optional<std::string> locateFleetFile(const std::optional<std::string>& explicitPath)
{
    return locateFleetFile(
        explicitPath,
        [](const char* name) -> std::optional<std::string> {
            const char* value = std::getenv(name);
            return value ? std::optional<std::string>(value) : std::nullopt;
        },
        [](const std::string& path) { return ::access(path.c_str(), F_OK) == 0; });
}

FleetLoad loadLocatedFleet(const std::optional<std::string>& explicitPath)
{
    const std::optional<std::string> path = locateFleetFile(explicitPath);
    return path ? loadFleetFile(*path) : FleetLoad{};
}

bool namesARoom(std::string_view given) { return !looksLikePort(given); }

ResolvedPort resolvePort(std::string_view given, const Fleet* fleet)
{
    if (fleet) {
        if (const FleetEntry* entry = fleet->find(given))
            return {entry->name, entry->port, {}};
    }
    if (looksLikePort(given))
        return {{}, std::string(given), {}};
    const std::string name(given);
    if (!fleet)
        return {{}, {}, "\"" + name + "\" is neither a port (a tty path, tcp://HOST:PORT or rfc2217://HOST:PORT) nor a room: no fleet file is set up"};
    return {{}, {}, "no room \"" + name + "\" in " + fleet->source};
}

}  // namespace tonel

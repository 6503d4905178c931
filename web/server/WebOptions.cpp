#include "web/server/WebOptions.h"

#include "device/PortName.h"
#include "web/server/Access.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

namespace tonel::web {
namespace {

bool isFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Installed beside the program, else the source tree's (a program run from its build folder).
std::string defaultPanelFolder() { return isFolder(TONEL_WEB_PANEL_DIR) ? TONEL_WEB_PANEL_DIR : TONEL_WEB_SOURCE_PANEL_DIR; }

ParsedWebOptions failure(const std::string& text) { return {std::nullopt, 2, "tonel-web: " + text + "\n"}; }

}  // namespace

ParsedWebOptions parseWebOptions(int argc, const char* const* argv)
{
    CLI::App app{"tonel-web: the venue's processors on the network, for the browser panel, scripts and Prometheus.",
                 "tonel-web"};
    std::string listen = "127.0.0.1:8380";
    std::optional<std::string> fleetFile;
    std::vector<std::string> ports;
    std::optional<std::string> tokenFile;
    std::string panelFolder = defaultPanelFolder();
    app.set_version_flag("--version", "tonel-web 1.0");
    app.add_option("--listen", listen, "[HOST:]PORT to serve on; anything but loopback needs --token-file")
        ->capture_default_str();
    auto* fleet = app.add_option("--fleet", fleetFile,
                                 "the fleet file (else $TONEL_FLEET, $XDG_CONFIG_HOME/tonel/fleet, /etc/tonel/fleet)");
    app.add_option("--port", ports, "a processor as NAME=PORT instead of the fleet file (repeatable)")->excludes(fleet);
    app.add_option("--token-file", tokenFile, "a file holding the access token (16 characters or more)");
    app.add_option("--panel-dir", panelFolder, "the browser panel's files")->capture_default_str();
    app.footer("Processors that go away are retried every 1 s, doubling to 30 s. SIGTERM and SIGINT say goodbye to\n"
               "every processor and stop.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, 0, app.help()};
    } catch (const CLI::CallForVersion&) {
        return {std::nullopt, 0, app.version() + "\n"};
    } catch (const CLI::ParseError& e) {
        return failure(std::string(e.what()) + " (see tonel-web --help)");
    }

    WebOptions options;
    options.panelFolder = panelFolder;
    const ParsedHostPort address = parseHostPort(listen, kListenAddress);
    if (!address.address)
        return failure("--listen " + listen + ": " + address.reason);
    options.host = address.address->host;
    options.port = std::to_string(address.address->port);
    if (tokenFile) {
        TokenLoad token = readTokenFile(*tokenFile);
        if (!token.token)
            return failure(token.error);
        options.token = std::move(token.token);
    } else if (!isLoopbackHost(options.host)) {
        return failure("listening on " + listen +
                       " needs --token-file: without a token anyone on that network could change the processors");
    }
    for (const std::string& given : ports) {
        const std::size_t eq = given.find('=');
        const std::string name = given.substr(0, eq);
        const std::string port = eq == std::string::npos ? std::string() : given.substr(eq + 1);
        if (eq == std::string::npos || !isFleetName(name))
            return failure("--port " + given + ": expected NAME=PORT, the name of letters, digits, _ . -");
        if (const PortName parsed = parsePortName(port); parsed.kind == PortName::Kind::Invalid)
            return failure("--port " + given + ": " + parsed.reason);
        for (const FleetEntry& earlier : options.processors) {
            if (earlier.name == name)
                return failure("--port " + given + ": " + name + " is named twice");
        }
        options.processors.push_back({name, port, 0});
    }
    if (options.processors.empty()) {
        FleetLoad load = loadLocatedFleet(fleetFile);
        if (!load.error.empty())
            return failure(load.error);
        if (!load.fleet)
            return failure("no processors: give --fleet FILE or --port NAME=PORT, or write a fleet file (~/.config/tonel/fleet)");
        if (load.fleet->entries.empty())
            return failure(load.fleet->source + ": no processors in the fleet file");
        options.processors = std::move(load.fleet->entries);
    }
    return {std::move(options), 0, {}};
}

}  // namespace tonel::web

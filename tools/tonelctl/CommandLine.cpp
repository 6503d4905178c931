#include "tools/tonelctl/CommandLine.h"

#include "tools/tonelctl/Commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>

namespace tonel::ctl {
namespace {

constexpr const char* kFooter = R"(Ports: a tty path (/dev/ttyUSB0), tcp://HOST:PORT or rfc2217://HOST:PORT. Without --port,
the local serial ports are tried in order and the first processor that answers is used (probe
tries them all). Several --port options are served at once; each port's outcome is one line
"PORT<TAB>ok|failed<TAB>DETAIL" on stdout, and failures are repeated on stderr.

Values for set: a plain number is the raw byte; anything else is read as the panel shows it
("OFF", "Hi-shelf", "-6dBV"), a frequency as its field takes it ("1.5k", "400Hz"), a gain in dB
("-3", "+4.5dB"). `tonelctl names` lists every parameter with its range and command.

Exit status: 0 success, 1 a device or file failed, 2 usage error; diff: 0 same, 1 different,
2 trouble.

Examples:
  tonelctl probe --port /dev/ttyUSB0 --port tcp://10.0.0.7:4001
  tonelctl read --port tcp://room1:4001 --port tcp://room2:4001 -o backup/
  tonelctl write tuned.cfg --port /dev/ttyUSB0 --store
  tonelctl diff backup/tcp-room3-4001.cfg backup/tcp-room7-4001.cfg
  tonelctl set --port /dev/ttyUSB0 mic.main_level=30 room.eq3.freq=1.5k)";

struct Choices {
    PortOptions ports;
    int timeoutMs = 0;
    std::string file;
    std::string secondFile;
    std::string output;
    std::vector<std::string> assignments;
    bool json = false;
    bool store = false;
};

void addPorts(CLI::App* command, Choices& c, const char* help)
{
    // One name per --port, so settings after it stay settings.
    command->add_option("--port,-p", c.ports.ports, help)->type_name("PORT")->allow_extra_args(false);
}

int usageError(const Console& console, const std::string& what)
{
    console.err << "tonelctl: " << what << "\nRun 'tonelctl --help' for the commands.\n";
    return kExitUsage;
}

}  // namespace

int runTonelctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const Console console{out, err};
    Choices c;
    CLI::App app{"tonelctl — read, write, compare and set Tonel processors from the command line", "tonelctl"};
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough();
    app.add_option("--timeout-ms", c.timeoutMs,
                   "raise every reply deadline (hello 280 ms, image 400 ms, upload 800 ms) to at least this")
        ->check(CLI::Range(1, 600000));
    std::function<int()> run;

    auto* probe = app.add_subcommand("probe", "which ports have a processor (and why not)");
    addPorts(probe, c, "a port to try (repeatable)");
    probe->callback([&] { run = [&] { return probeCommand(c.ports, console); }; });

    auto* read = app.add_subcommand("read", "read the image of each processor into PATH (one port: a file; several, or PATH/: a folder)");
    addPorts(read, c, "a port to read (repeatable)");
    read->add_option("-o,--output", c.output, "the file, or the folder for several ports")->required()->type_name("PATH");
    read->callback([&] { run = [&] { return readCommand(c.ports, c.output, console); }; });

    auto* write = app.add_subcommand("write", "upload FILE to each processor");
    write->add_option("file", c.file, "a parameter file of 188 bytes")->required()->type_name("FILE.cfg");
    addPorts(write, c, "a port to write (repeatable)");
    write->add_flag("--store", c.store, "also make the processor keep it (\"(01S)\")");
    write->callback([&] { run = [&] { return writeCommand(c.ports, c.file, c.store, console); }; });

    auto* show = app.add_subcommand("show", "every parameter of a file or a processor: name, raw byte, shown value");
    show->add_option("file", c.file, "a parameter file")->type_name("FILE.cfg");
    addPorts(show, c, "the processor's port");
    show->add_flag("--json", c.json, "one JSON array of {name, offset, raw, text}");
    show->callback([&] {
        run = [&] {
            if (c.file.empty() == c.ports.ports.empty())
                return usageError(console, "show takes either a FILE or one --port");
            return showCommand(c.file.empty() ? std::nullopt : std::optional(c.file), c.ports, c.json, console);
        };
    });

    auto* diff = app.add_subcommand("diff", "the parameters in which two files differ, with both values");
    diff->add_option("a", c.file, "first file")->required()->type_name("A.cfg");
    diff->add_option("b", c.secondFile, "second file")->required()->type_name("B.cfg");
    diff->add_flag("--json", c.json, "one JSON array of {name, offset, a: {raw, text}, b: {raw, text}}");
    diff->callback([&] { run = [&] { return diffCommand(c.file, c.secondFile, c.json, console); }; });

    auto* set = app.add_subcommand("set", "change parameters live on processors, or in a file");
    addPorts(set, c, "a processor to change (repeatable)");
    set->add_option("--file,-f", c.file, "change this parameter file instead")->type_name("FILE.cfg");
    set->add_option("settings", c.assignments, "what to change")->required()->type_name("NAME=VALUE");
    set->callback([&] {
        run = [&] {
            if (!c.file.empty() && !c.ports.ports.empty())
                return usageError(console, "set changes a --file or --port processors, not both");
            return setCommand(c.file.empty() ? std::nullopt : std::optional(c.file), c.ports, c.assignments, console);
        };
    });

    auto* names = app.add_subcommand("names", "the parameter catalog: name, offset, range, command");
    names->add_flag("--json", c.json, "one JSON array with group, range, command and default");
    names->callback([&] { run = [&] { return namesCommand(c.json, console); }; });

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << (app.get_subcommands().empty() ? app.help() : app.get_subcommands().front()->help());
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return usageError(console, e.what());
    }
    if (c.timeoutMs > 0)
        c.ports.timing = ExchangeTiming::atLeast(std::chrono::milliseconds(c.timeoutMs));
    return run ? run() : usageError(console, "no command");
}

}  // namespace tonel::ctl

#include "tools/tonelctl/CommandLine.h"

#include "tools/tonelctl/Commands.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>

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

// What the parse leaves behind: the chosen subcommand's run, called once parsing succeeded, and
// its ports, which --timeout-ms applies to.
struct Chosen {
    std::function<int(const Console&)> run;
    PortOptions* ports = nullptr;
    std::optional<std::string> fleetFile;  // --fleet, for whichever command takes ports
};

// Once `command` is parsed, `runner` is what runs, with the options it filled in.
template <class Options>
void runs(CLI::App* command, const std::shared_ptr<Options>& o, int (*runner)(const Options&, const Console&),
          Chosen& chosen, PortOptions* ports = nullptr)
{
    command->callback([o, runner, ports, &chosen] {
        chosen.ports = ports;
        chosen.run = [o, runner, ports, &chosen](const Console& console) {
            if (ports != nullptr)
                ports->fleetFile = chosen.fleetFile;
            return runner(*o, console);
        };
    });
}

// The deadlines --timeout-ms raises, as the exchange has them by default.
std::string timeoutHelp()
{
    const ExchangeTiming timing;
    const auto ms = [](std::chrono::milliseconds d) { return std::to_string(d.count()) + " ms"; };
    return "raise every reply deadline (hello " + ms(timing.hello) + ", image " + ms(timing.image) + ", upload " +
           ms(timing.upload) + ") to at least this";
}

CLI::Option* addPorts(CLI::App* command, PortOptions& ports, const char* help)
{
    // One name per --port, so settings after it stay settings.
    auto* port = command->add_option("--port,-p", ports.ports, help)->type_name("PORT|ROOM")->allow_extra_args(false);
    command->add_flag("--all", ports.all, "every processor of the fleet file")->excludes(port);
    return port;
}

// How port commands report: --json lines, and --dry-run where the command would change something.
void addReporting(CLI::App* command, PortOptions& ports, bool dryRun)
{
    command->add_flag("--json", ports.json,
                      "one JSON object per port as a line, as each finishes: {port, name (null without a room), ok, "
                      "detail, file (read or written, else null), changes (commands set sent, else null)}");
    if (dryRun)
        command->add_flag("--dry-run", ports.dryRun,
                          "read each processor and print the frames that would be sent and what they would change "
                          "(as diff prints it), after a \"# ROOM: …\" line each; send nothing");
}

// Every subcommand's options struct, setup_… (declares it) and run_… (does it).

struct ProbeOptions {
    PortOptions ports;
};

int run_probe(const ProbeOptions& o, const Console& console) { return probeCommand(o.ports, console); }

void setup_probe(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<ProbeOptions>();
    auto* probe = app.add_subcommand("probe", "which ports have a processor (and why not)");
    addPorts(probe, o->ports, "a port or room to try (repeatable)");
    addReporting(probe, o->ports, false);
    runs(probe, o, run_probe, chosen, &o->ports);
}

struct ReadOptions {
    PortOptions ports;
    std::string output;
};

int run_read(const ReadOptions& o, const Console& console) { return readCommand(o.ports, o.output, console); }

void setup_read(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<ReadOptions>();
    auto* read = app.add_subcommand(
        "read", "read the image of each processor into PATH (one port: a file; several, or PATH/: a folder)");
    addPorts(read, o->ports, "a port or room to read (repeatable)");
    read->add_option("-o,--output", o->output, "the file, or the folder for several ports (a room's image is NAME.cfg)")
        ->required()
        ->type_name("PATH");
    addReporting(read, o->ports, false);
    runs(read, o, run_read, chosen, &o->ports);
}

struct WriteOptions {
    PortOptions ports;
    std::string file;
    WriteChoices choices;
};

int run_write(const WriteOptions& o, const Console& console)
{
    return writeCommand(o.ports, o.file, o.choices, console);
}

void setup_write(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<WriteOptions>();
    auto* write = app.add_subcommand(
        "write", "upload FILE to each processor, or a FOLDER of backups: each NAME.cfg to the room of that name");
    write->add_option("file", o->file, "a parameter file of 188 bytes, or a folder read -o wrote")
        ->required()
        ->type_name("FILE.cfg|FOLDER");
    addPorts(write, o->ports, "a port or room to write (repeatable); with a FOLDER, its file as read names it");
    write->add_flag("--store", o->choices.store, "also make the processor keep it (\"(01S)\")");
    write->add_flag("--force", o->choices.force,
                    "send a file even with bytes outside their ranges (without it they are listed, nothing is sent, "
                    "exit 1)");
    addReporting(write, o->ports, true);
    runs(write, o, run_write, chosen, &o->ports);
}

struct ShowOptions {
    PortOptions ports;
    std::string file;
    bool json = false;
};

int run_show(const ShowOptions& o, const Console& console)
{
    return showCommand(o.file.empty() ? std::nullopt : std::optional(o.file), o.ports, o.json, console);
}

void setup_show(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<ShowOptions>();
    auto* show = app.add_subcommand("show", "every parameter of a file or a processor: name, raw byte, shown value");
    // Exactly one source: the file or the processor.
    auto* source = show->add_option_group("source", "a FILE or one --port");
    auto* file = source->add_option("file", o->file, "a parameter file")->type_name("FILE.cfg");
    file->excludes(addPorts(source, o->ports, "the processor's port"));
    source->require_option(1);
    show->add_flag("--json", o->json, "one JSON array of {name, offset, raw, text}");
    runs(show, o, run_show, chosen, &o->ports);
}

struct DiffOptions {
    std::vector<std::string> files;
    PortOptions ports;
    bool json = false;
};

int run_diff(const DiffOptions& o, const Console& console) { return diffCommand(o.files, o.ports, o.json, console); }

void setup_diff(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<DiffOptions>();
    auto* diff = app.add_subcommand(
        "diff", "the parameters in which two sources differ, with both values: files, or live processors with --port "
                "(files first: diff backup/room07.cfg --port room07)");
    diff->add_option("files", o->files, "files to compare (with --port: one, or none)")->type_name("FILE.cfg");
    addPorts(diff, o->ports, "a processor to read and compare (repeatable)");
    diff->add_flag("--json", o->json, "one JSON array of {name, offset, a: {raw, text}, b: {raw, text}}");
    runs(diff, o, run_diff, chosen, &o->ports);
}

struct SetOptions {
    PortOptions ports;
    std::string file;
    std::vector<std::string> assignments;
};

int run_set(const SetOptions& o, const Console& console)
{
    return setCommand(o.file.empty() ? std::nullopt : std::optional(o.file), o.ports, o.assignments, console);
}

void setup_set(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<SetOptions>();
    auto* set = app.add_subcommand("set", "change parameters live on processors, or in a file");
    auto* ports = addPorts(set, o->ports, "a processor to change (repeatable)");
    set->add_option("--file,-f", o->file, "change this parameter file instead")->type_name("FILE.cfg")->excludes(ports);
    set->add_option("settings", o->assignments, "what to change")->required()->type_name("NAME=VALUE");
    addReporting(set, o->ports, true);
    runs(set, o, run_set, chosen, &o->ports);
}

struct FleetOptions {
    PortOptions ports;  // for the fleet file chosen
    bool json = false;
};

int run_fleet(const FleetOptions& o, const Console& console) { return fleetCommand(o.ports, o.json, console); }

void setup_fleet(CLI::App& app, Chosen& chosen)
{
    app.add_option_function<std::string>(
           "--fleet", [&chosen](const std::string& file) { chosen.fleetFile = file; },
           "the fleet file naming the rooms (else $TONEL_FLEET, $XDG_CONFIG_HOME/tonel/fleet or "
           "~/.config/tonel/fleet, /etc/tonel/fleet); a room's name works wherever a port does")
        ->type_name("FILE");
    auto o = std::make_shared<FleetOptions>();
    auto* fleet = app.add_subcommand(
        "fleet", "the rooms of the fleet file: NAME<TAB>PORT per line, in its order (the file is named on stderr)");
    fleet->add_flag("--json", o->json, "one JSON object {file, rooms: [{name, port, line}]}");
    runs(fleet, o, run_fleet, chosen, &o->ports);
}

struct NamesOptions {
    bool json = false;
};

int run_names(const NamesOptions& o, const Console& console) { return namesCommand(o.json, console); }

void setup_names(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<NamesOptions>();
    auto* names = app.add_subcommand("names", "the parameter catalog: name, offset, range, command");
    names->add_flag("--json", o->json, "one JSON array with group, range, command and default");
    runs(names, o, run_names, chosen);
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
    CLI::App app{"tonelctl — read, write, compare and set Tonel processors from the command line", "tonelctl"};
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough();
    int timeoutMs = 0;
    app.add_option("--timeout-ms", timeoutMs, timeoutHelp())->check(CLI::Range(1, 600000));

    Chosen chosen;
    for (const auto setup : {setup_probe, setup_read, setup_write, setup_show, setup_diff, setup_set, setup_names, setup_fleet})
        setup(app, chosen);

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
    if (chosen.ports != nullptr && timeoutMs > 0)
        chosen.ports->timing = ExchangeTiming::atLeast(std::chrono::milliseconds(timeoutMs));
    return chosen.run ? chosen.run(console) : usageError(console, "no command");
}

}  // namespace tonel::ctl

#include "tools/tonelctl/CommandLine.h"

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <sstream>

namespace tonel::ctl {
namespace {

constexpr const char* kPortsHelp = R"(Ports: a tty path (/dev/ttyUSB0), tcp://HOST:PORT, rfc2217://HOST:PORT or a room of the fleet
file (one "NAME PORT" a line; --fleet FILE, else $TONEL_FLEET, else ~/.config/tonel/fleet, else
/etc/tonel/fleet); --all is every room. Without --port or --all, the local serial ports are tried
in order and the first processor that answers is used (probe tries them all). Several ports are
served at once; each one's outcome is one line "PORT<TAB>ok|failed<TAB>DETAIL" on stdout as it
finishes (PORT is the room's name when it was named by room: a name has no '/'), or with --json
one object {port, name, ok, detail, file, changes} a line; failures are repeated on stderr.
)";

constexpr const char* kValuesHelp = R"(
Values for set are read strictly, as show prints them: "-10.5dB", "3.15kHz", "29.5ms", "Hi-shelf",
"OFF"; the unit may be left out ("-3", "1.5k"), a choice may be its number, and "raw:N" is the byte
itself. A frequency between two steps is stored as the lower one (and said so); anything else
that is not a step, out of range or malformed ends set with status 2 before a port or file is
opened. A comma is refused as ambiguous unless --decimal-comma is given. `tonelctl names`
lists every parameter with its range and command.

Files: "-" is standard input (show -, diff A.cfg -, write -) or standard output (read -o -, one
port; the outcome line then goes to stderr). A binary image is never read from or written to a
terminal. set --file changes a file in place, so it takes no "-".

Exit status: 0 success, 1 a device or file failed (names: nothing matched), 2 usage error; diff:
0 same, 1 different, 2 trouble.

Examples:
  tonelctl probe --port /dev/ttyUSB0 --port tcp://10.0.0.7:4001
  tonelctl read --all -o backup/
  tonelctl diff backup/room07.cfg --port room07
  tonelctl write backup/ --dry-run
  tonelctl write tuned.cfg --port /dev/ttyUSB0 --store
  tonelctl set --port /dev/ttyUSB0 mic.main_level=30 room.eq3.freq=1.5kHz
  tonelctl names 'room.eq3.*'
  ssh studio tonelctl read --port /dev/ttyUSB0 -o - > studio.cfg)";

std::string ms(std::chrono::milliseconds d) { return std::to_string(d.count()) + " ms"; }

// The waits as the exchange has them, so the help cannot drift from what the program does.
std::string deadlinesHelp()
{
    const ExchangeTiming timing;
    return "\nDeadlines: a network port must connect within " + ms(timing.connect) +
           ". A processor that stays silent is\ngiven up " + ms(timing.hello) +
           " after the greeting goes out (on a network port at most " + ms(timing.connect + timing.hello) +
           " in all);\nthe image must arrive within " + ms(timing.image) + " of its request and an upload be confirmed within " +
           ms(timing.upload) + ".\n--timeout-ms N raises each of these four to at least N ms.\n";
}

std::string footer() { return kPortsHelp + deadlinesHelp() + kValuesHelp; }

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
    return "raise the connect (" + ms(timing.connect) + ") and every reply deadline (hello " + ms(timing.hello) +
           ", image " + ms(timing.image) + ", upload " + ms(timing.upload) + ") to at least this";
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
    auto* show = app.add_subcommand("show", "every parameter of a file or a processor: name, raw byte, value as set takes it");
    // Exactly one source: the file or the processor.
    auto* source = show->add_option_group("source", "a FILE or one --port");
    auto* file = source->add_option("file", o->file, "a parameter file (- for standard input)")->type_name("FILE.cfg");
    file->excludes(addPorts(source, o->ports, "the processor's port"));
    source->require_option(1);
    show->add_flag("--json", o->json,
                   "one JSON array of {name, offset, raw, value, unit, text}: value a number in unit, or a choice's text");
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
    bool decimalComma = false;
};

int run_set(const SetOptions& o, const Console& console)
{
    return setCommand(o.file.empty() ? std::nullopt : std::optional(o.file), o.ports, o.assignments, console,
                      ValueReading{o.decimalComma});
}

void setup_set(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<SetOptions>();
    auto* set = app.add_subcommand("set", "change parameters live on processors, or in a file");
    auto* ports = addPorts(set, o->ports, "a processor to change (repeatable)");
    set->add_option("--file,-f", o->file, "change this parameter file instead")->type_name("FILE.cfg")->excludes(ports);
    set->add_option("settings", o->assignments, "what to change, as one change in any order")
        ->required()
        ->type_name("NAME=VALUE");
    set->add_flag("--decimal-comma", o->decimalComma, "read a comma in a value as the decimal point (\"-10,5dB\")");
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
    std::string pattern;
};

int run_names(const NamesOptions& o, const Console& console) { return namesCommand(o.json, o.pattern, console); }

void setup_names(CLI::App& app, Chosen& chosen)
{
    auto o = std::make_shared<NamesOptions>();
    auto* names = app.add_subcommand("names", "the parameter catalog: name, offset, range, command");
    names->add_option("pattern", o->pattern, "only the names matching this glob ('room.eq3.*')")->type_name("PATTERN");
    names->add_flag("--json", o->json, "one JSON array with group, range, command and default");
    runs(names, o, run_names, chosen);
}

// A usage error, and where to read about it: the subcommand's own help when there is one.
int usageError(const Console& console, const std::string& what, const CLI::App* command = nullptr)
{
    const std::string help = command == nullptr ? "tonelctl --help" : "tonelctl " + command->get_name() + " --help";
    console.err << "tonelctl: " << what << "\nRun '" << help << "' for "
                << (command == nullptr ? "the commands" : "its options") << ".\n";
    return kExitUsage;
}

// The reason a parse failed, in the operator's words: an unknown command is named as such.
std::string parseFailure(const CLI::App& app, const CLI::ParseError& e)
{
    const std::vector<std::string> left = app.remaining();
    if (app.get_subcommands().empty() && !left.empty() && !left.front().starts_with('-'))
        return "unknown command '" + printable(left.front()) + "'";
    return e.what();
}

// Whether the command sends an image to standard output, which then carries nothing else.
bool imageToStandardOutput(const CLI::App& app)
{
    const CLI::App* read = app.get_subcommand("read");
    const CLI::Option* output = read->parsed() ? read->get_option_no_throw("--output") : nullptr;
    return output != nullptr && output->count() > 0 && output->as<std::string>() == kStandardStream;
}

}  // namespace

int runTonelctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::istringstream nothing;
    return runTonelctl(args, nothing, out, err, {});
}

int runTonelctl(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                Terminals terminals)
{
    const Console console{out, err};
    CLI::App app{"tonelctl — read, write, compare and set Tonel processors from the command line", "tonelctl"};
    app.footer(footer());
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("tonelctl ") + TONELCTL_VERSION, "print the version and exit");
    int timeoutMs = 0;
    app.add_option("--timeout-ms", timeoutMs, timeoutHelp())->check(CLI::Range(1, 600000));

    Chosen chosen;
    for (const auto setup : {setup_probe, setup_read, setup_write, setup_show, setup_diff, setup_set, setup_names, setup_fleet})
        setup(app, chosen);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();  // the chosen subcommand's, its usage naming the program
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        const auto parsed = app.get_subcommands();
        return usageError(console, parseFailure(app, e), parsed.empty() ? nullptr : parsed.front());
    }
    if (chosen.ports != nullptr && timeoutMs > 0)
        chosen.ports->timing = ExchangeTiming::atLeast(std::chrono::milliseconds(timeoutMs));
    if (!chosen.run)
        return usageError(console, "no command");
    const bool imageOut = imageToStandardOutput(app);
    if (imageOut && terminals.out)  // refused before a processor is asked for an image nobody can read
        return console.fail("-: will not write a binary image to a terminal; redirect standard output (> FILE.cfg)",
                            kExitUsage);
    const UsingStandardStreams streams({&in, &out, terminals.in, terminals.out});
    // With the image on standard output, what would be printed there goes to the error stream.
    return chosen.run(imageOut ? Console{err, err} : console);
}
}  // namespace tonel::ctl

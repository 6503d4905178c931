#include "emulator/CommandLine.h"

#include "device/PortName.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace tonel::emulator {
namespace {

// The values read before they are put into EmulatorOptions (the fault fields are optionals and
// durations, which the command line reads as plain numbers).
struct Numbers {
    int queryCount = -1;
    long queryTruncate = -1;
    long replyDelayMs = 0;
    long idleSeconds = 60;
    std::string helloReply;
    std::string ackReply;
};

// A listening address the one HOST:PORT reader accepts; its reason otherwise.
std::string checkListenAddress(const std::string& text)
{
    return parseHostPort(text, kListenAddress).reason;
}

std::unique_ptr<CLI::App> makeApp(EmulatorOptions& o, Numbers& n)
{
    auto app = std::make_unique<CLI::App>(
        "tonel-emulator: a virtual Tonel processor. It prints the line's name (a terminal path, or "
        "tcp://HOST:PORT / rfc2217://HOST:PORT with --listen) on its first line, then \"< FRAME\" for "
        "every frame received, \"> FRAME\" for every reply and \"! WHY\" when it drops a client, until "
        "SIGINT or SIGTERM.",
        "tonel-emulator");
    app->get_formatter()->column_width(32);
    app->add_option("--image", o.imagePath, "start from this 188-byte parameter file instead of the defaults")
        ->type_name("FILE.cfg");
    auto* device = app->add_option("--device", o.devicePath,
                                   "serve an existing serial device (set to 38400 8N1) instead of a new terminal")
                       ->type_name("PATH");
    auto* listen = app->add_option("--listen", o.listenAddress,
                                   "serve a TCP port instead (127.0.0.1 unless HOST is given; [::1]:PORT for "
                                   "IPv6), one client at a time")
                       ->type_name("[HOST:]PORT")
                       ->check(CLI::Validator(checkListenAddress, ""));
    listen->excludes(device);
    app->add_flag("--rfc2217", o.rfc2217, "speak Telnet COM-PORT on that TCP port")->needs(listen);
    app->add_option("--idle-timeout", n.idleSeconds,
                    "drop a TCP client that sends nothing for this long, so the next one is served "
                    "(a client that takes no reply for 2 s is always dropped)")
        ->type_name("SECONDS")
        ->check(CLI::Range(1L, 86400L))
        ->capture_default_str()
        ->needs(listen);
    app->add_flag("--pace", o.paced, "send replies at the real line's speed (3,840 characters a second)");

    const char* faults = "Misbehaving on purpose";
    app->add_option("--hello-reply", n.helloReply, "answer the greeting with TEXT")
        ->type_name("TEXT")
        ->group(faults);
    app->add_option("--ack-reply", n.ackReply, "answer an upload with TEXT")->type_name("TEXT")->group(faults);
    app->add_option("--q-count", n.queryCount, "give the image reply the count N instead of 376")
        ->type_name("N")
        ->check(CLI::Range(0, 999))
        ->group(faults);
    app->add_option("--q-truncate", n.queryTruncate, "cut the image reply after N characters")
        ->type_name("N")
        ->check(CLI::Range(0L, 1000000L))
        ->group(faults);
    app->add_flag("--silent", o.faults.silent, "never answer (commands are still applied)")->group(faults);
    app->add_option("--reply-delay-ms", n.replyDelayMs, "wait N ms before every reply")
        ->type_name("N")
        ->check(CLI::Range(0L, 3600000L))
        ->group(faults);
    app->add_option("--trailing", o.faults.trailing, "send TEXT after every reply")->type_name("TEXT")->group(faults);
    return app;
}

}  // namespace

CommandLineResult parseCommandLine(std::span<const std::string> args)
{
    EmulatorOptions options;
    Numbers numbers;
    const auto app = makeApp(options, numbers);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
        app->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        CommandLineResult help;
        help.helpRequested = true;
        return help;
    } catch (const CLI::ParseError& e) {
        return {std::nullopt, e.what()};
    }
    if (app->count("--hello-reply") > 0)
        options.faults.helloReply = numbers.helloReply;
    if (app->count("--ack-reply") > 0)
        options.faults.ackReply = numbers.ackReply;
    if (numbers.queryCount >= 0)
        options.faults.queryCount = numbers.queryCount;
    if (numbers.queryTruncate >= 0)
        options.faults.queryTruncate = static_cast<std::size_t>(numbers.queryTruncate);
    options.faults.replyDelay = std::chrono::milliseconds(numbers.replyDelayMs);
    options.idleTimeout = std::chrono::seconds(numbers.idleSeconds);
    return {options, {}};
}

std::string usageText()
{
    EmulatorOptions options;
    Numbers numbers;
    return makeApp(options, numbers)->help();
}

std::string printable(const std::string& text)
{
    std::string line;
    for (unsigned char c : text) {
        if (c == '\r') {
            line += "\\r";
        } else if (c == '\n') {
            line += "\\n";
        } else if (c < 0x20 || c >= 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            line += escaped;
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}

}  // namespace tonel::emulator

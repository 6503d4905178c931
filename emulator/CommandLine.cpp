#include "emulator/CommandLine.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>

namespace tonel::emulator {
namespace {

std::optional<long> readCount(const std::string& text)
{
    long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

using Setter = std::function<bool(EmulatorOptions&, const std::string&)>;

// Options that take a value; false from a setter means the value is unusable.
const std::map<std::string, Setter>& valueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--image", [](EmulatorOptions& o, const std::string& v) { o.imagePath = v; return true; }},
        {"--device", [](EmulatorOptions& o, const std::string& v) { o.devicePath = v; return true; }},
        {"--listen", [](EmulatorOptions& o, const std::string& v) { o.listenAddress = v; return !v.empty(); }},
        {"--hello-reply", [](EmulatorOptions& o, const std::string& v) { o.faults.helloReply = v; return true; }},
        {"--ack-reply", [](EmulatorOptions& o, const std::string& v) { o.faults.ackReply = v; return true; }},
        {"--trailing", [](EmulatorOptions& o, const std::string& v) { o.faults.trailing = v; return true; }},
        {"--q-count", [](EmulatorOptions& o, const std::string& v) {
             auto n = readCount(v);
             if (n && *n <= 999)
                 o.faults.queryCount = static_cast<int>(*n);
             return n && *n <= 999;
         }},
        {"--q-truncate", [](EmulatorOptions& o, const std::string& v) {
             auto n = readCount(v);
             if (n)
                 o.faults.queryTruncate = static_cast<std::size_t>(*n);
             return n.has_value();
         }},
        {"--reply-delay-ms", [](EmulatorOptions& o, const std::string& v) {
             auto n = readCount(v);
             if (n)
                 o.faults.replyDelay = std::chrono::milliseconds(*n);
             return n.has_value();
         }},
    };
    return options;
}

// Options without a value.
const std::map<std::string, std::function<void(EmulatorOptions&)>>& flagOptions()
{
    static const std::map<std::string, std::function<void(EmulatorOptions&)>> options = {
        {"--silent", [](EmulatorOptions& o) { o.faults.silent = true; }},
        {"--rfc2217", [](EmulatorOptions& o) { o.rfc2217 = true; }},
        {"--pace", [](EmulatorOptions& o) { o.paced = true; }},
    };
    return options;
}

}  // namespace

CommandLineResult parseCommandLine(std::span<const std::string> args)
{
    EmulatorOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            CommandLineResult help;
            help.helpRequested = true;
            return help;
        }
        if (auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            flag->second(options);
            continue;
        }
        auto option = valueOptions().find(name);
        if (option == valueOptions().end())
            return {std::nullopt, "unknown option: " + name};
        if (i + 1 == args.size())
            return {std::nullopt, name + " needs a value"};
        if (!option->second(options, args[++i]))
            return {std::nullopt, "bad value for " + name + ": " + args[i]};
    }
    if (!options.listenAddress.empty() && !options.devicePath.empty())
        return {std::nullopt, "--listen and --device exclude each other"};
    if (options.rfc2217 && options.listenAddress.empty())
        return {std::nullopt, "--rfc2217 needs --listen"};
    return {options, {}};
}

std::string usageText()
{
    return "usage: tonel-emulator [--image FILE.cfg] [--device PATH | --listen [HOST:]PORT [--rfc2217]] [--pace]\n"
           "                      [--hello-reply TEXT] [--ack-reply TEXT] [--q-count N] [--q-truncate N] [--silent]\n"
           "                      [--reply-delay-ms N] [--trailing TEXT]\n"
           "\n"
           "  --image FILE.cfg     start from this 188-byte parameter file instead of the defaults\n"
           "  --device PATH        serve an existing serial device (set to 38400 8N1) instead of a new terminal\n"
           "  --listen [HOST:]PORT serve a TCP port (127.0.0.1 unless HOST is given), one client at a time\n"
           "  --rfc2217            speak Telnet COM-PORT on that TCP port\n"
           "  --pace               send replies at the real line's speed (3,840 characters a second)\n"
           "Misbehaving on purpose:\n"
           "  --hello-reply TEXT   answer the greeting with TEXT\n"
           "  --ack-reply TEXT     answer an upload with TEXT\n"
           "  --q-count N          give the image reply the count N instead of 376\n"
           "  --q-truncate N       cut the image reply after N characters\n"
           "  --silent             never answer (commands are still applied)\n"
           "  --reply-delay-ms N   wait N ms before every reply\n"
           "  --trailing TEXT      send TEXT after every reply\n";
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

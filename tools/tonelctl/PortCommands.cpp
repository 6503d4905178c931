// The commands that talk to processors: each port gets its own session, all ports at once.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"
#include "tools/tonelctl/Listing.h"
#include "tools/tonelctl/PortRunner.h"
#include "model/ParameterChange.h"

#include <cerrno>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace tonel::ctl {
namespace {

constexpr const char* kNoLocalPort = "no serial port found on this machine; name one with --port";

// Malformed or repeated names end the command before any port is opened.
bool namedPortsUsable(const std::vector<std::string>& ports, const Console& console, int& code)
{
    std::set<std::string> seen;
    for (const std::string& port : ports) {
        if (auto why = malformedPortName(port)) {
            code = console.fail(*why, kExitUsage);
            return false;
        }
        if (!seen.insert(port).second) {
            code = console.fail("port " + port + " is named twice", kExitUsage);
            return false;
        }
    }
    return true;
}

// The named ports, checked; or, with none named, the first local port whose processor answers,
// as the panel finds it. Nothing when the command must end (the reason is already reported).
std::optional<std::vector<std::string>> choosePorts(const PortOptions& options, const Console& console, int& code)
{
    if (!options.ports.empty()) {
        if (!namedPortsUsable(options.ports, console, code))
            return std::nullopt;
        return options.ports;
    }
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
            return std::vector<std::string>{port};
        reasons += "\n  " + port + ": " + why;
    }
    code = console.fail("no processor found on the local serial ports:" + reasons, kExitFailed);
    return std::nullopt;
}

// Greets, runs `work` and says goodbye; the first failure is the outcome.
PortOutcome session(const std::string& port, const PortOptions& options,
                    const std::function<PortOutcome(ProcessorExchange&)>& work)
{
    ProcessorExchange exchange(port, options.timing);
    if (std::string why = exchange.greet(); !why.empty())
        return {false, why};
    PortOutcome outcome = work(exchange);
    if (std::string why = exchange.finish(); !why.empty() && outcome.ok)
        return {false, why};
    return outcome;
}

// One session per port, all ports at once, with the same work in each.
std::vector<PortOutcome> sessionOnEachPort(const std::vector<std::string>& ports, const PortOptions& options,
                                           const std::function<PortOutcome(ProcessorExchange&)>& work)
{
    return runOnPorts(ports, [&](std::size_t, const std::string& port) { return session(port, options, work); });
}

PortOutcome failure(std::string why) { return {false, std::move(why)}; }

// A session that reads the processor's image into `image`.
PortOutcome readSession(const std::string& port, const PortOptions& options, ParameterImage& image)
{
    return session(port, options, [&](ProcessorExchange& exchange) {
        const std::string why = exchange.readImage(image);
        return why.empty() ? PortOutcome{true, {}} : failure(why);
    });
}

// Where each port's image goes: one port, the given file; several, or a PATH ending in "/", a file
// per port in the folder (a backup script then works the same for one room as for thirty).
std::optional<std::vector<std::string>> outputFiles(const std::vector<std::string>& ports, const std::string& output,
                                                    const Console& console, int& code)
{
    if (output == kStandardStream && ports.size() != 1) {
        code = console.fail("standard output (-) takes the image of one port; give a folder for several", kExitUsage);
        return std::nullopt;
    }
    if (ports.size() == 1 && !output.ends_with('/')) {
        if (isFolder(output) && output != kStandardStream) {
            code = console.fail(output + " is a folder; give a file name for the image of one port", kExitUsage);
            return std::nullopt;
        }
        return std::vector<std::string>{output};
    }
    if (exists(output) && !isFolder(output)) {
        code = console.fail(output + " is a file; images of several ports go into a folder", kExitUsage);
        return std::nullopt;
    }
    if (!exists(output) && ::mkdir(output.c_str(), 0777) != 0) {
        code = console.fail(output + ": " + systemErrorText(errno), kExitFailed);
        return std::nullopt;
    }
    std::vector<std::string> files;
    std::set<std::string> seen;
    for (const std::string& port : ports) {
        files.push_back((std::filesystem::path(output) / imageFileNameFor(port)).lexically_normal().string());
        if (!seen.insert(files.back()).second) {
            code = console.fail("ports " + port + " and another would both be saved as " + files.back(), kExitUsage);
            return std::nullopt;
        }
    }
    return files;
}

}  // namespace

int probeCommand(const PortOptions& options, const Console& console)
{
    int code = kExitOk;
    std::vector<std::string> ports = options.ports;
    if (ports.empty()) {
        ports = localPortNames();
        if (ports.empty())
            return console.fail(kNoLocalPort, kExitFailed);
    }
    if (!namedPortsUsable(ports, console, code))
        return code;
    const auto outcomes =
        sessionOnEachPort(ports, options, [](ProcessorExchange&) { return PortOutcome{true, "processor answered"}; });
    return reportOutcomes(ports, outcomes, console);
}

int readCommand(const PortOptions& options, const std::string& output, const Console& console)
{
    int code = kExitOk;
    const auto ports = choosePorts(options, console, code);
    if (!ports)
        return code;
    const auto files = outputFiles(*ports, output, console, code);
    if (!files)
        return code;
    std::vector<ParameterImage> images(ports->size());
    const auto outcomes = runOnPorts(*ports, [&](std::size_t i, const std::string& port) {
        const PortOutcome outcome = readSession(port, options, images[i]);
        if (!outcome.ok)
            return outcome;
        const std::string why = saveImageFile((*files)[i], images[i]);  // written only once complete
        return why.empty() ? PortOutcome{true, "saved " + (*files)[i]} : failure(why);
    });
    return reportOutcomes(*ports, outcomes, console);
}

int writeCommand(const PortOptions& options, const std::string& file, bool store, const Console& console)
{
    ParameterImage image;
    if (std::string error = loadImageFile(file, image); !error.empty())
        return console.fail(error, kExitFailed);
    int code = kExitOk;
    const auto ports = choosePorts(options, console, code);
    if (!ports)
        return code;
    const auto outcomes = sessionOnEachPort(*ports, options, [&](ProcessorExchange& exchange) {
        if (std::string why = exchange.upload(image); !why.empty())
            return failure(why);
        if (!store)
            return PortOutcome{true, "image written"};
        exchange.send(std::string(wire::kStore));
        return PortOutcome{true, "image written and stored"};
    });
    code = reportOutcomes(*ports, outcomes, console);
    if (code != kExitOk && ports->size() > 1) {
        std::string got, missed;
        std::size_t count = 0;
        for (std::size_t i = 0; i < ports->size(); ++i) {
            (outcomes[i].ok ? got : missed) += " " + (*ports)[i];
            count += outcomes[i].ok ? 1 : 0;
        }
        console.err << "tonelctl: the image reached " << count << " of " << ports->size() << " ports:"
                    << (got.empty() ? " none" : got) << "; not:" << missed << '\n';
    }
    return code;
}

int showCommand(const std::optional<std::string>& file, const PortOptions& options, bool json, const Console& console)
{
    if (file)
        return showFileCommand(*file, json, console);
    if (options.ports.size() > 1)
        return console.fail("show takes one port", kExitUsage);
    int code = kExitOk;
    const auto ports = choosePorts(options, console, code);
    if (!ports)
        return code;
    ParameterImage image;
    const PortOutcome outcome = readSession(ports->front(), options, image);
    if (!outcome.ok)
        return console.fail(ports->front() + ": " + outcome.detail, kExitFailed);
    printImage(console.out, image, json);
    return kExitOk;
}

int setCommand(const std::optional<std::string>& file, const PortOptions& options,
               const std::vector<std::string>& assignments, const Console& console, ValueReading reading)
{
    // Every bad argument is reported before a file or a port is touched.
    const ParsedAssignments parsed = parseAssignments(assignments, reading);
    if (!parsed.errors.empty()) {
        for (const std::string& error : parsed.errors)
            console.err << "tonelctl: " << error << '\n';
        return kExitUsage;
    }
    for (const std::string& note : parsed.notes)
        console.err << "tonelctl: " << note << '\n';
    if (file)
        return setFileCommand(*file, parsed.list, console);
    int code = kExitOk;
    const auto ports = choosePorts(options, console, code);
    if (!ports)
        return code;
    const auto outcomes = sessionOnEachPort(*ports, options, [&](ProcessorExchange& exchange) {
        ParameterImage image;
        if (std::string why = exchange.readImage(image); !why.empty())
            return failure(why);
        // The processor's own state decides the rules (selected program, link, maximum levels).
        const AppliedSettings applied = applyAssignments(image, parsed.list, SettingTarget::Device);
        if (!applied.error.empty())
            return failure(applied.error + "; nothing sent");
        for (const std::string& frame : applied.frames)
            exchange.send(frame);
        return PortOutcome{true, "sent " + std::to_string(applied.frames.size()) + " command" +
                                     (applied.frames.size() == 1 ? "" : "s")};
    });
    return reportOutcomes(*ports, outcomes, console);
}

}  // namespace tonel::ctl

// The commands that talk to processors: each port gets its own session, all ports at once.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"
#include "tools/tonelctl/LineFactory.h"
#include "tools/tonelctl/Listing.h"
#include "tools/tonelctl/Outcomes.h"
#include "tools/tonelctl/Sessions.h"
#include "model/ParameterChange.h"

#include <cerrno>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace tonel::ctl {
namespace {

// Where each target's image goes: one target, the given file; several, --all or a PATH ending in
// "/", a file per target in the folder, NAME.cfg for a room (a backup script then works the same
// for one room as for thirty, and write takes the folder back).
std::optional<std::vector<std::string>> outputFiles(const std::vector<PortTarget>& targets, const PortOptions& options,
                                                    const std::string& output, const Console& console, int& code)
{
    if (output == kStandardStream && (targets.size() != 1 || options.all)) {
        code = console.fail("standard output (-) takes the image of one port; give a folder for several", kExitUsage);
        return std::nullopt;
    }
    if (targets.size() == 1 && !output.ends_with('/') && !options.all) {
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
    for (const PortTarget& target : targets) {
        files.push_back((std::filesystem::path(output) / target.fileName()).lexically_normal().string());
        if (!seen.insert(files.back()).second) {
            code = console.fail(target.described() + " and another would both be saved as " + files.back(),
                                kExitUsage);
            return std::nullopt;
        }
    }
    return files;
}

}  // namespace

int probeCommand(const PortOptions& options, const Console& console)
{
    int code = kExitOk;
    auto targets = namedTargets(options, console, code);
    if (!targets)
        return code;
    if (targets->empty()) {
        for (const std::string& port : localPortNames())
            targets->push_back({{}, port});
        if (targets->empty())
            return console.fail("no serial port found on this machine; name one with --port", kExitFailed);
    }
    runAndReport(*targets, options, console, [&](std::size_t, const std::string& port) {
        return session(port, options, [](ProcessorExchange&) { return success("processor answered"); });
    }, code);
    return code;
}

int readCommand(const PortOptions& options, const std::string& output, const Console& console)
{
    int code = kExitOk;
    const auto targets = chooseTargets(options, console, code);
    if (!targets)
        return code;
    const auto files = outputFiles(*targets, options, output, console, code);
    if (!files)
        return code;
    runAndReport(*targets, options, console, [&](std::size_t i, const std::string& port) {
        ParameterImage image;
        const PortOutcome outcome = readSession(port, options, image);
        if (!outcome.ok)
            return outcome;
        const std::string why = saveImageFile((*files)[i], image);  // written only once complete
        return why.empty() ? success("saved " + (*files)[i], (*files)[i]) : failure(why);
    }, code);
    return code;
}

int showCommand(const std::optional<std::string>& file, const PortOptions& options, bool json, const Console& console)
{
    if (file)
        return showFileCommand(*file, json, console);
    int code = kExitOk;
    const auto targets = chooseTargets(options, console, code);
    if (!targets)
        return code;
    if (targets->size() > 1)
        return console.fail("show takes one port", kExitUsage);
    ParameterImage image;
    const PortOutcome outcome = readSession(targets->front().port, options, image);
    if (!outcome.ok)
        return console.fail(targets->front().described() + ": " + outcome.detail, kExitFailed);
    printImage(console.out, image, json);
    return kExitOk;
}

int setCommand(const std::optional<std::string>& file, const PortOptions& options,
               const std::vector<std::string>& assignments, const Console& console, ValueReading reading)
{
    if (file && (options.all || options.dryRun || options.json))
        return console.fail("--file changes a file; --all, --dry-run and --json are for processors", kExitUsage);
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
    const auto targets = chooseTargets(options, console, code);
    if (!targets)
        return code;
    runAndReport(*targets, options, console, [&](std::size_t, const std::string& port) {
        return session(port, options, [&](ProcessorExchange& exchange) {
            ParameterImage image;
            if (std::string why = exchange.readImage(image); !why.empty())
                return failure(why);
            const ParameterImage before = image;
            // The processor's own state decides the rules (selected program, link, maximum levels).
            const AppliedSettings applied = applyAssignments(image, parsed.list, SettingTarget::Device);
            if (!applied.error.empty())
                return failure(applied.error + "; nothing sent");
            const std::size_t count = applied.frames.size();
            if (options.dryRun)
                return success("dry run: " + counted(count, "command") + " not sent", {}, count,
                               Preview{applied.frames, before, image});
            for (const std::string& frame : applied.frames)
                exchange.send(frame);
            return success("sent " + counted(count, "command"), {}, count);
        });
    }, code);
    return code;
}

}  // namespace tonel::ctl

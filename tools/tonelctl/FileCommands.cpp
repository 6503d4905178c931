// The commands that work on parameter files and the catalog alone.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"
#include "tools/tonelctl/Listing.h"
#include "tools/tonelctl/Sessions.h"
#include "tools/tonelctl/Targets.h"

#include <sstream>

namespace tonel::ctl {

int diffCommand(const std::vector<std::string>& files, const PortOptions& ports, bool json, const Console& console)
{
    // diff(1): any trouble is 2, whether a file or a processor.
    int code = kExitOk;
    const auto targets = namedTargets(ports, console, code);
    if (!targets)
        return kExitUsage;
    if (files.size() + targets->size() != 2)
        return console.fail("diff compares two: files, or processors with --port, or one of each", kExitUsage);
    std::vector<ParameterImage> images(2);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (std::string error = loadImageFile(files[i], images[i]); !error.empty())
            return console.fail(error, kExitUsage);
    const auto outcomes = runOnPorts(portsOf(*targets), [&](std::size_t i, const std::string& port) {
        return readSession(port, ports, images[files.size() + i]);
    });
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        if (!outcomes[i].ok)
            return console.fail((*targets)[i].described() + ": " + outcomes[i].detail, kExitUsage);
    return printDifferences(console.out, images[0], images[1], json) == 0 ? kExitOk : kExitFailed;
}

int namesCommand(bool json, const std::string& pattern, const Console& console)
{
    std::ostringstream listed;  // an empty JSON array is no answer to a pattern that matched nothing
    if (printNames(listed, json, pattern) == 0)
        return console.fail("no parameter name matches \"" + pattern + "\"; `tonelctl names` lists them all", kExitFailed);
    console.out << listed.str();
    return kExitOk;
}

int setFileCommand(const std::string& file, const std::vector<Assignment>& assignments, const Console& console)
{
    if (file == kStandardStream)  // the change would have nowhere to go back to
        return console.fail("set --file changes a file in place; \"-\" cannot be changed (save it to a file first)",
                            kExitUsage);
    ParameterImage image;
    if (std::string error = loadImageFile(file, image); !error.empty())
        return console.fail(error, kExitFailed);
    const AppliedSettings applied = applyAssignments(image, assignments, SettingTarget::File);
    if (!applied.error.empty())
        return console.fail(applied.error, kExitUsage);
    if (std::string error = saveImageFile(file, image); !error.empty())
        return console.fail(error, kExitFailed);
    for (const Assignment& a : assignments)
        console.out << a.parameter->name << '=' << int(image.get(a.parameter->offset)) << '\t'
                    << valueText(*a.parameter, image.get(a.parameter->offset)) << '\n';
    return kExitOk;
}

int showFileCommand(const std::string& file, bool json, const Console& console)
{
    ParameterImage image;
    if (std::string error = loadImageFile(file, image); !error.empty())
        return console.fail(error, kExitFailed);
    printImage(console.out, image, json);
    return kExitOk;
}

}  // namespace tonel::ctl

// The commands that work on parameter files and the catalog alone.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"
#include "tools/tonelctl/Listing.h"

namespace tonel::ctl {

int diffCommand(const std::string& a, const std::string& b, bool json, const Console& console)
{
    ParameterImage first;
    ParameterImage second;
    for (const std::string& error : {loadImageFile(a, first), loadImageFile(b, second)})
        if (!error.empty())
            return console.fail(error, kExitUsage);  // diff(1): trouble is 2
    return printDifferences(console.out, first, second, json) == 0 ? kExitOk : kExitFailed;
}

int namesCommand(bool json, const Console& console)
{
    printNames(console.out, json);
    return kExitOk;
}

int setFileCommand(const std::string& file, const std::vector<Assignment>& assignments, const Console& console)
{
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
                    << shownValue(*a.parameter, image) << '\n';
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

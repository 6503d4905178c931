// tonelctl set's NAME=VALUE arguments, one per line of the input: every argument is either taken
// or refused with a reason, and what is taken applies within the parameter's range.
#include "model/ParameterChange.h"
#include "fuzz/Check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using tonel::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    std::vector<std::string> arguments;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\n') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(bytes[i]);
        }
    }
    arguments.push_back(current);

    const tonel::ParsedAssignments parsed = tonel::parseAssignments(arguments);
    // Each argument is taken, refused, or the same setting again (taken once).
    check(parsed.list.size() + parsed.errors.size() <= arguments.size());
    check(!parsed.list.empty() || !parsed.errors.empty());
    for (std::size_t i = 0; i < parsed.list.size(); ++i)
        for (std::size_t j = i + 1; j < parsed.list.size(); ++j)
            check(parsed.list[i].parameter != parsed.list[j].parameter);
    for (const std::string& error : parsed.errors)
        check(!error.empty());
    for (const tonel::Assignment& a : parsed.list)
        check(a.parameter != nullptr && a.value >= a.parameter->min && a.value <= a.parameter->max);

    for (const auto target : {tonel::SettingTarget::Device, tonel::SettingTarget::File}) {
        tonel::ParameterImage image;
        const tonel::ParameterImage before = image;
        const tonel::AppliedSettings applied = tonel::applyAssignments(image, parsed.list, target);
        if (!applied.error.empty())
            check(image.bytes() == before.bytes() && applied.frames.empty());
    }
    return 0;
}

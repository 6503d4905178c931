#include "tools/tonelctl/Settings.h"

#include "device/WireProtocol.h"

namespace tonel::ctl {

ParsedAssignments parseAssignments(const std::vector<std::string>& arguments)
{
    ParsedAssignments parsed;
    for (const std::string& argument : arguments) {
        const auto equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) {
            parsed.errors.push_back("\"" + argument + "\" is not NAME=VALUE");
            continue;
        }
        const std::string name = argument.substr(0, equals);
        const Parameter* parameter = findParameter(name);
        if (parameter == nullptr) {
            parsed.errors.push_back("unknown parameter \"" + name + "\" (tonelctl names lists them)");
            continue;
        }
        const ParsedValue value = parseParameterValue(*parameter, argument.substr(equals + 1));
        if (!value.byte)
            parsed.errors.push_back(value.error);
        else
            parsed.list.push_back({parameter, *value.byte});
    }
    if (parsed.list.empty() && parsed.errors.empty())
        parsed.errors.push_back("nothing to set: give NAME=VALUE");
    return parsed;
}

AppliedSettings applyAssignments(ParameterImage& image, const std::vector<Assignment>& assignments,
                                 SettingTarget target)
{
    ParameterImage edited = image;
    AppliedSettings applied;
    for (const Assignment& a : assignments) {
        SettingOutcome outcome = applySetting(edited, *a.parameter, a.value, target);
        if (!outcome.ok())
            return {outcome.error, {}};
        if (!outcome.command)
            continue;
        // The port folds a command into the same command waiting before it; fold here, so every
        // frame handed over is sent and can be counted.
        if (!applied.frames.empty() && wire::commandKey(applied.frames.back()) == wire::commandKey(*outcome.command))
            applied.frames.back() = *outcome.command;
        else
            applied.frames.push_back(*outcome.command);
    }
    image = edited;
    return applied;
}

}  // namespace tonel::ctl

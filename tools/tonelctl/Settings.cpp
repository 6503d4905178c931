#include "tools/tonelctl/Settings.h"

#include "device/WireProtocol.h"
#include "model/Fields.h"

#include <algorithm>

namespace tonel::ctl {
namespace {

std::string unknownName(const std::string& name)
{
    const std::vector<std::string> near = suggestNames(name);
    std::string text = "unknown parameter \"" + name + "\"";
    if (near.empty())
        return text + " (tonelctl names lists them)";
    text += "; did you mean ";
    for (std::size_t i = 0; i < near.size(); ++i)
        text += (i == 0 ? "" : i + 1 == near.size() ? " or " : ", ") + near[i];
    return text + "?";
}

// Where an assignment goes in the one change: what decides the rules for the others goes first.
int rank(const Assignment& a)
{
    const std::size_t offset = a.parameter->offset;
    if (offset == fields::global::effectProgram)
        return 0;  // the effect bytes after it belong to the program it selects
    if (offset == fields::mic::link)
        return 1;  // the microphone bytes after it follow the link as it will be
    if (maxLevelBounding(offset))
        return 3;  // a main level after its maximum, whatever the maximum becomes
    return 2;
}

}  // namespace

ParsedAssignments parseAssignments(const std::vector<std::string>& arguments, ValueReading reading)
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
            parsed.errors.push_back(unknownName(name));
            continue;
        }
        const std::string given = argument.substr(equals + 1);
        const ParsedValue value = parseValue(*parameter, given, reading);
        if (!value.byte) {
            parsed.errors.push_back(value.error);
            continue;
        }
        const auto same = std::find_if(parsed.list.begin(), parsed.list.end(),
                                       [&](const Assignment& a) { return a.parameter == parameter; });
        if (same != parsed.list.end()) {
            if (same->value != *value.byte)
                parsed.errors.push_back(name + " is given twice, with different values");
            continue;
        }
        parsed.list.push_back({parameter, *value.byte});
        if (value.snapped)
            parsed.notes.push_back(name + " " + given + " → " + value.stored);
    }
    if (parsed.list.empty() && parsed.errors.empty())
        parsed.errors.push_back("nothing to set: give NAME=VALUE");
    return parsed;
}

AppliedSettings applyAssignments(ParameterImage& image, const std::vector<Assignment>& assignments,
                                 SettingTarget target)
{
    std::vector<Assignment> ordered = assignments;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Assignment& a, const Assignment& b) { return rank(a) < rank(b); });
    ParameterImage edited = image;
    AppliedSettings applied;
    for (const Assignment& a : ordered) {
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
    // Linked microphones take one setting; two different ones for them cannot both hold.
    for (const Assignment& a : ordered)
        if (edited.get(a.parameter->offset) != a.value)
            return {a.parameter->name + " is overridden by the other microphone's setting while they are linked", {}};
    image = edited;
    return applied;
}

}  // namespace tonel::ctl

#include "model/ParameterChange.h"

#include "model/Fields.h"

#include <algorithm>

namespace tonel {
namespace {

// Suggestions cost a pass over the catalog each: a request full of unknown names gets them for the
// first few only, and a name longer than any parameter's gets none.
constexpr std::size_t kMostSuggested = 8;
constexpr std::size_t kLongestSuggested = 64;

std::string unknownName(const std::string& name, std::size_t& suggested)
{
    std::string text = "unknown parameter \"" + name.substr(0, kLongestSuggested) +
                       (name.size() > kLongestSuggested ? "…" : "") + "\"";
    if (name.size() > kLongestSuggested || suggested == kMostSuggested)
        return text;
    ++suggested;
    const std::vector<std::string> near = suggestNames(name);
    if (near.empty())
        return text;
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

ParsedAssignments parseAssignments(const std::vector<std::pair<std::string, std::string>>& namesAndValues,
                                   ValueReading reading)
{
    ParsedAssignments parsed;
    std::size_t suggested = 0;
    for (const auto& [name, given] : namesAndValues) {
        const Parameter* parameter = findParameter(name);
        if (parameter == nullptr) {
            parsed.errors.push_back(unknownName(name, suggested));
            continue;
        }
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

ParsedAssignments parseAssignments(const std::vector<std::string>& arguments, ValueReading reading)
{
    std::vector<std::pair<std::string, std::string>> namesAndValues;
    std::vector<std::string> malformed;
    for (const std::string& argument : arguments) {
        const auto equals = argument.find('=');
        if (equals == std::string::npos || equals == 0)
            malformed.push_back("\"" + argument + "\" is not NAME=VALUE");
        else
            namesAndValues.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
    }
    ParsedAssignments parsed = parseAssignments(namesAndValues, reading);
    if (!malformed.empty()) {
        if (parsed.list.empty() && parsed.errors.size() == 1 && parsed.errors[0].starts_with("nothing to set"))
            parsed.errors.clear();
        parsed.errors.insert(parsed.errors.begin(), malformed.begin(), malformed.end());
    }
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
    const CommandField* lastField = nullptr;
    for (const Assignment& a : ordered) {
        SettingOutcome outcome = applySetting(edited, *a.parameter, a.value, target);
        if (!outcome.ok())
            return {outcome.error, {}};
        if (!outcome.command)
            continue;
        // The port folds a command into the same command waiting before it; fold here, so every
        // frame handed over is sent and can be counted.
        const CommandField* field = commandFieldAt(a.parameter->offset);
        if (!applied.frames.empty() && field == lastField)
            applied.frames.back() = *outcome.command;
        else
            applied.frames.push_back(*outcome.command);
        lastField = field;
    }
    // Linked microphones take one setting; two different ones for them cannot both hold.
    for (const Assignment& a : ordered)
        if (edited.get(a.parameter->offset) != a.value)
            return {a.parameter->name + " is overridden by the other microphone's setting while they are linked", {}};
    image = edited;
    return applied;
}

std::vector<std::string> bytesOutOfRange(const ParameterImage& image)
{
    std::vector<std::string> faults;
    for (const Parameter& parameter : parameterCatalog()) {
        const int byte = image.get(parameter.offset);
        if (byte < parameter.min || byte > parameter.max)
            faults.push_back(parameter.name + ": " + std::to_string(byte) + " is outside " +
                             std::to_string(parameter.min) + ".." + std::to_string(parameter.max));
    }
    return faults;
}

}  // namespace tonel

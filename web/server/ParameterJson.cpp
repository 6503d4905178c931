#include "web/server/ParameterJson.h"

#include "model/ParameterValues.h"

#include <cmath>
#include <cstdint>

namespace tonel::web {
namespace {

using nlohmann::json;

const char* kindName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Count: return "count";
    case ValueKind::Choice: return "choice";
    case ValueKind::Gain: return "gain";
    case ValueKind::Frequency: return "frequency";
    case ValueKind::Crossover: return "crossover";
    case ValueKind::Q: return "q";
    case ValueKind::Delay: return "delay";
    case ValueKind::Threshold: return "threshold";
    }
    return "count";
}

json valueJson(const ExactValue& value)
{
    if (!value.number)
        return value.choice;
    // Whole values read as integers (30, not 30.0), as a script compares them.
    const double number = *value.number;
    if (number == std::floor(number) && std::fabs(number) < 1e15)
        return static_cast<std::int64_t>(number);
    return number;
}

json unitJson(const ExactValue& value) { return value.unit.empty() ? json(nullptr) : json(value.unit); }

const char* pageOf(const Parameter& parameter)
{
    if (parameter.name == "global.effect_program")
        return "effect";
    return pageOfGroup(parameter.group);
}

}  // namespace

const char* pageOfGroup(const std::string& group)
{
    if (group.starts_with("effect"))
        return "effect";
    if (group == "mic")
        return "microphone";
    if (group == "music")
        return "music";
    return "system";  // the room, the outputs and the processor's own settings
}

json parameterEntry(const Parameter& parameter, const ParameterImage& image)
{
    const int byte = image.get(parameter.offset);
    const ExactValue value = exactValue(parameter, byte);
    return {{"name", parameter.name},
            {"raw", byte},
            {"value", valueJson(value)},
            {"unit", unitJson(value)},
            {"text", shownValue(parameter, image)}};
}

json parameterEntries(const ParameterImage& image)
{
    json entries = json::array();
    for (const Parameter& parameter : parameterCatalog())
        entries.push_back(parameterEntry(parameter, image));
    return entries;
}

json changedEntries(const ParameterImage& before, const ParameterImage& after)
{
    json entries = json::array();
    for (const Parameter& parameter : parameterCatalog()) {
        if (before.get(parameter.offset) != after.get(parameter.offset))
            entries.push_back(parameterEntry(parameter, after));
    }
    return entries;
}

json catalogJson()
{
    json list = json::array();
    for (const Parameter& parameter : parameterCatalog()) {
        const ExactValue lowest = exactValue(parameter, parameter.min);
        json entry = {{"name", parameter.name},
                      {"group", parameter.group},
                      {"page", pageOf(parameter)},
                      {"offset", parameter.offset},
                      {"min", parameter.min},
                      {"max", parameter.max},
                      {"default", parameter.defaultByte},
                      {"kind", kindName(parameter.kind)},
                      {"unit", unitJson(lowest)},
                      {"live", parameter.command.has_value()}};
        // Every byte's value and text, so a client shows and offers exactly what the panel does.
        json values = json::array();
        for (int byte = parameter.min; byte <= parameter.max; ++byte)
            values.push_back({{"raw", byte}, {"value", valueJson(exactValue(parameter, byte))},
                              {"text", parameter.show(byte)}, {"input", valueText(parameter, byte)}});
        entry["values"] = std::move(values);
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace tonel::web

#include "tools/tonelctl/Listing.h"

#include "model/ParameterCatalog.h"
#include "model/ParameterValues.h"
#include "model/ValueScales.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <fnmatch.h>

namespace tonel::ctl {
namespace {

using Json = nlohmann::ordered_json;

Json rawAndText(const Parameter& p, const ParameterImage& image)
{
    return {{"raw", image.get(p.offset)}, {"text", shownValue(p, image)}};
}

// A file may hold any byte; one outside the parameter's range has no value to give.
bool inRange(const Parameter& p, const ParameterImage& image)
{
    return image.get(p.offset) >= p.min && image.get(p.offset) <= p.max;
}

// The exact value as a script compares it: whole numbers as integers (30, not 30.0), a choice as
// its text, and the unit beside it (null for a plain number or a choice).
Json valueAndUnit(const Parameter& p, const ParameterImage& image)
{
    if (!inRange(p, image))
        return {{"value", nullptr}, {"unit", nullptr}};
    const ExactValue value = exactValue(p, image.get(p.offset));
    Json number = value.choice;
    if (value.number) {
        const double v = *value.number;
        number = (v == std::floor(v) && std::fabs(v) < 1e15) ? Json(static_cast<std::int64_t>(v)) : Json(v);
    }
    return {{"value", number}, {"unit", value.unit.empty() ? Json(nullptr) : Json(value.unit)}};
}

// One aligned line; the name column fits the longest name ("effect1.reverb_echo_mix").
void line(std::ostream& out, const std::string& name, const std::string& rest)
{
    out << formatString("%-26s %s\n", name.c_str(), rest.c_str());
}

// The raw byte and the value as `set` takes it back ("-10.5dB", "3.15kHz", "Hi-shelf").
std::string rawAndValueColumn(const Parameter& p, const ParameterImage& image)
{
    const int byte = image.get(p.offset);
    if (!inRange(p, image))
        return formatString("%3d  (outside %d..%d)", byte, p.min, p.max);
    return formatString("%3d  %s", byte, valueText(p, byte).c_str());
}

}  // namespace

void printImage(std::ostream& out, const ParameterImage& image, bool json)
{
    if (json) {
        auto list = Json::array();
        for (const Parameter& p : parameterCatalog()) {
            Json entry = {{"name", p.name}, {"offset", p.offset}, {"raw", image.get(p.offset)}};
            entry.update(valueAndUnit(p, image));
            entry["text"] = shownValue(p, image);
            list.push_back(std::move(entry));
        }
        out << list.dump(2) << '\n';
        return;
    }
    for (const Parameter& p : parameterCatalog())
        line(out, p.name, rawAndValueColumn(p, image));
}

int printDifferences(std::ostream& out, const ParameterImage& a, const ParameterImage& b, bool json)
{
    auto list = Json::array();
    int count = 0;
    for (const Parameter& p : parameterCatalog()) {
        if (a.get(p.offset) == b.get(p.offset))
            continue;
        ++count;
        if (json)
            list.push_back({{"name", p.name}, {"offset", p.offset}, {"a", rawAndText(p, a)}, {"b", rawAndText(p, b)}});
        else
            line(out, p.name, formatString("%-18s -> %s", rawAndValueColumn(p, a).c_str(), rawAndValueColumn(p, b).c_str()));
    }
    if (json)
        out << list.dump(2) << '\n';
    return count;
}

bool namesMatch(const std::string& pattern, const std::string& name)
{
    return pattern.empty() || ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

int printNames(std::ostream& out, bool json, const std::string& pattern)
{
    const ParameterImage defaults;
    std::vector<const Parameter*> shown;
    for (const Parameter& p : parameterCatalog())
        if (namesMatch(pattern, p.name))
            shown.push_back(&p);
    if (shown.empty())
        return 0;
    if (json) {
        auto list = Json::array();
        for (const Parameter* p : shown)
            list.push_back({{"name", p->name},
                            {"group", p->group},
                            {"offset", p->offset},
                            {"min", p->min},
                            {"max", p->max},
                            {"command", commandTemplate(*p)},
                            {"default", rawAndText(*p, defaults)}});
        out << list.dump(2) << '\n';
        return static_cast<int>(shown.size());
    }
    for (const Parameter* p : shown) {
        const std::string command = commandTemplate(*p);
        line(out, p->name,
             formatString("%3zu  %3d..%-3d  %s", p->offset, p->min, p->max, command.empty() ? "-" : command.c_str()));
    }
    return static_cast<int>(shown.size());
}

}  // namespace tonel::ctl

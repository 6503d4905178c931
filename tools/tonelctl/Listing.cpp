#include "tools/tonelctl/Listing.h"

#include "model/ParameterCatalog.h"
#include "model/ValueScales.h"

#include <nlohmann/json.hpp>

namespace tonel::ctl {
namespace {

using Json = nlohmann::ordered_json;

Json rawAndText(const Parameter& p, const ParameterImage& image)
{
    return {{"raw", image.get(p.offset)}, {"text", shownValue(p, image)}};
}

// One aligned line; the name column fits the longest name ("effect1.reverb_echo_mix").
void line(std::ostream& out, const std::string& name, const std::string& rest)
{
    out << formatString("%-26s %s\n", name.c_str(), rest.c_str());
}

std::string rawAndTextColumn(const Parameter& p, const ParameterImage& image)
{
    return formatString("%3d  %s", image.get(p.offset), shownValue(p, image).c_str());
}

}  // namespace

void printImage(std::ostream& out, const ParameterImage& image, bool json)
{
    if (json) {
        auto list = Json::array();
        for (const Parameter& p : parameterCatalog()) {
            Json entry = {{"name", p.name}, {"offset", p.offset}};
            entry.update(rawAndText(p, image));
            list.push_back(std::move(entry));
        }
        out << list.dump(2) << '\n';
        return;
    }
    for (const Parameter& p : parameterCatalog())
        line(out, p.name, rawAndTextColumn(p, image));
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
            line(out, p.name, formatString("%-18s -> %s", rawAndTextColumn(p, a).c_str(), rawAndTextColumn(p, b).c_str()));
    }
    if (json)
        out << list.dump(2) << '\n';
    return count;
}

void printNames(std::ostream& out, bool json)
{
    const ParameterImage defaults;
    if (json) {
        auto list = Json::array();
        for (const Parameter& p : parameterCatalog())
            list.push_back({{"name", p.name},
                            {"group", p.group},
                            {"offset", p.offset},
                            {"min", p.min},
                            {"max", p.max},
                            {"command", commandTemplate(p)},
                            {"default", rawAndText(p, defaults)}});
        out << list.dump(2) << '\n';
        return;
    }
    for (const Parameter& p : parameterCatalog()) {
        const std::string command = commandTemplate(p);
        line(out, p.name,
             formatString("%3zu  %3d..%-3d  %s", p.offset, p.min, p.max, command.empty() ? "-" : command.c_str()));
    }
}

}  // namespace tonel::ctl

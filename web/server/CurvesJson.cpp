#include "web/server/CurvesJson.h"

#include "eq/math/CrossoverResponse.h"
#include "eq/math/FilterResponse.h"
#include "model/Fields.h"
#include "model/ParameterCatalog.h"
#include "model/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tonel::web {
namespace {

using nlohmann::json;

// Hundredths of a dB are finer than any screen shows; they keep the answer small.
double rounded(double value) { return std::round(value * 100.0) / 100.0; }

std::string colourText(const CurveColour& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

json points(const std::array<double, kPlotPointCount>& db)
{
    json list = json::array();
    const auto& frequencies = plotFrequencies();
    for (int m = 0; m < kPlotPointCount; ++m)
        list.push_back({rounded(frequencies[static_cast<std::size_t>(m)]), rounded(db[static_cast<std::size_t>(m)])});
    return list;
}

// The Effect page draws the selected program's bands, so its handles carry that program's names
// ("effect2.eq1"): a change made by dragging one goes to the program the page edits.
std::string bandNameIn(const ParameterImage& image, const std::string& name)
{
    const Parameter* type = findParameter(name + ".type");
    if (type == nullptr || type->effectProgram < 0)
        return name;
    return "effect" + std::to_string(image.effectProgram() + 1) + name.substr(name.find('.'));
}

json curveJson(const PageCurve& described, const ParameterImage& image)
{
    std::array<double, kPlotPointCount> sum{};
    json handles = json::array();
    json names = json::array();
    for (std::size_t i = 0; i < described.bands.size(); ++i) {
        names.push_back(bandNameIn(image, described.bands[i]));
        const EqBand band = bandNamed(image, described.bands[i]);
        std::array<double, kPlotPointCount> own{};
        bandResponseOverPlot(band, own);
        for (int m = 0; m < kPlotPointCount; ++m)
            sum[static_cast<std::size_t>(m)] += own[static_cast<std::size_t>(m)];
        const int point = std::clamp<int>(band.freqIndex, 1, kPlotPointCount);
        handles.push_back({{"band", names.back()},
                           {"label", i < described.labels.size() ? described.labels[i] : std::string()},
                           {"type", filterTypeName(band.type)},
                           {"frequency", rounded(plotFrequencies()[static_cast<std::size_t>(point - 1)])},
                           {"db", rounded(handleDb(band, own[static_cast<std::size_t>(point - 1)]))}});
    }
    return {{"colour", colourText(described.colour)}, {"bands", names}, {"points", points(sum)},
            {"handles", handles}};
}

json crossoverJson(const ParameterImage& image)
{
    namespace sys = fields::system;
    const CrossoverSettings settings = crossoverSettings(image.get(sys::subHighPass), image.get(sys::subLowPass));
    std::array<double, kPlotPointCount> db{};
    for (int m = 0; m < kPlotPointCount; ++m)
        db[static_cast<std::size_t>(m)] = crossoverResponseDb(settings, plotFrequencies()[static_cast<std::size_t>(m)]);
    const auto hz = [](int index) { return rounded(FrequencyTable[static_cast<std::size_t>(index)]); };
    return {{"highPass", settings.highPassOn() ? json(hz(settings.highPass)) : json(nullptr)},
            {"lowPass", settings.lowPassOn() ? json(hz(settings.lowPass)) : json(nullptr)},
            {"points", points(db)}};
}

const char* pageName(GraphPage page)
{
    switch (page) {
    case GraphPage::Effect: return "effect";
    case GraphPage::Microphone: return "microphone";
    case GraphPage::Music: return "music";
    case GraphPage::System: return "system";
    }
    return "system";
}

}  // namespace

json curvesJson(GraphPage page, const ParameterImage& image)
{
    json curves = json::array();
    for (const PageCurve& described : pageCurves(page))
        curves.push_back(curveJson(described, image));
    json body = {{"page", pageName(page)}, {"curves", curves}};
    if (page == GraphPage::System)
        body["crossover"] = crossoverJson(image);
    return body;
}

}  // namespace tonel::web

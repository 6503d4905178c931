#include "eq/math/PageCurves.h"

#include "model/Fields.h"
#include "model/ParameterCatalog.h"
#include "model/ValueScales.h"

#include <stdexcept>

namespace tonel {
namespace {

constexpr CurveColour kYellow{255, 255, 0};
constexpr CurveColour kBlue{0, 0, 255};
constexpr CurveColour kGreen{0, 255, 0};
constexpr CurveColour kSky{24, 180, 255};

std::vector<std::string> numbered(const std::string& prefix, int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

}  // namespace

std::vector<PageCurve> pageCurves(GraphPage page)
{
    switch (page) {
    case GraphPage::Effect: return {{numbered("effect1.eq", 2), kSky, {"1", "2"}}};
    case GraphPage::Microphone:
        return {{numbered("mic.eq", 5), kYellow, {"2", "3", "4", "5", "6"}},
                {{"mic.mic2_eq"}, kBlue, {"MIC2"}},
                {{"mic.mic1_eq"}, kGreen, {"MIC1"}}};
    case GraphPage::Music: return {{numbered("music.eq", 5), kYellow, {"1", "2", "3", "4", "5"}}};
    case GraphPage::System:
        return {{numbered("room.eq", 7), kYellow, {"1", "2", "3", "4", "5", "6", "7"}},
                {numbered("centre.eq", 2), kBlue, {"C1", "C2"}},
                {numbered("sub.eq", 2), kGreen, {"S1", "S2"}}};
    }
    return {};
}

std::optional<GraphPage> graphPageNamed(std::string_view name)
{
    if (name == "effect")
        return GraphPage::Effect;
    if (name == "microphone")
        return GraphPage::Microphone;
    if (name == "music")
        return GraphPage::Music;
    if (name == "system")
        return GraphPage::System;
    return std::nullopt;
}

EqBand bandNamed(const ParameterImage& image, std::string_view name)
{
    const Parameter* type = findParameter(std::string(name) + ".type");
    if (type == nullptr)
        throw std::logic_error("no band " + std::string(name));
    if (type->effectProgram < 0)
        return image.band(type->offset);
    const std::size_t inProgram = type->offset - fields::effect::at(type->effectProgram, 0);
    return image.band(image.effectOffset(inProgram));
}

double handleDb(const EqBand& band, double ownResponseDb)
{
    switch (band.type) {
    case Peaking:
    case HiShelf:
    case LoShelf: return (band.gain - 24) * 0.5;
    case Notch: return ownResponseDb + 80;
    default: return ownResponseDb;
    }
}

}  // namespace tonel

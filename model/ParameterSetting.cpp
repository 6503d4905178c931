#include "model/ParameterSetting.h"

#include "model/Fields.h"
#include "model/ParameterCommands.h"

namespace tonel {
namespace {

namespace f = fields;

std::string effectName(int program) { return "effect" + std::to_string(program + 1); }

// Each main level and the maximum level above it.
struct BoundedLevel {
    std::size_t main;
    std::size_t max;
};
constexpr BoundedLevel kBoundedLevels[] = {
    {f::mic::mainLevel, f::mic::maxLevel},
    {f::music::mainLevel, f::music::maxLevel},
};

bool inBand(std::size_t offset, std::size_t bandStart) { return offset >= bandStart && offset < bandStart + 4; }

std::optional<std::string> refusal(const ParameterImage& image, const Parameter& p, std::uint8_t value,
                                   SettingTarget target)
{
    if (value < p.min || value > p.max)
        return p.name + ": " + std::to_string(value) + " is out of range " + std::to_string(p.min) + ".." +
               std::to_string(p.max);
    if (auto bound = maxLevelBounding(p.offset); bound && value > image.get(*bound))
        return p.name + ": " + std::to_string(value) + " is above the maximum level " +
               std::to_string(image.get(*bound)) + "; raise the maximum first";
    if (target == SettingTarget::File)
        return std::nullopt;
    if (!p.command)
        return p.name + ": no command carries this byte; only a whole-image write changes it";
    if (p.effectProgram >= 0 && p.effectProgram != image.effectProgram())
        return p.name + ": " + effectName(p.effectProgram) + " is not the selected effect program (" +
               effectName(image.effectProgram()) + " is); set global.effect_program=" +
               std::to_string(p.effectProgram) + " first";
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> maxLevelBounding(std::size_t offset)
{
    for (const BoundedLevel& level : kBoundedLevels)
        if (level.main == offset)
            return level.max;
    return std::nullopt;
}

std::optional<std::size_t> pullMainLevelDown(ParameterImage& image, std::size_t maxOffset)
{
    for (const BoundedLevel& level : kBoundedLevels)
        if (level.max == maxOffset && image.get(level.main) > image.get(maxOffset)) {
            image.set(level.main, image.get(maxOffset));
            return level.main;
        }
    return std::nullopt;
}

void copyMic1ToMic2(ParameterImage& image)
{
    image.setBand(f::mic::micEq(1), image.band(f::mic::micEq(0)));
    image.set(f::mic::inputGain(1), image.get(f::mic::inputGain(0)));
}

bool followMicLink(ParameterImage& image, std::size_t changedOffset)
{
    if (image.get(f::mic::link) != 1)
        return false;
    for (int mic = 0; mic < 2; ++mic) {
        if (inBand(changedOffset, f::mic::micEq(mic))) {
            image.setBand(f::mic::micEq(1 - mic), image.band(f::mic::micEq(mic)));
            return true;
        }
        if (changedOffset == f::mic::inputGain(mic)) {
            image.set(f::mic::inputGain(1 - mic), image.get(f::mic::inputGain(mic)));
            return true;
        }
    }
    return false;
}

SettingOutcome applySetting(ParameterImage& image, const Parameter& parameter, std::uint8_t value,
                            SettingTarget target)
{
    if (auto why = refusal(image, parameter, value, target))
        return {*why, std::nullopt};
    const bool linkSwitchedOn = parameter.offset == f::mic::link && value == 1 && image.get(f::mic::link) != 1;
    image.set(parameter.offset, value);
    pullMainLevelDown(image, parameter.offset);
    if (linkSwitchedOn)
        copyMic1ToMic2(image);
    else
        followMicLink(image, parameter.offset);
    if (target == SettingTarget::File)
        return {};
    return {{}, commandForOffset(image, parameter.offset)};
}

}  // namespace tonel

#include "model/ParameterSetting.h"

#include "model/Fields.h"
#include "model/ParameterCommands.h"

namespace tonel {
namespace {

namespace f = fields;

std::string effectName(int program) { return "effect" + std::to_string(program + 1); }

bool inBand(std::size_t offset, std::size_t bandStart) { return offset >= bandStart && offset < bandStart + 4; }

// The maximum-level byte that bounds a main level, if `offset` is one.
std::optional<std::size_t> boundOf(std::size_t offset)
{
    if (offset == f::mic::mainLevel)
        return f::mic::maxLevel;
    if (offset == f::music::mainLevel)
        return f::music::maxLevel;
    return std::nullopt;
}

// A lowered maximum takes the main level down with it (only the maximum is sent).
void pullMainLevelDown(ParameterImage& image, std::size_t offset)
{
    const std::size_t main = offset == f::mic::maxLevel ? f::mic::mainLevel : f::music::mainLevel;
    if ((offset == f::mic::maxLevel || offset == f::music::maxLevel) && image.get(main) > image.get(offset))
        image.set(main, image.get(offset));
}

// While the microphones are linked, a change of one microphone's band or input gain is copied to
// the other; switching the link on makes microphone 2 a copy of microphone 1. The device links
// its own side, so only the changed byte's command is sent.
void followMicLink(ParameterImage& image, std::size_t offset, bool linkSwitchedOn)
{
    const auto copyMic = [&image](int from) {
        image.setBand(f::mic::micEq(1 - from), image.band(f::mic::micEq(from)));
        image.set(f::mic::inputGain(1 - from), image.get(f::mic::inputGain(from)));
    };
    if (linkSwitchedOn) {
        copyMic(0);
        return;
    }
    if (image.get(f::mic::link) != 1)
        return;
    for (int mic = 0; mic < 2; ++mic) {
        if (inBand(offset, f::mic::micEq(mic)))
            image.setBand(f::mic::micEq(1 - mic), image.band(f::mic::micEq(mic)));
        if (offset == f::mic::inputGain(mic))
            image.set(f::mic::inputGain(1 - mic), image.get(f::mic::inputGain(mic)));
    }
}

std::optional<std::string> refusal(const ParameterImage& image, const Parameter& p, std::uint8_t value,
                                   SettingTarget target)
{
    if (value < p.min || value > p.max)
        return p.name + ": " + std::to_string(value) + " is out of range " + std::to_string(p.min) + ".." +
               std::to_string(p.max);
    if (auto bound = boundOf(p.offset); bound && value > image.get(*bound))
        return p.name + ": " + std::to_string(value) + " is above the maximum level " +
               std::to_string(image.get(*bound)) + "; raise the maximum first";
    if (target == SettingTarget::File)
        return std::nullopt;
    if (p.command == nullptr)
        return p.name + ": no command carries this byte; only a whole-image write changes it";
    if (p.effectProgram >= 0 && p.effectProgram != image.effectProgram())
        return p.name + ": " + effectName(p.effectProgram) + " is not the selected effect program (" +
               effectName(image.effectProgram()) + " is); set global.effect_program=" +
               std::to_string(p.effectProgram) + " first";
    return std::nullopt;
}

}  // namespace

SettingOutcome applySetting(ParameterImage& image, const Parameter& parameter, std::uint8_t value,
                            SettingTarget target)
{
    if (auto why = refusal(image, parameter, value, target))
        return {*why, std::nullopt};
    const bool linkSwitchedOn = parameter.offset == f::mic::link && value == 1 && image.get(f::mic::link) != 1;
    image.set(parameter.offset, value);
    pullMainLevelDown(image, parameter.offset);
    followMicLink(image, parameter.offset, linkSwitchedOn);
    if (target == SettingTarget::File)
        return {};
    return {{}, commandForOffset(image, parameter.offset)};
}

}  // namespace tonel

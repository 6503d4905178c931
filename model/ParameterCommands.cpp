#include "model/ParameterCommands.h"

#include "model/Fields.h"

#include <array>
#include <cstdio>

namespace tonel {
namespace {

namespace f = fields;
using F = CommandForm;

constexpr CommandField value(std::string_view name, std::size_t offset, int group, int item)
{
    return {name, offset, false, F::Value, group, item};
}
constexpr CommandField band(std::string_view name, std::size_t offset, int item)
{
    return {name, offset, false, F::Band, 8, item};
}
constexpr CommandField effectValue(std::string_view name, std::size_t r, int item)
{
    return {name, r, true, F::Value, 4, item};
}
constexpr CommandField literal(std::string_view name, std::size_t offset, CommandForm form)
{
    return {name, offset, false, form, 0, 0};
}

// Every field that carries a command, in image order.
constexpr std::array kFields{
    literal("global.controlMode", f::global::controlMode, F::ControlMode),
    literal("global.displayContrast", f::global::displayContrast, F::DisplayContrast),
    literal("global.panelLock", f::global::panelLock, F::PanelLock),
    value("global.effectProgram", f::global::effectProgram, 1, 0),

    effectValue("effect.masterLevel", f::effect::masterLevel, 0),
    effectValue("effect.extension", f::effect::extension, 1),
    effectValue("effect.delay", f::effect::delay, 2),
    effectValue("effect.repeat", f::effect::repeat, 3),
    effectValue("effect.reverbTime", f::effect::reverbTime, 4),
    effectValue("effect.reverbEchoMix", f::effect::reverbEchoMix, 5),
    effectValue("effect.toLeftRight", f::effect::toLeftRight, 6),
    effectValue("effect.toCentre", f::effect::toCentre, 7),
    effectValue("effect.toAux1", f::effect::toAux1, 8),
    effectValue("effect.toAux2", f::effect::toAux2, 9),
    CommandField{"effect.eq[0]", f::effect::eq(0), true, F::Band, 8, 0},
    CommandField{"effect.eq[1]", f::effect::eq(1), true, F::Band, 8, 1},

    value("mic.mainLevel", f::mic::mainLevel, 5, 0),
    value("mic.maxLevel", f::mic::maxLevel, 5, 1),
    value("mic.inputGain[0]", f::mic::inputGain(0), 5, 3),
    value("mic.inputGain[1]", f::mic::inputGain(1), 5, 4),
    value("mic.exciter", f::mic::exciter, 5, 5),
    value("mic.noiseGate", f::mic::noiseGate, 5, 6),
    value("mic.autoGain", f::mic::autoGain, 5, 7),
    value("mic.limiter", f::mic::limiter, 5, 8),
    CommandField{"mic.feedback", f::mic::feedback, false, F::SpacePadded, 3, 0},
    value("mic.sendLR", f::mic::sendLR, 5, 9),
    value("mic.sendCentre", f::mic::sendCentre, 5, 10),
    value("mic.sendAux1", f::mic::sendAux1, 5, 11),
    value("mic.sendAux2", f::mic::sendAux2, 5, 12),
    value("mic.link", f::mic::link, 5, 2),
    band("mic.micEq[0]", f::mic::micEq(0), 100),
    band("mic.micEq[1]", f::mic::micEq(1), 101),
    band("mic.eq[0]", f::mic::eq(0), 102),
    band("mic.eq[1]", f::mic::eq(1), 103),
    band("mic.eq[2]", f::mic::eq(2), 104),
    band("mic.eq[3]", f::mic::eq(3), 105),
    band("mic.eq[4]", f::mic::eq(4), 106),

    value("music.mainLevel", f::music::mainLevel, 6, 0),
    value("music.maxLevel", f::music::maxLevel, 6, 1),
    value("music.inputGain", f::music::inputGain, 6, 2),
    value("music.inputSelect", f::music::inputSelect, 2, 0),
    value("music.bgmGain", f::music::bgmGain, 6, 3),
    value("music.noiseGate", f::music::noiseGate, 6, 4),
    value("music.autoGain", f::music::autoGain, 6, 5),
    value("music.limiter", f::music::limiter, 6, 6),
    value("music.sendLR", f::music::sendLR, 6, 7),
    value("music.sendAux1", f::music::sendAux1, 6, 10),
    value("music.sendAux2", f::music::sendAux2, 6, 11),
    value("music.sendCentre", f::music::sendCentre, 6, 8),
    value("music.sendSub", f::music::sendSub, 6, 9),
    band("music.eq[0]", f::music::eq(0), 200),
    band("music.eq[1]", f::music::eq(1), 201),
    band("music.eq[2]", f::music::eq(2), 202),
    band("music.eq[3]", f::music::eq(3), 203),
    band("music.eq[4]", f::music::eq(4), 204),

    band("system.roomEq[0]", f::system::roomEq(0), 300),
    band("system.roomEq[1]", f::system::roomEq(1), 301),
    band("system.roomEq[2]", f::system::roomEq(2), 302),
    band("system.roomEq[3]", f::system::roomEq(3), 303),
    band("system.roomEq[4]", f::system::roomEq(4), 304),
    band("system.roomEq[5]", f::system::roomEq(5), 305),
    band("system.roomEq[6]", f::system::roomEq(6), 306),
    value("system.centreLevel", f::system::centreLevel, 7, 0),
    band("system.centreEq[0]", f::system::centreEq(0), 400),
    band("system.centreEq[1]", f::system::centreEq(1), 401),
    value("system.aux1Level", f::system::aux1Level, 7, 22),
    value("system.aux1Delay", f::system::aux1Delay, 7, 23),
    value("system.aux2Level", f::system::aux2Level, 7, 24),
    value("system.aux2Delay", f::system::aux2Delay, 7, 25),
    value("system.subLevel", f::system::subLevel, 7, 9),
    value("system.subHighPass", f::system::subHighPass, 7, 10),
    value("system.subLowPass", f::system::subLowPass, 7, 11),
    value("system.subPhase", f::system::subPhase, 7, 12),
    value("system.subAutoAttenuation", f::system::subAutoAttenuation, 7, 13),
    band("system.subEq[0]", f::system::subEq(0), 500),
    band("system.subEq[1]", f::system::subEq(1), 501),
};

constexpr std::size_t kEffectBegin = f::effect::firstProgram;
constexpr std::size_t kEffectEnd = kEffectBegin + f::effect::programSize * f::effect::programCount;

constexpr std::size_t width(const CommandField& field) { return field.form == F::Band ? 4 : 1; }

bool inEffectSection(std::size_t offset) { return offset >= kEffectBegin && offset < kEffectEnd; }

bool covers(const CommandField& field, std::size_t offset)
{
    return offset >= field.offset && offset < field.offset + width(field);
}

// Where the field's first byte lies: effect fields in the program that holds `absoluteOffset`,
// or in the selected program when the offset lies outside the effect section.
std::size_t startOffset(const ParameterImage& image, const CommandField& field, std::size_t absoluteOffset)
{
    if (!field.effectRelative)
        return field.offset;
    if (!inEffectSection(absoluteOffset))
        return image.effectOffset(field.offset);
    const auto program = static_cast<int>((absoluteOffset - kEffectBegin) / f::effect::programSize);
    return f::effect::at(program, field.offset);
}

std::optional<std::string> literalCommand(CommandForm form, std::uint8_t v)
{
    switch (form) {
    case F::ControlMode:
        if (v <= 1)
            return v == 0 ? "(01O0)" : "(01O1)";
        return std::nullopt;
    case F::DisplayContrast:
        if (v <= 3)
            return std::string("(01T") + char('0' + v) + ")";
        return std::nullopt;
    case F::PanelLock:
        if (v <= 1)
            return v == 0 ? "(01CE)" : "(01CD)";
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

}  // namespace

std::span<const CommandField> commandFields() { return kFields; }

const CommandField* commandFieldAt(std::size_t absoluteOffset)
{
    const bool effect = inEffectSection(absoluteOffset);
    const std::size_t local = effect ? (absoluteOffset - kEffectBegin) % f::effect::programSize : absoluteOffset;
    for (const auto& field : kFields) {
        if (field.effectRelative == effect && covers(field, local))
            return &field;
    }
    return nullptr;
}

std::optional<std::string> commandForField(const ParameterImage& image, const CommandField& field,
                                           std::size_t absoluteOffset)
{
    const std::size_t start = startOffset(image, field, absoluteOffset);
    switch (field.form) {
    case F::Value:
        return formatValueCommand(field.group, field.item, image.get(start));
    case F::SpacePadded:
        return formatSpacePaddedCommand(field.group, field.item, image.get(start));
    case F::Band:
        return formatBandCommand(field.item, image.band(start));
    default:
        return literalCommand(field.form, image.get(start));
    }
}

std::optional<std::string> commandForOffset(const ParameterImage& image, std::size_t absoluteOffset)
{
    const CommandField* field = commandFieldAt(absoluteOffset);
    if (field == nullptr)
        return std::nullopt;
    return commandForField(image, *field, absoluteOffset);
}

std::string formatValueCommand(int group, int item, std::uint8_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "(01$%03d%03d%03d)", group, item, value);
    return text;
}

std::string formatSpacePaddedCommand(int group, int item, std::uint8_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "(01$%03d%03d%3d)", group, item, value);
    return text;
}

std::string formatBandCommand(int item, const EqBand& band)
{
    char text[40];
    std::snprintf(text, sizeof text, "(01$008%03d%03d%03d%03d%03d)", item, band.type, band.freqIndex, band.gain,
                  band.qIndex);
    return text;
}

}  // namespace tonel

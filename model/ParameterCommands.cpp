#include "model/ParameterCommands.h"

#include "model/Fields.h"
#include "model/ParameterCatalog.h"

#include <cstdio>
#include <vector>

namespace tonel {
namespace {

namespace f = fields;
using F = CommandForm;

// A command field's name: the catalog name of its byte, a band without its byte's part and an effect
// field without its program ("effect1.eq2.type" -> "effect.eq2").
std::string fieldName(const Parameter& p)
{
    std::string name = p.name;
    if (p.command->form == F::Band)
        name.erase(name.rfind('.'));
    if (p.effectProgram >= 0)
        name.erase(std::string_view("effect").size(), 1);
    return name;
}

// One field per command: the first byte of a band, effect fields from the first program.
std::vector<CommandField> buildFields()
{
    std::vector<CommandField> list;
    for (const Parameter& p : parameterCatalog()) {
        if (!p.command || p.effectProgram > 0 || p.bandByte != 0)
            continue;
        const bool effect = p.effectProgram == 0;
        const std::size_t offset = effect ? p.offset - f::effect::firstProgram : p.offset;
        list.push_back({fieldName(p), offset, effect, p.command->form, p.command->group, p.command->item});
    }
    return list;
}

const std::vector<CommandField>& allFields()
{
    static const std::vector<CommandField> list = buildFields();
    return list;
}

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

std::span<const CommandField> commandFields() { return allFields(); }

const CommandField* commandFieldAt(std::size_t absoluteOffset)
{
    const bool effect = inEffectSection(absoluteOffset);
    const std::size_t local = effect ? (absoluteOffset - kEffectBegin) % f::effect::programSize : absoluteOffset;
    for (const auto& field : allFields()) {
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

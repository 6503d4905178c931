#include "emulator/CommandApplier.h"

#include "model/Fields.h"
#include "model/ParameterCommands.h"

#include <array>
#include <cctype>
#include <optional>

namespace tonel::emulator {
namespace {

namespace mic = fields::mic;
namespace music = fields::music;

constexpr std::string_view kParameterStart = "(01$";
constexpr std::size_t kAddressDigits = 6;  // group and item, three digits each
constexpr std::size_t kValueWidth = 3;

struct ParameterCommand {
    int group = 0;
    int item = 0;
    std::array<std::uint8_t, 4> values{};
    std::size_t count = 0;
};

// Three characters: blanks, then at least one digit ("005", "  5"); a byte's range.
std::optional<int> readNumber(std::string_view text)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<ParameterCommand> parseParameterCommand(std::string_view frame)
{
    if (!frame.starts_with(kParameterStart) || !frame.ends_with(')'))
        return std::nullopt;
    std::string_view body = frame.substr(kParameterStart.size(), frame.size() - kParameterStart.size() - 1);
    const std::size_t valueChars = body.size() < kAddressDigits ? 0 : body.size() - kAddressDigits;
    if (valueChars != kValueWidth && valueChars != 4 * kValueWidth)
        return std::nullopt;
    auto group = readNumber(body.substr(0, 3)), item = readNumber(body.substr(3, 3));
    if (!group || !item || body.substr(0, kAddressDigits).find(' ') != std::string_view::npos)
        return std::nullopt;
    ParameterCommand command{*group, *item, {}, valueChars / kValueWidth};
    for (std::size_t v = 0; v < command.count; ++v) {
        auto value = readNumber(body.substr(kAddressDigits + v * kValueWidth, kValueWidth));
        if (!value || *value > 255)
            return std::nullopt;
        command.values[v] = static_cast<std::uint8_t>(*value);
    }
    return command;
}

const CommandField* parameterField(int group, int item)
{
    for (const CommandField& field : commandFields()) {
        const bool parameter = field.form == CommandForm::Value || field.form == CommandForm::SpacePadded ||
                               field.form == CommandForm::Band;
        if (parameter && field.group == group && field.item == item)
            return &field;
    }
    return nullptr;
}

const CommandField* literalField(CommandForm form)
{
    for (const CommandField& field : commandFields()) {
        if (field.form == form)
            return &field;
    }
    return nullptr;
}

bool micLinked(const ParameterImage& image) { return image.get(mic::link) == 1; }

// The device never lets a main level stand above its maximum.
void pullDown(ParameterImage& image, std::size_t mainLevel, std::size_t maxLevel)
{
    if (image.get(mainLevel) > image.get(maxLevel))
        image.set(mainLevel, image.get(maxLevel));
}

void applyValue(ParameterImage& image, std::size_t offset, std::uint8_t value)
{
    const bool gainOfOneMic = offset == mic::inputGain(0) || offset == mic::inputGain(1);
    if (offset == mic::link && !micLinked(image) && value == 1) {  // switching the link on
        image.setBand(mic::micEq(1), image.band(mic::micEq(0)));
        image.set(mic::inputGain(1), image.get(mic::inputGain(0)));
    } else if (gainOfOneMic && micLinked(image)) {
        image.set(mic::inputGain(0), value);
        image.set(mic::inputGain(1), value);
        return;
    }
    image.set(offset, value);
    if (offset == mic::maxLevel)
        pullDown(image, mic::mainLevel, mic::maxLevel);
    if (offset == music::maxLevel)
        pullDown(image, music::mainLevel, music::maxLevel);
}

void applyBand(ParameterImage& image, std::size_t offset, const EqBand& band)
{
    const bool bandOfOneMic = offset == mic::micEq(0) || offset == mic::micEq(1);
    if (bandOfOneMic && micLinked(image)) {
        image.setBand(mic::micEq(0), band);
        image.setBand(mic::micEq(1), band);
        return;
    }
    image.setBand(offset, band);
}

bool applyParameterCommand(std::string_view frame, ParameterImage& image)
{
    const auto command = parseParameterCommand(frame);
    const CommandField* field = command ? parameterField(command->group, command->item) : nullptr;
    const std::size_t wanted = field && field->form == CommandForm::Band ? 4 : 1;
    if (!field || command->count != wanted)
        return false;
    // Effect commands carry no program: they address the one global.effectProgram selects.
    const std::size_t offset = field->effectRelative ? image.effectOffset(field->offset) : field->offset;
    const auto& v = command->values;
    if (field->form == CommandForm::Band)
        applyBand(image, offset, EqBand{v[0], v[1], v[2], v[3]});
    else
        applyValue(image, offset, v[0]);
    return true;
}

struct LiteralCommand {
    std::string_view frame;
    CommandForm form;
    std::uint8_t value;
};

constexpr std::array<LiteralCommand, 8> kLiterals = {{
    {"(01O0)", CommandForm::ControlMode, 0},
    {"(01O1)", CommandForm::ControlMode, 1},
    {"(01T0)", CommandForm::DisplayContrast, 0},
    {"(01T1)", CommandForm::DisplayContrast, 1},
    {"(01T2)", CommandForm::DisplayContrast, 2},
    {"(01T3)", CommandForm::DisplayContrast, 3},
    {"(01CE)", CommandForm::PanelLock, 0},
    {"(01CD)", CommandForm::PanelLock, 1},
}};

bool applyLiteralCommand(std::string_view frame, ParameterImage& image)
{
    for (const LiteralCommand& literal : kLiterals) {
        const CommandField* field = literal.frame == frame ? literalField(literal.form) : nullptr;
        if (field) {
            image.set(field->offset, literal.value);
            return true;
        }
    }
    return false;
}

}  // namespace

bool applyCommand(std::string_view frame, ParameterImage& image)
{
    return applyParameterCommand(frame, image) || applyLiteralCommand(frame, image);
}

}  // namespace tonel::emulator

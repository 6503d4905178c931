#include "model/ParameterCatalog.h"

#include "model/Fields.h"
#include "model/ValueScales.h"
#include "model/ValueTexts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace tonel {
namespace {

namespace f = fields;
using Show = std::string (*)(int);

// ---- The panel's texts, with the blanks its fixed-width fields pad with left out.

std::string number(int byte) { return std::to_string(byte); }
std::string controlMode(int byte) { return byte <= 1 ? controlModeName(byte) : number(byte); }
std::string delay(int byte) { return formatDelay(byte) + " " + formatDistance(byte); }
std::string filterType(int byte) { return std::string(filterTypeName(byte)); }
std::string effectFrequency(int byte) { return formatFrequency(byte); }
std::string pageFrequency(int byte) { return formatFrequencyAs(byte, kTwoDecimalsKhz); }

// ---- Building the table

struct Builder {
    std::vector<Parameter> list;

    void add(std::string name, std::size_t offset, int min, int max, Show show,
             ValueEntry entry = ValueEntry::ShownText, int program = -1)
    {
        if (offset != list.size())
            throw std::logic_error("parameter catalog out of order at " + name);
        const std::string group = name.substr(0, name.find('.'));
        const CommandField* command = commandFieldAt(offset);
        list.push_back({std::move(name), group, offset, min, max, show, entry, command, program});
    }
    void level(const std::string& name, std::size_t offset, int program = -1)
    {
        add(name, offset, 0, kLevelMax, number, ValueEntry::ShownText, program);
    }
    void onOff(const std::string& name, std::size_t offset, int program = -1)
    {
        add(name, offset, 0, 1, switchName, ValueEntry::ShownText, program);
    }
    void band(const std::string& prefix, std::size_t offset, int qMin, Show frequency, int program = -1)
    {
        add(prefix + ".type", offset, ByPass, Notch, filterType, ValueEntry::ShownText, program);
        add(prefix + ".freq", offset + 1, 1, kMaxFreqIndex, frequency, ValueEntry::Frequency, program);
        add(prefix + ".gain", offset + 2, 0, 48, formatGain, ValueEntry::Gain, program);
        add(prefix + ".q", offset + 3, qMin, kMaxQIndex, formatQ, ValueEntry::ShownText, program);
    }
};

void addGlobal(Builder& b)
{
    b.add("global.reserved", f::global::reserved, 0, 255, number);
    b.add("global.control_mode", f::global::controlMode, 0, 1, controlMode);
    b.add("global.display_contrast", f::global::displayContrast, 0, 3, number);
    b.add("global.panel_lock", f::global::panelLock, 0, 1, panelLockName);
    b.add("global.effect_program", f::global::effectProgram, 0, 2, effectProgramName);
}

void addEffectProgram(Builder& b, int k)
{
    namespace fx = f::effect;
    const std::string p = "effect" + std::to_string(k + 1);
    const auto at = [k](std::size_t r) { return fx::at(k, r); };
    const auto amount = [&](const char* name, std::size_t r) {
        b.add(p + name, at(r), 0, kAmountMax, number, ValueEntry::ShownText, k);
    };
    b.level(p + ".master_level", at(fx::masterLevel), k);
    b.onOff(p + ".extension", at(fx::extension), k);
    amount(".delay", fx::delay);
    amount(".repeat", fx::repeat);
    amount(".reverb_time", fx::reverbTime);
    amount(".reverb_echo_mix", fx::reverbEchoMix);
    b.level(p + ".to_left_right", at(fx::toLeftRight), k);
    b.level(p + ".to_centre", at(fx::toCentre), k);
    b.level(p + ".to_aux1", at(fx::toAux1), k);
    b.level(p + ".to_aux2", at(fx::toAux2), k);
    b.band(p + ".eq1", at(fx::eq(0)), 1, effectFrequency, k);
    b.band(p + ".eq2", at(fx::eq(1)), 1, effectFrequency, k);
}

void addMic(Builder& b)
{
    namespace m = f::mic;
    b.level("mic.main_level", m::mainLevel);
    b.level("mic.max_level", m::maxLevel);
    b.level("mic.input_gain1", m::inputGain(0));
    b.level("mic.input_gain2", m::inputGain(1));
    b.onOff("mic.exciter", m::exciter);
    b.onOff("mic.noise_gate", m::noiseGate);
    b.onOff("mic.auto_gain", m::autoGain);
    b.add("mic.limiter", m::limiter, 0, 25, formatThreshold);
    b.add("mic.feedback", m::feedback, 0, 3, formatFeedbackMode);
    b.level("mic.send_lr", m::sendLR);
    b.level("mic.send_centre", m::sendCentre);
    b.level("mic.send_aux1", m::sendAux1);
    b.level("mic.send_aux2", m::sendAux2);
    b.onOff("mic.link", m::link);
    b.band("mic.mic1_eq", m::micEq(0), 1, pageFrequency);
    b.band("mic.mic2_eq", m::micEq(1), 1, pageFrequency);
    for (int i = 0; i < 5; ++i)
        b.band("mic.eq" + std::to_string(i + 1), m::eq(i), 0, pageFrequency);
}

void addMusic(Builder& b)
{
    namespace m = f::music;
    b.level("music.main_level", m::mainLevel);
    b.level("music.max_level", m::maxLevel);
    b.level("music.input_gain", m::inputGain);
    b.add("music.input_select", m::inputSelect, 0, 3, inputSourceName);
    b.level("music.bgm_gain", m::bgmGain);
    b.onOff("music.noise_gate", m::noiseGate);
    b.onOff("music.auto_gain", m::autoGain);
    b.add("music.limiter", m::limiter, 0, 25, formatThreshold);
    b.level("music.send_lr", m::sendLR);
    b.level("music.send_aux1", m::sendAux1);
    b.level("music.send_aux2", m::sendAux2);
    b.level("music.send_centre", m::sendCentre);
    b.level("music.send_sub", m::sendSub);
    for (int i = 0; i < 5; ++i)
        b.band("music.eq" + std::to_string(i + 1), m::eq(i), 0, pageFrequency);
}

void addSystem(Builder& b)
{
    namespace s = f::system;
    for (int i = 0; i < 7; ++i)
        b.band("room.eq" + std::to_string(i + 1), s::roomEq(i), 0, pageFrequency);
    b.level("centre.level", s::centreLevel);
    b.band("centre.eq1", s::centreEq(0), 0, pageFrequency);
    b.band("centre.eq2", s::centreEq(1), 0, pageFrequency);
    b.level("aux1.level", s::aux1Level);
    b.add("aux1.delay", s::aux1Delay, 0, 100, delay);
    b.level("aux2.level", s::aux2Level);
    b.add("aux2.delay", s::aux2Delay, 0, 100, delay);
    b.level("sub.level", s::subLevel);
    b.add("sub.high_pass", s::subHighPass, 0, 25, formatCrossoverLow, ValueEntry::Crossover);
    b.add("sub.low_pass", s::subLowPass, 25, 50, formatCrossoverHigh, ValueEntry::Crossover);
    b.add("sub.phase", s::subPhase, 0, 1, subPhaseName);
    b.add("sub.auto_attenuation", s::subAutoAttenuation, 0, 5, formatAttenuation);
    b.band("sub.eq1", s::subEq(0), 0, pageFrequency);
    b.band("sub.eq2", s::subEq(1), 0, pageFrequency);
}

std::vector<Parameter> buildCatalog()
{
    Builder b;
    addGlobal(b);
    for (int k = 0; k < f::effect::programCount; ++k)
        addEffectProgram(b, k);
    addMic(b);
    addMusic(b);
    addSystem(b);
    if (b.list.size() != kImageSize)
        throw std::logic_error("parameter catalog does not cover the image");
    return std::move(b.list);
}

// ---- Reading values

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<long> plainNumber(std::string_view s)
{
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::strtol(std::string(s).c_str(), nullptr, 10);
}

// A decimal number with an optional sign and fraction, then only `suffix` (any case) or nothing.
std::optional<double> decimalWithSuffix(std::string_view s, std::string_view suffix)
{
    if (s.size() >= suffix.size() && sameText(s.substr(s.size() - suffix.size()), suffix))
        s = trimmed(s.substr(0, s.size() - suffix.size()));
    if (s.empty() || s.find_first_not_of("+-.0123456789") != std::string_view::npos)
        return std::nullopt;
    const std::string copy(s);
    char* end = nullptr;
    const double v = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size())
        return std::nullopt;
    return v;
}

std::string rangeText(const Parameter& p)
{
    std::string text = std::to_string(p.min) + ".." + std::to_string(p.max);
    if (p.show != number)
        text += " (" + p.show(p.min) + " .. " + p.show(p.max) + ")";
    return text;
}

std::optional<int> byShownText(const Parameter& p, std::string_view text)
{
    for (int byte = p.min; byte <= p.max; ++byte)
        if (const std::string shown = p.show(byte); !shown.empty() && sameText(trimmed(shown), text))
            return byte;
    return std::nullopt;
}

std::optional<int> byEntry(const Parameter& p, std::string_view text)
{
    switch (p.entry) {
    case ValueEntry::Frequency:
        // The field's own reading, once the text is seen to start with a number.
        if (text.find_first_of("0123456789") == 0 || (text.size() > 1 && text[0] == '.')) {
            // A comma is taken as the decimal point, as the panel's field takes a typed one:
            // read as the end of the number it would turn 1,5k into 1 kHz.
            std::string pointed(text);
            std::replace(pointed.begin(), pointed.end(), ',', '.');
            return parseFrequencyText(pointed);
        }
        return std::nullopt;
    case ValueEntry::Gain: {
        const auto db = decimalWithSuffix(text, "dB");
        if (!db || std::abs(*db * 2 - std::round(*db * 2)) > 1e-9)
            return std::nullopt;
        return 24 + static_cast<int>(std::lround(*db * 2));
    }
    case ValueEntry::Crossover:
        if (const auto hz = decimalWithSuffix(text, "Hz"))
            for (int byte = std::max(p.min, 1); byte <= p.max; ++byte)
                if (frequencyAt(byte) == *hz)
                    return byte;
        break;
    case ValueEntry::ShownText:
        break;
    }
    return byShownText(p, text);
}

}  // namespace

std::span<const Parameter> parameterCatalog()
{
    static const std::vector<Parameter> catalog = buildCatalog();
    return catalog;
}

const Parameter* findParameter(std::string_view name)
{
    for (const Parameter& p : parameterCatalog())
        if (p.name == name)
            return &p;
    return nullptr;
}

std::string shownValue(const Parameter& parameter, const ParameterImage& image)
{
    return parameter.show(image.get(parameter.offset));
}

std::string commandTemplate(const Parameter& parameter)
{
    const CommandField* c = parameter.command;
    if (c == nullptr)
        return {};
    switch (c->form) {
    case CommandForm::Value: return formatString("(01$%03d%03d%%03d)", c->group, c->item);
    case CommandForm::SpacePadded: return formatString("(01$%03d%03d%%3d)", c->group, c->item);
    case CommandForm::Band: return formatString("(01$008%03d%%03d%%03d%%03d%%03d)", c->item);
    case CommandForm::ControlMode: return "(01O0)/(01O1)";
    case CommandForm::DisplayContrast: return "(01T0)..(01T3)";
    case CommandForm::PanelLock: return "(01CE)/(01CD)";
    }
    return {};
}

ParsedValue parseParameterValue(const Parameter& parameter, std::string_view text)
{
    const std::string_view value = trimmed(text);
    std::optional<long> byte = plainNumber(value);
    if (!byte) {
        if (auto fromText = byEntry(parameter, value))
            byte = *fromText;
        else
            return {std::nullopt, parameter.name + ": cannot read \"" + std::string(text) + "\"; give a byte " +
                                      rangeText(parameter) + " or a value as `tonelctl show` prints it"};
    }
    if (*byte < parameter.min || *byte > parameter.max)
        return {std::nullopt, parameter.name + ": " + std::string(value) + " is out of range; the byte takes " +
                                  rangeText(parameter)};
    return {static_cast<std::uint8_t>(*byte), {}};
}

}  // namespace tonel

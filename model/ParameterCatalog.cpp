#include "model/ParameterCatalog.h"

#include "model/Fields.h"
#include "model/ValueScales.h"
#include "model/ValueTexts.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tonel {
namespace {

namespace f = fields;
using Show = std::string (*)(int);
using K = ValueKind;
using C = CommandForm;

// ---- The panel's texts, with the blanks its fixed-width fields pad with left out.

std::string number(int byte) { return std::to_string(byte); }
std::string controlMode(int byte) { return byte <= 1 ? controlModeName(byte) : number(byte); }
std::string delay(int byte) { return formatDelay(byte) + " " + formatDistance(byte); }
std::string filterType(int byte) { return std::string(filterTypeName(byte)); }
std::string effectFrequency(int byte) { return formatFrequency(byte); }
std::string pageFrequency(int byte) { return formatFrequencyAs(byte, kTwoDecimalsKhz); }

// ---- Commands

constexpr WireCommand value(int group, int item) { return {C::Value, group, item}; }
constexpr WireCommand effectValue(int item) { return value(4, item); }
constexpr WireCommand band(int item) { return {C::Band, 8, item}; }
constexpr WireCommand literal(CommandForm form) { return {form}; }

// ---- Defaults shared by many bands

constexpr EqBand kShelfLow{LoShelf, 32, 24, 46};
constexpr EqBand kShelfHigh{HiShelf, 89, 24, 46};
constexpr EqBand kPeak1k{Peaking, 69, 24, 46};

// ---- Building the table

struct Builder {
    std::vector<Parameter> list;
    int program = -1;  // the effect program being declared

    void add(std::string name, std::size_t offset, int min, int max, int byte, Show show, ValueKind kind,
             std::optional<WireCommand> command, std::size_t bandByte = 0)
    {
        if (offset != list.size())
            throw std::logic_error("parameter catalog out of order at " + name);
        if (byte < min || byte > max)
            throw std::logic_error("default outside the range of " + name);
        std::string group = name.substr(0, name.find('.'));
        list.push_back({std::move(name), std::move(group), offset, min, max, static_cast<std::uint8_t>(byte), show,
                        kind, command, program, bandByte});
    }
    void count(std::string name, std::size_t offset, int max, int byte, WireCommand command)
    {
        add(std::move(name), offset, 0, max, byte, number, K::Count, command);
    }
    void level(std::string name, std::size_t offset, int byte, WireCommand command)
    {
        count(std::move(name), offset, kLevelMax, byte, command);
    }
    void onOff(std::string name, std::size_t offset, int byte, WireCommand command)
    {
        add(std::move(name), offset, 0, 1, byte, switchName, K::Choice, command);
    }
    void eq(const std::string& prefix, std::size_t offset, int qMin, Show frequency, const EqBand& byDefault,
            WireCommand command)
    {
        add(prefix + ".type", offset, ByPass, Notch, byDefault.type, filterType, K::Choice, command, 0);
        add(prefix + ".freq", offset + 1, 1, kMaxFreqIndex, byDefault.freqIndex, frequency, K::Frequency, command, 1);
        add(prefix + ".gain", offset + 2, 0, 48, byDefault.gain, formatGain, K::Gain, command, 2);
        add(prefix + ".q", offset + 3, qMin, kMaxQIndex, byDefault.qIndex, formatQ, K::Q, command, 3);
    }
    void pageEq(const std::string& prefix, std::size_t offset, const EqBand& byDefault, int item, int qMin = 0)
    {
        eq(prefix, offset, qMin, pageFrequency, byDefault, band(item));
    }
};

void addGlobal(Builder& b)
{
    namespace g = f::global;
    b.add("global.reserved", g::reserved, 0, 255, 1, number, K::Count, std::nullopt);
    b.add("global.control_mode", g::controlMode, 0, 1, 0, controlMode, K::Choice, literal(C::ControlMode));
    b.add("global.display_contrast", g::displayContrast, 0, 3, 1, number, K::Count, literal(C::DisplayContrast));
    b.add("global.panel_lock", g::panelLock, 0, 1, 0, panelLockName, K::Choice, literal(C::PanelLock));
    b.add("global.effect_program", g::effectProgram, 0, 2, 0, effectProgramName, K::Choice, value(1, 0));
}

// The three programs differ only in their level, time and balance defaults. Their commands carry
// no program: they address the one global.effect_program selects.
void addEffectProgram(Builder& b, int k)
{
    namespace fx = f::effect;
    constexpr int master[] = {39, 36, 33};
    constexpr int delay[] = {59, 56, 53};
    constexpr int repeat[] = {58, 55, 52};
    constexpr int reverbTime[] = {56, 53, 51};
    constexpr int reverbEchoMix[] = {20, 50, 80};
    const std::string p = "effect" + std::to_string(k + 1);
    const auto at = [k](std::size_t r) { return fx::at(k, r); };
    b.program = k;
    b.level(p + ".master_level", at(fx::masterLevel), master[k], effectValue(0));
    b.onOff(p + ".extension", at(fx::extension), 0, effectValue(1));
    b.count(p + ".delay", at(fx::delay), kAmountMax, delay[k], effectValue(2));
    b.count(p + ".repeat", at(fx::repeat), kAmountMax, repeat[k], effectValue(3));
    b.count(p + ".reverb_time", at(fx::reverbTime), kAmountMax, reverbTime[k], effectValue(4));
    b.count(p + ".reverb_echo_mix", at(fx::reverbEchoMix), kAmountMax, reverbEchoMix[k], effectValue(5));
    b.level(p + ".to_left_right", at(fx::toLeftRight), 50, effectValue(6));
    b.level(p + ".to_centre", at(fx::toCentre), 0, effectValue(7));
    b.level(p + ".to_aux1", at(fx::toAux1), 50, effectValue(8));
    b.level(p + ".to_aux2", at(fx::toAux2), 50, effectValue(9));
    b.eq(p + ".eq1", at(fx::eq(0)), 1, effectFrequency, kShelfLow, band(0));
    b.eq(p + ".eq2", at(fx::eq(1)), 1, effectFrequency, kShelfHigh, band(1));
    b.program = -1;
}

// The limiter's threshold: 0..24 is -18..+6 dBV, 25 switches it off.
constexpr int kThresholdMax = 25;

void addMic(Builder& b)
{
    namespace m = f::mic;
    b.level("mic.main_level", m::mainLevel, 39, value(5, 0));
    b.level("mic.max_level", m::maxLevel, 50, value(5, 1));
    b.level("mic.input_gain1", m::inputGain(0), 50, value(5, 3));
    b.level("mic.input_gain2", m::inputGain(1), 50, value(5, 4));
    b.onOff("mic.exciter", m::exciter, 0, value(5, 5));
    b.onOff("mic.noise_gate", m::noiseGate, 1, value(5, 6));
    b.onOff("mic.auto_gain", m::autoGain, 0, value(5, 7));
    b.add("mic.limiter", m::limiter, 0, kThresholdMax, 25, formatThreshold, K::Threshold, value(5, 8));
    b.add("mic.feedback", m::feedback, 0, 3, 0, formatFeedbackMode, K::Choice, WireCommand{C::SpacePadded, 3, 0});
    b.level("mic.send_lr", m::sendLR, 50, value(5, 9));
    b.level("mic.send_centre", m::sendCentre, 50, value(5, 10));
    b.level("mic.send_aux1", m::sendAux1, 50, value(5, 11));
    b.level("mic.send_aux2", m::sendAux2, 50, value(5, 12));
    b.onOff("mic.link", m::link, 1, value(5, 2));
    b.pageEq("mic.mic1_eq", m::micEq(0), kPeak1k, 100, 1);
    b.pageEq("mic.mic2_eq", m::micEq(1), kPeak1k, 101, 1);
    const EqBand shared[] = {kShelfLow, kPeak1k, kPeak1k, kPeak1k, kShelfHigh};
    for (int i = 0; i < 5; ++i)
        b.pageEq("mic.eq" + std::to_string(i + 1), m::eq(i), shared[i], 102 + i);
}

void addMusic(Builder& b)
{
    namespace m = f::music;
    b.level("music.main_level", m::mainLevel, 30, value(6, 0));
    b.level("music.max_level", m::maxLevel, 50, value(6, 1));
    b.level("music.input_gain", m::inputGain, 50, value(6, 2));
    b.add("music.input_select", m::inputSelect, 0, 3, 2, inputSourceName, K::Choice, value(2, 0));
    b.level("music.bgm_gain", m::bgmGain, 50, value(6, 3));
    b.onOff("music.noise_gate", m::noiseGate, 1, value(6, 4));
    b.onOff("music.auto_gain", m::autoGain, 0, value(6, 5));
    b.add("music.limiter", m::limiter, 0, kThresholdMax, 25, formatThreshold, K::Threshold, value(6, 6));
    b.level("music.send_lr", m::sendLR, 50, value(6, 7));
    b.level("music.send_aux1", m::sendAux1, 50, value(6, 10));
    b.level("music.send_aux2", m::sendAux2, 50, value(6, 11));
    b.level("music.send_centre", m::sendCentre, 0, value(6, 8));
    b.level("music.send_sub", m::sendSub, 50, value(6, 9));
    const EqBand bands[] = {kShelfLow, {Peaking, 49, 24, 46}, {Peaking, 61, 24, 46}, kPeak1k, kShelfHigh};
    for (int i = 0; i < 5; ++i)
        b.pageEq("music.eq" + std::to_string(i + 1), m::eq(i), bands[i], 200 + i);
}

void addSystem(Builder& b)
{
    namespace s = f::system;
    for (int i = 0; i < 7; ++i)
        b.pageEq("room.eq" + std::to_string(i + 1), s::roomEq(i), kPeak1k, 300 + i);
    b.level("centre.level", s::centreLevel, 50, value(7, 0));
    b.pageEq("centre.eq1", s::centreEq(0), kPeak1k, 400);
    b.pageEq("centre.eq2", s::centreEq(1), kPeak1k, 401);
    b.level("aux1.level", s::aux1Level, 50, value(7, 22));
    b.add("aux1.delay", s::aux1Delay, 0, 100, 0, delay, K::Delay, value(7, 23));
    b.level("aux2.level", s::aux2Level, 50, value(7, 24));
    b.add("aux2.delay", s::aux2Delay, 0, 100, 0, delay, K::Delay, value(7, 25));
    b.level("sub.level", s::subLevel, 50, value(7, 9));
    b.add("sub.high_pass", s::subHighPass, 0, 25, 0, formatCrossoverLow, K::Crossover, value(7, 10));
    b.add("sub.low_pass", s::subLowPass, 25, 50, 25, formatCrossoverHigh, K::Crossover, value(7, 11));
    b.add("sub.phase", s::subPhase, 0, 1, 0, subPhaseName, K::Choice, value(7, 12));
    b.add("sub.auto_attenuation", s::subAutoAttenuation, 0, 5, 0, formatAttenuation, K::Choice, value(7, 13));
    const EqBand sub{Peaking, 21, 24, 46};
    b.pageEq("sub.eq1", s::subEq(0), sub, 500);
    b.pageEq("sub.eq2", s::subEq(1), sub, 501);
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

// Levenshtein distance, ignoring case.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
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

std::vector<std::string> suggestNames(std::string_view name, std::size_t most)
{
    // Further than a third of the name away is no longer a slip of the keyboard.
    const std::size_t limit = std::max<std::size_t>(2, name.size() / 3);
    std::vector<std::pair<std::size_t, const std::string*>> near;
    // Two names further apart in length than the limit are further apart in edits too: skip them
    // without counting (an unknown name can be long, and each count is quadratic).
    const auto within = [&](std::string_view candidate) {
        const std::size_t gap = name.size() > candidate.size() ? name.size() - candidate.size() : candidate.size() - name.size();
        return gap <= limit ? editDistance(name, candidate) : limit + 1;
    };
    for (const Parameter& p : parameterCatalog()) {
        std::size_t d = within(p.name);
        if (name.find('.') == std::string_view::npos)  // a name given without its group
            d = std::min(d, within(std::string_view(p.name).substr(p.group.size() + 1)));
        if (d <= limit)
            near.emplace_back(d, &p.name);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < near.size() && i < most; ++i)
        names.push_back(*near[i].second);
    return names;
}

std::string shownValue(const Parameter& parameter, const ParameterImage& image)
{
    return parameter.show(image.get(parameter.offset));
}

std::string commandTemplate(const Parameter& parameter)
{
    if (!parameter.command)
        return {};
    const WireCommand& c = *parameter.command;
    switch (c.form) {
    case CommandForm::Value: return formatString("(01$%03d%03d%%03d)", c.group, c.item);
    case CommandForm::SpacePadded: return formatString("(01$%03d%03d%%3d)", c.group, c.item);
    case CommandForm::Band: return formatString("(01$008%03d%%03d%%03d%%03d%%03d)", c.item);
    case CommandForm::ControlMode: return "(01O0)/(01O1)";
    case CommandForm::DisplayContrast: return "(01T0)..(01T3)";
    case CommandForm::PanelLock: return "(01CE)/(01CD)";
    }
    return {};
}

}  // namespace tonel

#include "model/ParameterValues.h"

#include "model/ValueScales.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace tonel {
namespace {

using K = ValueKind;

constexpr double kTolerance = 1e-9;
constexpr int kThresholdOff = 25;

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

bool allDigits(std::string_view s)
{
    return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number with up to three decimals, without trailing zeros.
std::string shortNumber(double v)
{
    std::string text = formatString("%.3f", v);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

bool hasChoice(const Parameter& p, int byte)
{
    switch (p.kind) {
    case K::Choice: return true;
    case K::Threshold: return byte == kThresholdOff;
    case K::Crossover: return byte <= 0;
    default: return false;
    }
}

const char* unitOf(ValueKind kind)
{
    switch (kind) {
    case K::Gain: return "dB";
    case K::Frequency:
    case K::Crossover: return "Hz";
    case K::Delay: return "ms";
    case K::Threshold: return "dBV";
    default: return "";
    }
}

double numberOf(const Parameter& p, int byte)
{
    switch (p.kind) {
    case K::Gain: return gainToDb(byte);
    case K::Frequency:
    case K::Crossover: return frequencyAt(byte);
    case K::Q: return qAt(byte);
    case K::Delay: return byte * 0.5;
    case K::Threshold: return byte - 18;
    default: return byte;
    }
}

// The units a typed number may carry, each with its factor to the value's unit.
struct Unit {
    std::string_view text;
    double factor;
};
std::vector<Unit> unitsOf(ValueKind kind)
{
    switch (kind) {
    case K::Gain: return {{"dB", 1}};
    case K::Frequency:
    case K::Crossover: return {{"Hz", 1}, {"kHz", 1000}, {"k", 1000}, {"kH", 1000}};
    case K::Delay: return {{"ms", 1}, {"m", 1 / kMetresPerMs}};  // the distance the panel shows beside it
    case K::Threshold: return {{"dBV", 1}};
    default: return {};
    }
}

// [+-]digits[.digits] or [+-].digits, then blanks and one of `units` or nothing; in the value's unit.
std::optional<double> readNumber(std::string_view s, const std::vector<Unit>& units)
{
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const std::size_t digitsStart = i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    double v = 0;
    const std::string_view numeral = s.substr(digitsStart, i - digitsStart);
    if (std::from_chars(numeral.data(), numeral.data() + numeral.size(), v).ec != std::errc{})
        return std::nullopt;
    if (s[0] == '-')
        v = -v;
    const std::string_view suffix = trimmed(s.substr(i));
    if (suffix.empty())
        return v;
    for (const Unit& unit : units)
        if (sameText(suffix, unit.text))
            return v * unit.factor;
    return std::nullopt;
}

std::string rangeText(const Parameter& p)
{
    std::string choices;
    int first = -1, last = -1;
    for (int byte = p.min; byte <= p.max; ++byte) {
        if (hasChoice(p, byte)) {
            choices += (choices.empty() ? "" : ", ") + valueText(p, byte);
            continue;
        }
        first = first < 0 ? byte : first;
        last = byte;
    }
    if (first < 0)
        return "one of " + choices;
    const std::string span = valueText(p, first) + ".." + valueText(p, last);
    return choices.empty() ? span : choices + " or " + span;
}

ParsedValue refused(const Parameter& p, std::string what)
{
    return {std::nullopt, p.name + ": " + what + "; takes " + rangeText(p), {}, false};
}

ParsedValue accepted(const Parameter& p, int byte, bool snapped = false)
{
    return {static_cast<std::uint8_t>(byte), {}, valueText(p, byte), snapped};
}

// A number on the parameter's scale: a step of it, or a band frequency snapped down to one.
ParsedValue byNumber(const Parameter& p, double v, std::string_view text)
{
    std::vector<int> steps;  // the bytes with a number, in rising order of their value
    for (int byte = p.min; byte <= p.max; ++byte)
        if (!hasChoice(p, byte))
            steps.push_back(byte);
    std::stable_sort(steps.begin(), steps.end(), [&](int a, int b) { return numberOf(p, a) < numberOf(p, b); });
    const double low = numberOf(p, steps.front()), high = numberOf(p, steps.back());
    if (v < low - kTolerance || v > high + kTolerance)
        return refused(p, "\"" + std::string(text) + "\" is out of range");
    auto above = std::find_if(steps.begin(), steps.end(), [&](int b) { return numberOf(p, b) > v - kTolerance; });
    if (std::abs(numberOf(p, *above) - v) <= kTolerance)
        return accepted(p, *above);
    const int below = *std::prev(above);
    if (p.kind == K::Frequency)
        return accepted(p, below, true);
    return refused(p, "\"" + std::string(text) + "\" is not a step: " + valueText(p, below) + " or " +
                          valueText(p, *above));
}

std::optional<int> byChoice(const Parameter& p, std::string_view text)
{
    for (int byte = p.min; byte <= p.max; ++byte)
        if (hasChoice(p, byte) && sameText(valueText(p, byte), text))
            return byte;
    return std::nullopt;
}

}  // namespace

ExactValue exactValue(const Parameter& p, int byte)
{
    if (hasChoice(p, byte))
        return {std::nullopt, std::string(trimmed(p.show(byte))), {}};
    return {numberOf(p, byte), {}, unitOf(p.kind)};
}

std::string valueText(const Parameter& p, int byte)
{
    const ExactValue v = exactValue(p, byte);
    if (!v.number)
        return v.choice;
    if ((p.kind == K::Frequency || p.kind == K::Crossover) && *v.number >= 1000)
        return shortNumber(*v.number / 1000) + "kHz";
    const bool signed_ = (p.kind == K::Gain || p.kind == K::Threshold) && *v.number > 0;
    return (signed_ ? "+" : "") + shortNumber(*v.number) + v.unit;
}

ParsedValue parseValue(const Parameter& p, std::string_view text, ValueReading reading)
{
    std::string value(trimmed(text));
    if (value.empty())
        return refused(p, "no value");
    if (value.size() > 4 && sameText(std::string_view(value).substr(0, 4), "raw:")) {
        const std::string_view raw = std::string_view(value).substr(4);
        const int byte = allDigits(raw) ? std::stoi(std::string(raw)) : -1;
        if (byte < p.min || byte > p.max)
            return {std::nullopt, p.name + ": \"" + value + "\" is not a raw byte " + std::to_string(p.min) +
                                      ".." + std::to_string(p.max), {}, false};
        return accepted(p, byte);
    }
    if (const auto byte = byChoice(p, value))
        return accepted(p, *byte);
    if (p.kind == K::Choice) {
        if (allDigits(value) && std::stoi(value) >= p.min && std::stoi(value) <= p.max)
            return accepted(p, std::stoi(value));
        return refused(p, "\"" + value + "\" is not a choice");
    }
    if (value.find(',') != std::string::npos) {
        if (!reading.decimalComma)
            return refused(p, "\"" + value + "\" has a comma, ambiguous; write a decimal point");
        std::replace(value.begin(), value.end(), ',', '.');
    }
    const auto number = readNumber(value, unitsOf(p.kind));
    if (!number)
        return refused(p, "cannot read \"" + std::string(trimmed(text)) + "\"");
    return byNumber(p, *number, trimmed(text));
}

}  // namespace tonel

#pragma once
// Every byte of the parameter image by a stable dotted name ("mic.eq3.freq", "sub.low_pass"),
// with its range, the command that carries it and its value as the panel shows it.

#include "model/ParameterCommands.h"
#include "model/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tonel {

// How a value given as text (rather than as a raw byte) is understood.
enum class ValueEntry {
    ShownText,  // one of the texts the byte's values show as ("OFF", "Hi-shelf", "-6dBV")
    Frequency,  // what a band's frequency field takes ("1.5k", "400Hz")
    Gain,       // decibels ("-3", "+4.5dB")
    Crossover,  // a frequency of the table in Hz ("80Hz", "112"), or the shown text ("OFF")
};

struct Parameter {
    std::string name;    // "effect2.delay", "room.eq7.q"
    std::string group;   // the name up to its first dot
    std::size_t offset;  // absolute image offset, 0..187
    int min;             // the values the panel's control produces or accepts
    int max;
    std::string (*show)(int byte);      // the panel's text for a byte
    ValueEntry entry;
    const CommandField* command;        // nullptr: carried only by whole-image transfers
    int effectProgram = -1;             // 0..2 for the bytes of an effect program
};

// All 188 bytes, in offset order: parameterCatalog()[i].offset == i.
std::span<const Parameter> parameterCatalog();
const Parameter* findParameter(std::string_view name);

// The text `show` prints for the parameter's byte in `image`.
std::string shownValue(const Parameter& parameter, const ParameterImage& image);

// The command's form as text, for listings: "(01$005000%03d)", "(01O0)/(01O1)"; empty without one.
std::string commandTemplate(const Parameter& parameter);

// A value given on the command line: a plain decimal number is the raw byte; anything else is read
// as the panel's text for the parameter. The error says what was wrong, naming the range.
struct ParsedValue {
    std::optional<std::uint8_t> byte;
    std::string error;
};
ParsedValue parseParameterValue(const Parameter& parameter, std::string_view text);

}  // namespace tonel

#pragma once
// The one declaration of every byte of the parameter image: its stable dotted name ("mic.eq3.freq",
// "sub.low_pass"), range, default, the command that carries it, how its value reads in real units
// and the panel's text for it. Defaults, the command table and the pages' ranges come from here.

#include "model/ParameterCommands.h"
#include "model/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tonel {

// What a byte's value is, in real units.
enum class ValueKind {
    Count,      // the byte itself, no unit (levels, amounts, contrast)
    Choice,     // one of the texts the panel names its values by ("OFF", "Hi-shelf", "甜美")
    Gain,       // dB in half-decibel steps, byte 24 = 0 dB
    Frequency,  // Hz of a band's frequency table entry
    Crossover,  // Hz of a crossover's table entry; the high pass names byte 0 "OFF"
    Q,          // the Q table entry, no unit
    Delay,      // ms in half-millisecond steps (the panel shows the distance in m beside it)
    Threshold,  // dBV in 1 dB steps from -18 dBV; byte 25 is "OFF"
};

// The wire address of the command that carries a byte.
struct WireCommand {
    CommandForm form;
    int group = 0;  // Value, SpacePadded, Band
    int item = 0;
};

struct Parameter {
    std::string name;    // "effect2.delay", "room.eq7.q"
    std::string group;   // the name up to its first dot
    std::size_t offset;  // absolute image offset, 0..187
    int min;             // the values the panel's control produces or accepts
    int max;
    std::uint8_t defaultByte;
    std::string (*show)(int byte);  // the panel's text for a byte
    ValueKind kind;
    std::optional<WireCommand> command;  // none: carried only by whole-image transfers
    int effectProgram = -1;              // 0..2 for the bytes of an effect program
    std::size_t bandByte = 0;            // 0..3 inside an equaliser band (type, freq, gain, q)
};

// All 188 bytes, in offset order: parameterCatalog()[i].offset == i.
std::span<const Parameter> parameterCatalog();
const Parameter* findParameter(std::string_view name);

// The nearest names to an unknown one (by edit distance, closest first), for "did you mean".
std::vector<std::string> suggestNames(std::string_view name, std::size_t most = 3);

// The text `show` prints for the parameter's byte in `image`.
std::string shownValue(const Parameter& parameter, const ParameterImage& image);

// The command's form as text, for listings: "(01$005000%03d)", "(01O0)/(01O1)"; empty without one.
std::string commandTemplate(const Parameter& parameter);

}  // namespace tonel

#pragma once
// Changes to parameters given by name and value as text ("room.eq3.freq" = "1.5k"), read and checked
// before anything is touched and applied as one change: what `tonelctl set` and the web service take.

#include "model/ParameterCatalog.h"
#include "model/ParameterSetting.h"
#include "model/ParameterValues.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tonel {

struct Assignment {
    const Parameter* parameter;
    std::uint8_t value;
};

struct ParsedAssignments {
    std::vector<Assignment> list;       // each parameter once
    std::vector<std::string> errors;    // one per bad argument
    std::vector<std::string> notes;     // a value stored as another than given: "room.eq3.freq 1.55k → 1.5kHz"
};
// Values are read strictly (parseValue); an unknown name gets the nearest names as suggestions.
ParsedAssignments parseAssignments(const std::vector<std::pair<std::string, std::string>>& namesAndValues,
                                   ValueReading reading = {});
// The same from NAME=VALUE arguments.
ParsedAssignments parseAssignments(const std::vector<std::string>& arguments, ValueReading reading = {});

// Applies the assignments to a copy of `image` as one change: the order they were given in does
// not matter. The effect program is selected first, the microphone link set next and a main level
// after its maximum, so the panel's rules hold for the result; on a refusal the image is left as
// it was. The frames a device gets, in order, repeated commands folded into their last value.
struct AppliedSettings {
    std::string error;
    std::vector<std::string> frames;
};
AppliedSettings applyAssignments(ParameterImage& image, const std::vector<Assignment>& assignments,
                                 SettingTarget target);

// The bytes of an image that lie outside their parameters' ranges: "mic.limiter: 40 is outside 0..25".
std::vector<std::string> bytesOutOfRange(const ParameterImage& image);

}  // namespace tonel

#pragma once
// NAME=VALUE arguments of `set`, read and checked before anything is touched.

#include "model/ParameterCatalog.h"
#include "model/ParameterSetting.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tonel::ctl {

struct Assignment {
    const Parameter* parameter;
    std::uint8_t value;
};

struct ParsedAssignments {
    std::vector<Assignment> list;
    std::vector<std::string> errors;  // one per bad argument
};
ParsedAssignments parseAssignments(const std::vector<std::string>& arguments);

// Applies every assignment in order to a copy of `image`; on the first refusal the image is left
// as it was. The frames a device gets, in order, repeated commands folded into their last value.
struct AppliedSettings {
    std::string error;
    std::vector<std::string> frames;
};
AppliedSettings applyAssignments(ParameterImage& image, const std::vector<Assignment>& assignments,
                                 SettingTarget target);

}  // namespace tonel::ctl

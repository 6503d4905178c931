#pragma once
// One parameter changed the way the panel changes it: the same limits, the same knock-on rules
// (main level under the maximum level, the linked microphones) and the frame it would send.

#include "model/ParameterCatalog.h"
#include "model/ParameterImage.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tonel {

enum class SettingTarget {
    File,    // an image on disk: every byte may change, nothing is sent
    Device,  // a processor in session: only what a command carries, as the panel sends it
};

struct SettingOutcome {
    std::string error;                   // empty: applied
    std::optional<std::string> command;  // the frame for a device
    bool ok() const { return error.empty(); }
};

// Applies `value` to `image` (which the caller keeps unchanged on error by working on a copy).
// The value must already lie in the parameter's range.
SettingOutcome applySetting(ParameterImage& image, const Parameter& parameter, std::uint8_t value,
                            SettingTarget target);

}  // namespace tonel

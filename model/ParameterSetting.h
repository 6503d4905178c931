#pragma once
// One parameter changed the way the panel changes it: the same limits, the same knock-on rules
// (main level under the maximum level, the linked microphones) and the frame it would send.

#include "model/ParameterCatalog.h"
#include "model/ParameterImage.h"

#include <cstddef>
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
// A value outside the parameter's range is refused like any other the panel would not produce.
SettingOutcome applySetting(ParameterImage& image, const Parameter& parameter, std::uint8_t value,
                            SettingTarget target);

// ---- The knock-on rules on their own, for callers that change the bytes themselves.

// The maximum-level byte a main level may not rise above, if `offset` is a main level.
std::optional<std::size_t> maxLevelBounding(std::size_t offset);
// After the maximum level at `maxOffset` changed: a main level above it comes down to it (only
// the maximum is sent; the device applies the bound itself). Returns the main level's offset
// when it moved.
std::optional<std::size_t> pullMainLevelDown(ParameterImage& image, std::size_t maxOffset);
// Switching the microphone link on makes microphone 2 a copy of microphone 1: band and input gain.
void copyMic1ToMic2(ParameterImage& image);
// While the microphones are linked, a change of one microphone's band (any of its four bytes) or
// input gain is copied to the other; only the changed byte is sent, the device links its own
// side. Returns whether something was copied.
bool followMicLink(ParameterImage& image, std::size_t changedOffset);

}  // namespace tonel

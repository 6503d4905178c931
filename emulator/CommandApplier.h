#pragma once
// What the processor does with the commands that get no answer: every parameter command, the
// mode, contrast and lock commands, with the device's own rules (maximum level, microphone link).

#include "model/ParameterImage.h"

#include <string_view>

namespace tonel::emulator {

// Applies one whole received frame to the image. False (image untouched) for anything that is
// not one of those commands or whose values do not read as bytes.
bool applyCommand(std::string_view frame, ParameterImage& image);

}  // namespace tonel::emulator

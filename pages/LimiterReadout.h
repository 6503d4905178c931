#pragma once
// The microphone and music limiter read-out: 25 is "OFF", every other byte a threshold of
// byte - 18 dBV, also a byte beyond the scale that came from a file or the device.

#include "pages/Bindings.h"

namespace tonel::readout {

inline Readout limiter(int fieldId)
{
    return byByte(fieldId, [](int byte) { return byte == 25 ? std::string("OFF") : formatString("%ddBV", byte - 18); });
}

}  // namespace tonel::readout

#pragma once
// Cuts the received byte stream into frames: from "(" to ")". Bytes outside a frame are line
// noise and ignored; a "(" inside a frame starts over; an overlong frame is dropped.

#include <cstddef>
#include <optional>
#include <string>

namespace tonel::emulator {

class FrameAssembler {
public:
    static constexpr std::size_t kMaxFrameLength = 512;  // the longest real frame has 384

    // The whole frame when `c` closes one.
    std::optional<std::string> feed(char c);

private:
    std::string current_;
    bool inFrame_ = false;
};

}  // namespace tonel::emulator

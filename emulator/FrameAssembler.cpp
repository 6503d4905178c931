#include "emulator/FrameAssembler.h"

namespace tonel::emulator {

std::optional<std::string> FrameAssembler::feed(char c)
{
    if (c == '(') {
        current_.assign(1, c);
        inFrame_ = true;
        return std::nullopt;
    }
    if (!inFrame_)
        return std::nullopt;
    current_.push_back(c);
    if (c == ')') {
        inFrame_ = false;
        return std::move(current_);
    }
    if (current_.size() >= kMaxFrameLength) {
        inFrame_ = false;
        current_.clear();
    }
    return std::nullopt;
}

}  // namespace tonel::emulator

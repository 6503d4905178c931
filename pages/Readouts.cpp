#include "pages/Bindings.h"

namespace tonel::readout {

Readout number(int fieldId)
{
    return {fieldId, [](int byte, SpinArrow, bool) -> std::optional<std::string> { return std::to_string(byte); }};
}

Readout switchByArrow(int fieldId, std::string on, std::string offAfterDown, std::string offOnRefresh)
{
    return {fieldId, [=](int byte, SpinArrow arrow, bool) -> std::optional<std::string> {
                switch (arrow) {
                case SpinArrow::Up: return on;
                case SpinArrow::Down: return offAfterDown;
                case SpinArrow::None: break;
                }
                return byte == 1 ? on : offOnRefresh;
            }};
}

Readout byByte(int fieldId, std::function<std::string(int)> textOf)
{
    return {fieldId, [textOf = std::move(textOf)](int byte, SpinArrow, bool) -> std::optional<std::string> {
                return textOf(byte);
            }};
}

}  // namespace tonel::readout

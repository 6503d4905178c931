#include "model/ValueTexts.h"

#include <span>

namespace tonel {
namespace {

// A byte without a name in the list (one from a file or the device) has an empty one.
std::string_view named(std::span<const std::string_view> names, int byte)
{
    return byte >= 0 && byte < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(byte)]
                                                               : std::string_view();
}

constexpr std::string_view kSwitch[] = {"OFF", "ON"};

}  // namespace

std::string_view switchName(int byte) { return kSwitch[byte == 1 ? 1 : 0]; }
std::string_view panelLockName(int byte) { return named(kSwitch, byte); }

std::string_view controlModeName(int byte)
{
    static constexpr std::string_view kNames[] = {"简易模式", "全功能模式"};
    return named(kNames, byte);
}

std::string_view effectProgramName(int byte)
{
    static constexpr std::string_view kNames[] = {"甜美", "豪迈", "激情"};
    return named(kNames, byte);
}

std::string_view inputSourceName(int byte)
{
    static constexpr std::string_view kNames[] = {"AUTO", "DIGIT", "VOD", "BGM"};
    return named(kNames, byte);
}

std::string_view subPhaseName(int byte)
{
    static constexpr std::string_view kNames[] = {"Normal", "Reverse"};
    return named(kNames, byte);
}

std::string formatFeedbackMode(int byte) { return "FB.EX" + std::to_string(byte); }

}  // namespace tonel

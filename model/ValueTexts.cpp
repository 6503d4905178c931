#include "model/ValueTexts.h"

#include <span>
#include <string_view>

namespace tonel {
namespace {

constexpr std::string_view kSwitch[] = {"OFF", "ON"};
constexpr std::string_view kControlModes[] = {"简易模式", "全功能模式"};
constexpr std::string_view kEffectPrograms[] = {"甜美", "豪迈", "激情"};
constexpr std::string_view kInputSources[] = {"AUTO", "DIGIT", "VOD", "BGM"};
constexpr std::string_view kSubPhases[] = {"Normal", "Reverse"};

// A byte without a name in the list (one from a file or the device) has an empty one.
std::string named(std::span<const std::string_view> names, int byte)
{
    return byte >= 0 && byte < static_cast<int>(names.size()) ? std::string(names[static_cast<std::size_t>(byte)])
                                                               : std::string();
}

}  // namespace

std::string switchName(int byte) { return std::string(kSwitch[byte == 1 ? 1 : 0]); }
std::string panelLockName(int byte) { return named(kSwitch, byte); }
std::string controlModeName(int byte) { return named(kControlModes, byte); }
std::string effectProgramName(int byte) { return named(kEffectPrograms, byte); }
std::string inputSourceName(int byte) { return named(kInputSources, byte); }
std::string subPhaseName(int byte) { return named(kSubPhases, byte); }
std::string formatFeedbackMode(int byte) { return "FB.EX" + std::to_string(byte); }

}  // namespace tonel

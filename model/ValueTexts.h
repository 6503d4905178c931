#pragma once
// The names the panel gives the values of its switches and selectors, without the blanks its
// fixed-width fields pad them with.

#include <string>
#include <string_view>

namespace tonel {

std::string_view switchName(int byte);        // 1 "ON", any other byte "OFF"
std::string_view panelLockName(int byte);     // "OFF", "ON"; empty above 1
std::string_view controlModeName(int byte);   // "简易模式", "全功能模式"; empty above 1
std::string_view effectProgramName(int byte); // "甜美", "豪迈", "激情"; empty above 2
std::string_view inputSourceName(int byte);   // "AUTO", "DIGIT", "VOD", "BGM"; empty above 3
std::string_view subPhaseName(int byte);      // "Normal", "Reverse"; empty above 1
std::string formatFeedbackMode(int byte);     // "FB.EX%d" of any byte

}  // namespace tonel

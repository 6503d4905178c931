#pragma once
// The names the panel gives the values of its switches and selectors, without the blanks its
// fixed-width fields pad them with.

#include <string>

namespace tonel {

std::string switchName(int byte);         // 1 "ON", any other byte "OFF"
std::string panelLockName(int byte);      // "OFF", "ON"; empty above 1
std::string controlModeName(int byte);    // "简易模式", "全功能模式"; empty above 1
std::string effectProgramName(int byte);  // "甜美", "豪迈", "激情"; empty above 2
std::string inputSourceName(int byte);    // "AUTO", "DIGIT", "VOD", "BGM"; empty above 3
std::string subPhaseName(int byte);       // "Normal", "Reverse"; empty above 1
std::string formatFeedbackMode(int byte); // "FB.EX%d" of any byte

}  // namespace tonel

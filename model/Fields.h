#pragma once
// Offsets of the named fields of the parameter image (section.field).

#include <cstddef>

namespace tonel::fields {

using Offset = std::size_t;

namespace global {
inline constexpr Offset reserved = 0;
inline constexpr Offset controlMode = 1;
inline constexpr Offset displayContrast = 2;
inline constexpr Offset panelLock = 3;
inline constexpr Offset effectProgram = 4;
}  // namespace global

// Effect program k starts at 5 + 18k; these are the offsets inside a program.
namespace effect {
inline constexpr Offset firstProgram = 5;
inline constexpr Offset programSize = 18;
inline constexpr int programCount = 3;
inline constexpr Offset masterLevel = 0;
inline constexpr Offset extension = 1;
inline constexpr Offset delay = 2;
inline constexpr Offset repeat = 3;
inline constexpr Offset reverbTime = 4;
inline constexpr Offset reverbEchoMix = 5;
inline constexpr Offset toLeftRight = 6;
inline constexpr Offset toCentre = 7;
inline constexpr Offset toAux1 = 8;
inline constexpr Offset toAux2 = 9;
constexpr Offset eq(int band) { return 10 + 4 * static_cast<Offset>(band); }
constexpr Offset at(int program, Offset r) { return firstProgram + programSize * static_cast<Offset>(program) + r; }
}  // namespace effect

namespace mic {
inline constexpr Offset mainLevel = 59;
inline constexpr Offset maxLevel = 60;
constexpr Offset inputGain(int i) { return 61 + static_cast<Offset>(i); }
inline constexpr Offset exciter = 63;
inline constexpr Offset noiseGate = 64;
inline constexpr Offset autoGain = 65;
inline constexpr Offset limiter = 66;
inline constexpr Offset feedback = 67;
inline constexpr Offset sendLR = 68;
inline constexpr Offset sendCentre = 69;
inline constexpr Offset sendAux1 = 70;
inline constexpr Offset sendAux2 = 71;
inline constexpr Offset link = 72;
constexpr Offset micEq(int i) { return 73 + 4 * static_cast<Offset>(i); }
constexpr Offset eq(int i) { return 81 + 4 * static_cast<Offset>(i); }
}  // namespace mic

namespace music {
inline constexpr Offset mainLevel = 101;
inline constexpr Offset maxLevel = 102;
inline constexpr Offset inputGain = 103;
inline constexpr Offset inputSelect = 104;
inline constexpr Offset bgmGain = 105;
inline constexpr Offset noiseGate = 106;
inline constexpr Offset autoGain = 107;
inline constexpr Offset limiter = 108;
inline constexpr Offset sendLR = 109;
inline constexpr Offset sendAux1 = 110;
inline constexpr Offset sendAux2 = 111;
inline constexpr Offset sendCentre = 112;
inline constexpr Offset sendSub = 113;
constexpr Offset eq(int i) { return 114 + 4 * static_cast<Offset>(i); }
}  // namespace music

namespace system {
constexpr Offset roomEq(int i) { return 134 + 4 * static_cast<Offset>(i); }
inline constexpr Offset centreLevel = 162;
constexpr Offset centreEq(int i) { return 163 + 4 * static_cast<Offset>(i); }
inline constexpr Offset aux1Level = 171;
inline constexpr Offset aux1Delay = 172;
inline constexpr Offset aux2Level = 173;
inline constexpr Offset aux2Delay = 174;
inline constexpr Offset subLevel = 175;
inline constexpr Offset subHighPass = 176;
inline constexpr Offset subLowPass = 177;
inline constexpr Offset subPhase = 178;
inline constexpr Offset subAutoAttenuation = 179;
constexpr Offset subEq(int i) { return 180 + 4 * static_cast<Offset>(i); }
}  // namespace system

}  // namespace tonel::fields

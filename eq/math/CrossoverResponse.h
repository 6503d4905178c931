#pragma once
// The subwoofer's crossover as the System page's graph overlays it: the third-order Butterworth
// high and low pass the two bytes switch on, for the desktop overlay and the web service alike.

#include <cstdint>

namespace tonel {

inline constexpr int kLowPassOff = 122;  // the sub low-pass byte value for "low-pass off"

// The two filter settings, with bytes from a file or the device brought into the table:
// a high-pass above 121 counts as 121, a low-pass of 0 as 1 (index 0 holds 0 Hz) and a
// low-pass above 122 as off.
struct CrossoverSettings {
    int highPass = 0;           // 0 = off, else 1..121
    int lowPass = kLowPassOff;  // 1..121, or kLowPassOff
    bool highPassOn() const { return highPass != 0; }
    bool lowPassOn() const { return lowPass != kLowPassOff; }
    bool anyOn() const { return highPassOn() || lowPassOn(); }
};
CrossoverSettings crossoverSettings(std::uint8_t highPassByte, std::uint8_t lowPassByte);

// Third-order Butterworth magnitude of the switched-on filters at F, in dB (0 with both off).
double crossoverResponseDb(const CrossoverSettings& settings, double frequencyHz);

}  // namespace tonel

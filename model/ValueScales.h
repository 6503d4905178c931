#pragma once
// How an image byte turns into the number or text a control shows, and back.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tonel {

inline constexpr int kMaxFreqIndex = 121;
inline constexpr int kMaxQIndex = 72;

// Index 0 holds 0.0 and is never a band frequency; 1..121 run from 20 Hz to 20 kHz.
extern const std::array<double, 122> FrequencyTable;
extern const std::array<double, 73> QTable;

// Table reads with the index clamped to the table, for bytes that came from a file or the device.
double frequencyAt(int index);
double qAt(int index);

// ---- Frequency texts
enum class KhzFactor { Single, Double };  // 0.001f or 0.001 for the kHz value
struct FrequencyFormat {
    int hzDecimals;           // decimals of the Hz form (index <= 68)
    int khzDecimals;          // decimals of the kHz form (index >= 69)
    std::string_view khzUnit; // "KH" or "KHz"
    KhzFactor factor;
};
// Index <= 68: table value + "Hz"; index >= 69: value x 0.001 + the kHz unit. Out-of-table
// indices are clamped for display.
std::string formatFrequencyAs(int index, const FrequencyFormat& format);
// Named by what they print: "Exact" forms take the kHz value in double precision, the others in
// single precision (0.001f), which can round a value on the edge of the last decimal the other way.
inline constexpr FrequencyFormat kTwoDecimalsKh{2, 2, "KH", KhzFactor::Single};          // Effect page spins
inline constexpr FrequencyFormat kOneDecimalKhzExact{1, 1, "KHz", KhzFactor::Double};    // Effect page, typed
inline constexpr FrequencyFormat kTwoDecimalsKhz{2, 2, "KHz", KhzFactor::Single};        // other pages' spins
inline constexpr FrequencyFormat kTwoDecimalsKhzExact{2, 2, "KHz", KhzFactor::Double};   // other pages, typed
std::string formatFrequency(int index);
std::string formatEnteredFrequency(int index);

// What the user typed into a frequency field, as a band frequency index 1..121.
int parseFrequencyText(std::string_view text);

// ---- Q and gain
std::string formatQ(int qIndex);       // "%.2f"
double gainToDb(int gain);             // (gain - 24) / 2
std::string formatGain(int gain);      // "%.0f", half decibels round away from zero
int gainToSliderPosition(int gain);    // (48 - gain) / 2, truncated toward zero
int sliderPositionToGain(int position);// 48 - 2 x position

// ---- Filter types
enum FilterType : int { ByPass = 0, Peaking = 1, BandPass = 2, HiShelf = 3, LoShelf = 4, Notch = 5 };
// Caption of a type code; empty for codes above 5 (the button then keeps its caption).
std::string_view filterTypeName(int type);
int nextFilterType(int type);

// ---- Levels and amounts: slider range 0..max, position 0 at the top.
inline constexpr int kLevelMax = 50;
inline constexpr int kAmountMax = 100;
int levelToPosition(int byte, int max);
int positionToLevel(int position, int max);

// ---- Other scales
std::string formatThreshold(int byte);      // 25 "OFF", any other byte "%ddBV" of byte - 18
inline constexpr double kMetresPerMs = 0.34;  // sound's way in a millisecond, as the panel reckons a distance
float delayMs(int byte);                    // byte x 0.5, single precision
std::string formatDelay(int byte);          // "%.1fms"
std::string formatDistance(int byte);       // "%.1fm" of the delay in ms x 0.34
std::string formatCrossoverLow(int byte);   // 0 "OFF", else "%.1fHz" of the table entry (clamped to the table)
std::string formatCrossoverHigh(int byte);  // "%.1fHz" of the table entry (clamped to the table)
std::string formatAttenuation(int byte);    // 0 "OFF", 1..4 "-%ddB" of byte x 3, 5 and above "MUTE"

// printf into a std::string, with a point before the decimals whatever the process locale.
std::string formatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tonel

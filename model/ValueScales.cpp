#include "model/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace tonel {

const std::array<double, 122> FrequencyTable{
    0.0,
    20,    21.2,  22.4,  23.7,  25,    26.5,  28,    29.7,  31.5,  33.5,
    35.5,  37.5,  40,    42.5,  45,    47.4,  50,    53,    56,    59.5,
    63,    67,    71,    75,    80,    85,    90,    95,    100,   106,
    112,   118,   125,   132,   140,   150,   160,   170,   180,   190,
    200,   212,   224,   237,   250,   265,   280,   297,   315,   335,
    355,   375,   400,   425,   450,   474,   500,   530,   560,   595,
    630,   670,   710,   750,   800,   850,   900,   950,   1000,  1060,
    1120,  1180,  1250,  1320,  1400,  1500,  1600,  1700,  1800,  1900,
    2000,  2120,  2240,  2370,  2500,  2650,  2800,  2970,  3150,  3350,
    3550,  3750,  4000,  4250,  4500,  4740,  5000,  5300,  5600,  5950,
    6300,  6700,  7100,  7500,  8000,  8500,  9000,  9500,  10000, 10600,
    11200, 11800, 12500, 13200, 14000, 15000, 16000, 17000, 18000, 19000,
    20000,
};

const std::array<double, 73> QTable{
    0.31, 0.32, 0.34, 0.36, 0.39, 0.41, 0.43, 0.46, 0.49, 0.52,
    0.55, 0.58, 0.61, 0.65, 0.69, 0.73, 0.77, 0.82, 0.87, 0.92,
    0.97, 1.03, 1.09, 1.15, 1.22, 1.29, 1.37, 1.45, 1.54, 1.63,
    1.73, 1.83, 1.94, 2.05, 2.17, 2.3,  2.44, 2.58, 2.73, 2.9,
    3.07, 3.25, 3.44, 3.65, 3.86, 4.09, 4.33, 4.59, 4.86, 5.15,
    5.46, 5.78, 6.12, 6.48, 6.87, 7.27, 7.71, 8.16, 8.65, 9.16,
    9.7,  10.3, 10.9, 11.5, 12.2, 12.9, 13.7, 14.5, 15.4, 16.3,
    17.3, 18.3, 19.4,
};

namespace {

constexpr int kFirstKhzIndex = 69;
constexpr double kMaxTypedHz = 20000.0;

// Numbers are written and read with a point, whatever locale the desktop gives the process
// (QApplication adopts the user's LC_NUMERIC, and a German one would turn 1.06 into "1,06").
locale_t pointLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

// atof's reading of the leading number, in the point locale.
double leadingNumber(std::string_view text)
{
    const std::string copy(text);
    return pointLocale() != locale_t{} ? strtod_l(copy.c_str(), nullptr, pointLocale())
                                       : std::strtod(copy.c_str(), nullptr);
}

// Switches this thread to the point locale for as long as it lives.
class PointLocaleScope {
public:
    PointLocaleScope() : previous_(pointLocale() != locale_t{} ? uselocale(pointLocale()) : locale_t{}) {}
    ~PointLocaleScope()
    {
        if (previous_ != locale_t{})
            uselocale(previous_);
    }
    PointLocaleScope(const PointLocaleScope&) = delete;
    PointLocaleScope& operator=(const PointLocaleScope&) = delete;

private:
    locale_t previous_;
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool endsInKilohertz(std::string_view text)
{
    std::string u(text);
    std::transform(u.begin(), u.end(), u.begin(), upper);
    const std::string_view s(u);
    return s.ends_with("KHZ") || s.ends_with("K") || s.ends_with("KH") || s.ends_with("KZ");
}

}  // namespace

double frequencyAt(int index)
{
    return FrequencyTable[static_cast<std::size_t>(std::clamp(index, 0, kMaxFreqIndex))];
}

double qAt(int index) { return QTable[static_cast<std::size_t>(std::clamp(index, 0, kMaxQIndex))]; }

std::string formatString(const char* format, ...)
{
    const PointLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    text.resize(text.size() - 1);
    return text;
}

std::string formatFrequencyAs(int index, const FrequencyFormat& format)
{
    const double hz = frequencyAt(index);
    if (index < kFirstKhzIndex)
        return formatString("%.*fHz", format.hzDecimals, hz);
    const double factor = format.factor == KhzFactor::Single ? static_cast<double>(0.001f) : 0.001;
    return formatString("%.*f", format.khzDecimals, hz * factor) + std::string(format.khzUnit);
}

std::string formatFrequency(int index) { return formatFrequencyAs(index, kTwoDecimalsKh); }
std::string formatEnteredFrequency(int index) { return formatFrequencyAs(index, kOneDecimalKhzExact); }

int parseFrequencyText(std::string_view text)
{
    double v = leadingNumber(text);
    if (std::isnan(v))
        return 1;  // "nan" reads as a number but means none
    if (endsInKilohertz(text))
        v *= 1000.0;
    v = std::min(v, kMaxTypedHz);
    // Typed values snap down to the table entry at or below them.
    for (int i = kMaxFreqIndex; i >= 1; --i) {
        if (FrequencyTable[static_cast<std::size_t>(i)] <= v)
            return i;
    }
    return 1;
}

std::string formatQ(int qIndex) { return formatString("%.2f", qAt(qIndex)); }

double gainToDb(int gain) { return (gain - 24) / 2.0; }

std::string formatGain(int gain)
{
    // printf would round a half decibel to even; the panel rounds it away from zero.
    return formatString("%ld", std::lround(gainToDb(gain)));
}

int gainToSliderPosition(int gain) { return (48 - gain) / 2; }
int sliderPositionToGain(int position) { return 48 - 2 * position; }

std::string_view filterTypeName(int type)
{
    static constexpr std::string_view kNames[] = {"byPass", "Peaking", "bandpass", "Hi-shelf", "Lo-shelf", "Notch"};
    if (type < 0 || type > Notch)
        return {};
    return kNames[type];
}

int nextFilterType(int type)
{
    int t = ((type % 6) + 6 + 1) % 6;
    if (t == ByPass)
        t = Peaking;
    else if (t == BandPass)
        t = HiShelf;
    return t;
}

int levelToPosition(int byte, int max) { return max - byte; }
int positionToLevel(int position, int max) { return max - position; }

// Only 25 means off; a byte beyond the scale (from a file or the device) still shows its threshold.
std::string formatThreshold(int byte)
{
    if (byte == 25)
        return "OFF";
    return formatString("%ddBV", byte - 18);
}

float delayMs(int byte) { return static_cast<float>(byte) * 0.5f; }

std::string formatDelay(int byte) { return formatString("%.1fms", static_cast<double>(delayMs(byte))); }

std::string formatDistance(int byte) { return formatString("%.1fm", static_cast<double>(delayMs(byte)) * kMetresPerMs); }

// A byte outside the control's range (from a file or the device) still shows its table entry,
// as the graph's overlay draws it; only bytes beyond the table are clamped.
std::string formatCrossoverLow(int byte)
{
    if (byte <= 0)
        return "OFF";
    return formatString("%.1fHz", frequencyAt(byte));
}

std::string formatCrossoverHigh(int byte)
{
    return formatString("%.1fHz", frequencyAt(byte));
}

std::string formatAttenuation(int byte)
{
    if (byte <= 0)
        return "OFF";
    if (byte >= 5)
        return "MUTE";
    return formatString("-%ddB", byte * 3);
}

}  // namespace tonel

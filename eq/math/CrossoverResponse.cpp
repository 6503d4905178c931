#include "eq/math/CrossoverResponse.h"

#include "model/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tonel {
namespace {

// |H|^2 of the third-order Butterworth prototype at the normalised frequency r, in dB.
double butterworthDb(double r) { return 20.0 * std::log10(std::sqrt(1.0 / (std::pow(r, 6) + 1.0))); }

}  // namespace

CrossoverSettings crossoverSettings(std::uint8_t highPassByte, std::uint8_t lowPassByte)
{
    CrossoverSettings s;
    s.highPass = std::min<int>(highPassByte, kMaxFreqIndex);
    s.lowPass = lowPassByte >= kLowPassOff ? kLowPassOff : std::max<int>(lowPassByte, 1);
    return s;
}

double crossoverResponseDb(const CrossoverSettings& s, double frequencyHz)
{
    double db = 0.0;
    if (s.lowPassOn())
        db += butterworthDb(frequencyHz / FrequencyTable[static_cast<std::size_t>(s.lowPass)]);
    if (s.highPassOn())
        db += butterworthDb(FrequencyTable[static_cast<std::size_t>(s.highPass)] / frequencyHz);
    return db;
}

}  // namespace tonel

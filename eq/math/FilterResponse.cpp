#include "eq/math/FilterResponse.h"

#include "model/ValueScales.h"

#include <algorithm>
#include <cmath>

namespace tonel {

namespace {

constexpr double kTwelfth = 0.08333333333333333;  // the 1/12-octave exponent
constexpr double kNotchFloor = 0.0001;            // keeps the notch bottom at -80 dB
constexpr double kPowerToDb = 4.3429448190325182; // 10 / ln 10: 10 log10 x = kPowerToDb ln x
constexpr double kAmplitudeToDb = 2.0 * kPowerToDb;

double sq(double v) { return v * v; }

std::array<double, kPlotPointCount> makeplotFrequencies()
{
    std::array<double, kPlotPointCount> f{};
    for (int m = 0; m < kPlotPointCount; ++m)
        f[m] = 20.0 * std::pow(2.0, m * kTwelfth);
    return f;
}

// Squared magnitude M^2 at w for the types whose result is 10 log10 M^2.
double squaredMagnitude(const FilterPrototype& p, double w)
{
    const double w2 = w * w;
    const double a = p.a;
    switch (p.type) {
    case Peaking:
        return (sq(1 - w2) + sq(a * w / p.q)) / (sq(1 - w2) + sq(w / (a * p.q)));
    case BandPass:
        return sq(w / p.q) / (sq(1 - w2) + sq(w / p.q));
    case HiShelf:
        return (sq(a - a * a * w2) + 2 * a * a * a * w2) / (sq(a - w2) + 2 * a * w2);
    case LoShelf:
        return (sq(a * a - a * w2) + 2 * a * a * a * w2) / (sq(1 - a * w2) + 2 * a * w2);
    default:
        return 1.0;
    }
}

}  // namespace

FilterPrototype makePrototype(int type, double fcHz, double gainDb, double q)
{
    return {type, fcHz, std::pow(10.0, gainDb * 0.025), q};
}

FilterPrototype prototypeOf(const EqBand& band)
{
    const int q = std::min<int>(band.qIndex, kMaxQIndex);  // bytes from a file may pass the table
    return makePrototype(band.type, bandCentreHz(band.freqIndex), (band.gain - 24) / 2.0, QTable[q]);
}

double prototypeResponseDb(const FilterPrototype& p, double frequencyHz)
{
    const double w = frequencyHz / p.fc;
    switch (p.type) {
    case Peaking:
    case BandPass:
    case HiShelf:
    case LoShelf:
        return kPowerToDb * std::log(squaredMagnitude(p, w));
    case Notch: {
        // The floor is added to the magnitude, not its square, so the root is needed here.
        const double w2 = w * w;
        const double m = std::sqrt(sq(1 - w2) / (sq(1 - w2) + sq(w / p.q)));
        return kAmplitudeToDb * std::log(m + kNotchFloor);
    }
    default:  // byPass, and codes above 5 that only a file or the device can hold
        return 0.0;
    }
}

double bandCentreHz(int freqIndex)
{
    const int i = std::clamp(freqIndex, 1, kMaxFreqIndex);
    // The same grid and constant as the plot points, so w is exactly 1 at the band's own point.
    return plotFrequencies()[i - 1];
}

double bandResponseDb(const EqBand& band, double frequencyHz)
{
    return prototypeResponseDb(prototypeOf(band), frequencyHz);
}

double curveResponseDb(std::span<const EqBand> bands, double frequencyHz)
{
    double sum = 0.0;
    for (const EqBand& band : bands)
        sum += bandResponseDb(band, frequencyHz);
    return sum;
}

const std::array<double, kPlotPointCount>& plotFrequencies()
{
    static const std::array<double, kPlotPointCount> frequencies = makeplotFrequencies();
    return frequencies;
}

void bandResponseOverPlot(const EqBand& band, std::span<double, kPlotPointCount> out)
{
    const FilterPrototype p = prototypeOf(band);
    const auto& f = plotFrequencies();
    for (int m = 0; m < kPlotPointCount; ++m)
        out[m] = prototypeResponseDb(p, f[m]);
}

}  // namespace tonel

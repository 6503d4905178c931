#pragma once
// Magnitude responses of the analog second-order prototypes, in dB, on the 1/12-octave grid.

#include "model/ParameterImage.h"

#include <array>
#include <span>

namespace tonel {

inline constexpr int kPlotPointCount = 121;

// fc = 20 x 2^((freqIndex - 1) / 12); the index is clamped to 1..121.
double bandCentreHz(int freqIndex);
// Response of one band at F Hz; type codes above 5 add 0 dB.
double bandResponseDb(const EqBand& band, double frequencyHz);
// Sum of the bands' responses (decibels add).
double curveResponseDb(std::span<const EqBand> bands, double frequencyHz);
// F_m = 20 x 2^(m x 0.08333333333333333), m = 0..120.
const std::array<double, kPlotPointCount>& plotFrequencies();

// An analog prototype with its constants worked out: the band bytes decoded, or any Q and gain.
struct FilterPrototype {
    int type = 0;     // FilterType code; codes above 5 respond 0 dB
    double fc = 20;   // centre or corner frequency, Hz
    double a = 1;     // A = 10^(G x 0.025)
    double q = 1;
};
FilterPrototype makePrototype(int type, double fcHz, double gainDb, double q);
FilterPrototype prototypeOf(const EqBand& band);  // freqIndex and qIndex clamped to the tables
double prototypeResponseDb(const FilterPrototype& prototype, double frequencyHz);

// One band's response at every plot frequency (out[m] at F_m), the same values as
// bandResponseDb but with the band's constants worked out once.
void bandResponseOverPlot(const EqBand& band, std::span<double, kPlotPointCount> out);

}  // namespace tonel

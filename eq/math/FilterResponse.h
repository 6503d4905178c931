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
const std::array<double, kPlotPointCount>& PlotFrequencies();

}  // namespace tonel

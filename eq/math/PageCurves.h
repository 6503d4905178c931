#pragma once
// Which bands each page's EQ graph draws, in which colour and with which labels: one description
// for the desktop graph and for the web service's curves, so the two cannot drift apart.

#include "model/ParameterImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonel {

enum class GraphPage { Effect, Microphone, Music, System };

struct CurveColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct PageCurve {
    std::vector<std::string> bands;   // catalog names of bands ("mic.eq1"); "effect1.*" is the selected program's
    CurveColour colour;
    std::vector<std::string> labels;  // one per band
};

// In drawing order: a later curve is painted over an earlier one.
std::vector<PageCurve> pageCurves(GraphPage page);
std::optional<GraphPage> graphPageNamed(std::string_view name);  // "effect", "microphone", "music", "system"

// A band's four bytes by its catalog name; an effect band is read from the selected program.
EqBand bandNamed(const ParameterImage& image, std::string_view name);

// Where a band's handle stands, in dB: a peaking or shelf band's at its full gain, a notch's lifted
// by 80 dB onto the 0 dB line, any other's on its own response at its frequency.
double handleDb(const EqBand& band, double ownResponseDb);

}  // namespace tonel

#pragma once
// The subwoofer's high-pass/low-pass response drawn over the System page's graph, in fixed pixel
// rows of the drawing surface: a dash-dot response line and two dash-dot frequency markers.

#include "eq/math/CrossoverResponse.h"

#include <array>
#include <cstdint>

class QPainter;

namespace tonel {

struct GraphGeometry;

inline constexpr int kCrossoverBaseRow = 128;  // y of 0 dB for the overlay, whatever the grid says
inline constexpr int kCrossoverColumns = 122;  // table indices 0..121

// Y[k] = 128 - trunc(2.75 x D) at the table frequency of index k; Y[0] = 128.
std::array<int, kCrossoverColumns> crossoverRows(const CrossoverSettings& settings);

// X[k]: truncated x of plot point k with the page's shift of -1.5; X[0] = X[1].
std::array<int, kCrossoverColumns> crossoverColumns(const GraphGeometry& geometry);

// Where the markers stand: the vertical line's x and the tick's y.
struct CrossoverMarker {
    int x;
    int tickY;
};
CrossoverMarker highPassMarker(const CrossoverSettings& settings, const GraphGeometry& geometry);
// With the low-pass off the marker stands at the right end of the grid lines, tick at row 128.
CrossoverMarker lowPassMarker(const CrossoverSettings& settings, const GraphGeometry& geometry);

// Draws response and markers with plain (aliased) lines onto a graph surface of `geometry`.
void paintCrossoverOverlay(QPainter& painter, const GraphGeometry& geometry, const CrossoverSettings& settings);
// The two layers apart, for a look at one without the other.
void paintCrossoverResponse(QPainter& painter, const GraphGeometry& geometry, const CrossoverSettings& settings);
void paintCrossoverMarkers(QPainter& painter, const GraphGeometry& geometry, const CrossoverSettings& settings);

}  // namespace tonel

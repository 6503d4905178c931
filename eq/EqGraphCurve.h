#pragma once
// One curve of the EQ graph: its response line and the handles of its bands.

#include "eq/EqGraph.h"
#include "eq/math/BandResponseCache.h"

#include <vector>

class QPainter;

namespace tonel {

class TopLeftText;

// Draws the curve from its bands' responses (one per band, in dB), then a handle and a label
// for each band.
void drawEqCurve(const GraphGeometry& geometry, QSize surface, const EqCurve& curve,
                 const std::vector<const BandResponseCache::Response*>& responses, QPainter& painter,
                 const TopLeftText& labels);

}  // namespace tonel

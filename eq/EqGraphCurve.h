#pragma once
// One curve of the EQ graph: its response line and the handles of its bands.

#include "eq/EqGraph.h"

class QPainter;

namespace tonel {

class TopLeftText;

// Draws the curve from its bands at this redraw, then a handle and a label for each band.
void drawEqCurve(const GraphGeometry& geometry, QSize surface, const EqCurve& curve,
                 QPainter& painter, const TopLeftText& labels);

}  // namespace tonel

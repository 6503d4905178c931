#pragma once
// The equaliser display: grid, response curves and band handles, painted onto a QPainter.

#include "model/ParameterImage.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

namespace tonel {

class BandResponseCache;

struct GraphGeometry {
    int plotLeft = 50;        // x of 20 Hz
    int plotRight = 0;        // x of the right end of the frequency span
    int plotBottom = 0;       // y of the bottom grid line (-24 dB)
    int plotTop = 10;         // y of the top of the plot
    int pixelsPerDecade = 0;  // integer division
    int gridRowStep = 0;      // pixels per 3 dB grid row (integer division)
    int zeroDbRow = 0;        // y of 0 dB
    double pixelsPerDb = 0;   // real, so not gridRowStep / 3: the curves and the grid may differ
    // X(F) = plotLeft + pixelsPerDecade (log10 F - 1.30103)
    double x(double frequencyHz) const;
    static GraphGeometry forSize(QSize clientSize);
};

struct EqCurve {
    std::vector<EqBand> bands;   // read from the image at each redraw
    QColor colour;
    std::vector<QString> labels; // one per band
    int handleLeftOffset = 3;    // pixels left of the band's x where the handle box starts
    // A band at the last table index (121) starts its handle box 5 pixels left instead.
    bool handleFurtherLeftAtTopFrequency = true;
    double xShift = -1.5;        // pixels added to every x of the curve and its handles
    friend bool operator==(const EqCurve&, const EqCurve&) = default;
};

// Paints grid, curves and handles, in that order, onto a surface of `clientSize`.
void drawEqGraph(QSize clientSize, const std::vector<EqCurve>& curves, QPainter& painter);

// The two layers of drawEqGraph. The grid (background and labels) depends on the size alone;
// the curves are painted over it, their responses taken from `responses` when one is given.
void drawEqGrid(QSize clientSize, QPainter& painter);
void drawEqCurves(QSize clientSize, const std::vector<EqCurve>& curves, QPainter& painter,
                  BandResponseCache* responses = nullptr);

}  // namespace tonel

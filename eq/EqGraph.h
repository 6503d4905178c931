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
    int x0 = 50;        // x of 20 Hz
    int xR = 0;         // right end of the frequency span
    int yB = 0;         // bottom grid line (-24 dB)
    int yT = 10;        // top of the plot
    int W = 0;          // pixels per decade (integer division)
    int dy = 0;         // pixels per 3 dB grid step (integer division)
    int y0 = 0;         // y of 0 dB
    double P = 0;       // pixels per dB (real)
    double x(double frequencyHz) const;  // X(F) = x0 + W (log10 F - 1.30103)
    static GraphGeometry forSize(QSize clientSize);
};

struct EqCurve {
    std::vector<EqBand> bands;   // read from the image at each redraw
    QColor colour;
    std::vector<QString> labels; // one per band
    int handleOffset = 3;        // pixels left of the band's x where the handle box starts
    bool offset5At121 = true;    // a band at freqIndex 121 uses 5 instead
    double shift = -1.5;         // added to every x of the curve and its handles
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

#include "eq/EqGraph.h"

#include "eq/EqGraphCurve.h"
#include "eq/EqGraphText.h"
#include "eq/math/BandResponseCache.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace tonel {

namespace {

constexpr double kLog10Of20 = 1.30103;  // exactly this, not log10 20: the grid starts a hair left
const QColor kGridColour(80, 80, 80);
const QColor kAxisColour(110, 120, 120);

// ---- Grid

int gridFrequency(int line)  // line = 1..28: 20, 30 .. 100, 200 .. 1000, 2000 .. 10000, 20000
{
    const int decades = (line - 1) / 9;
    const int stepInDecade = (line - 1) % 9;
    int decade = 1;
    for (int k = 0; k < decades; ++k)
        decade *= 10;
    return stepInDecade * decade * 10 + 20 * decade;
}

const char* frequencyLabel(int frequency)
{
    switch (frequency) {
    case 20: return "20Hz";
    case 50: return "50Hz";
    case 100: return "100Hz";
    case 200: return "200Hz";
    case 500: return "500Hz";
    case 1000: return "1KHz";
    case 2000: return "2KHz";
    case 5000: return "5KHz";
    case 10000: return "10KHz";
    case 20000: return "20KHz";
    default: return nullptr;
    }
}

const char* levelLabel(int row)  // even rows only, counted from the bottom
{
    static constexpr std::array<const char*, 9> labels = {
        "-24dB", "-18dB", "-12dB", "-6dB", "  0dB", "+6dB", "+12dB", "+18dB", "+24dB"};
    return labels[row / 2];
}

// A solid 1-pixel line along one row or one column from `from` towards `to`, which is left out:
// the panel's line drawing never sets a line's end pixel. The raster engine fills a 1-pixel
// rectangle many times faster than it draws the same line with a pen.
void drawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& colour)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    if (step.isNull())
        return;
    const QPoint last = to - step;
    const QPoint topLeft(std::min(from.x(), last.x()), std::min(from.y(), last.y()));
    const QPoint bottomRight(std::max(from.x(), last.x()), std::max(from.y(), last.y()));
    painter.fillRect(QRect(topLeft, bottomRight), colour);
}

void drawVerticalLines(const GraphGeometry& g, QPainter& painter, const TopLeftText& text)
{
    for (int line = 1; line <= 28; ++line) {
        const int frequency = gridFrequency(line);
        double x = g.x(frequency);
        if (const char* label = frequencyLabel(frequency))
            text.draw(painter, static_cast<int>(x - 10), g.plotBottom + 3, QLatin1String(label));
        if (frequency == 20000)
            x += 3;  // the last line stands clear of the 20480 Hz end of the curves
        const int column = static_cast<int>(x);
        const bool axis = (line == 1);
        const int top = g.plotBottom - 16 * g.gridRowStep - (axis ? 1 : 0);
        drawPixelLine(painter, {column, g.plotBottom}, {column, top}, axis ? kAxisColour : kGridColour);
    }
}

void drawHorizontalLines(const GraphGeometry& g, QPainter& painter, const TopLeftText& text)
{
    for (int row = 0; row <= 16; ++row) {
        const int y = g.plotBottom - row * g.gridRowStep;
        drawPixelLine(painter, {g.plotLeft, y}, {g.plotRight + 25, y}, row == 8 ? kAxisColour : kGridColour);
        if (row % 2 == 0)
            text.draw(painter, g.plotLeft - 40, y - 8, QLatin1String(levelLabel(row)));
    }
}

void drawGrid(const GraphGeometry& g, QSize size, QPainter& painter)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const TopLeftText text(QFont::Thin);
    drawVerticalLines(g, painter, text);
    drawHorizontalLines(g, painter, text);
}

}  // namespace

double GraphGeometry::x(double frequencyHz) const
{
    return plotLeft + pixelsPerDecade * (std::log10(frequencyHz) - kLog10Of20);
}

GraphGeometry GraphGeometry::forSize(QSize clientSize)
{
    GraphGeometry g;
    g.plotRight = clientSize.width() - 40;
    g.plotBottom = clientSize.height() - 20;
    g.pixelsPerDecade = (g.plotRight - g.plotLeft) / 3;
    g.gridRowStep = (g.plotBottom - g.plotTop) / 16;
    g.zeroDbRow = g.plotBottom - 8 * g.gridRowStep;
    g.pixelsPerDb = (g.plotBottom - g.plotTop) / 48.0;
    return g;
}

void drawEqGrid(QSize clientSize, QPainter& painter)
{
    painter.save();
    drawGrid(GraphGeometry::forSize(clientSize), clientSize, painter);
    painter.restore();
}

void drawEqCurves(QSize clientSize, const std::vector<EqCurve>& curves, QPainter& painter,
                  BandResponseCache* responses)
{
    painter.save();
    const GraphGeometry g = GraphGeometry::forSize(clientSize);
    const TopLeftText labels(QFont::Normal);
    BandResponseCache once;  // without a cache every band is worked out afresh
    BandResponseCache& cache = responses != nullptr ? *responses : once;
    std::size_t slot = 0;
    for (const EqCurve& curve : curves) {
        std::vector<const BandResponseCache::Response*> db;
        for (const EqBand& band : curve.bands)
            db.push_back(&cache.response(slot++, band));
        drawEqCurve(g, clientSize, curve, db, painter, labels);
    }
    painter.restore();
}

void drawEqGraph(QSize clientSize, const std::vector<EqCurve>& curves, QPainter& painter)
{
    drawEqGrid(clientSize, painter);
    drawEqCurves(clientSize, curves, painter);
}

}  // namespace tonel

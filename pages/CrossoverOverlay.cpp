#include "pages/CrossoverOverlay.h"

#include "eq/EqGraph.h"
#include "eq/math/FilterResponse.h"
#include "model/ValueScales.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace tonel {

namespace {

constexpr double kCurveXShift = -1.5;  // the page's curves and this overlay share it
constexpr double kPixelsPerDb = 2.75;  // the overlay's own scale, not the grid's
constexpr int kMarkerTop = 10;
constexpr int kMarkerBottom = 230;
constexpr int kTickHalfWidth = 20;
constexpr int kNoResponseLineEnd = 580;
constexpr int kGridLineOverhang = 25;  // the horizontal grid lines run this far past plotRight
const QColor kResponseColour(255, 0, 255);
const QColor kMarkerColour(0, 128, 255);

// A dash-dot pen for plain lines; the flat cap leaves out a line's last pixel, as the panel's
// line drawing always did.
QPen dashDotPen(const QColor& colour)
{
    QPen pen(colour, 1, Qt::DashDotLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void drawMarker(QPainter& painter, CrossoverMarker m)
{
    painter.drawLine(m.x, kMarkerTop, m.x, kMarkerBottom);
    painter.drawLine(m.x - kTickHalfWidth, m.tickY, m.x + kTickHalfWidth, m.tickY);
}

}  // namespace


namespace {

// Y[k] of one table index, k = 0..121.
int crossoverRow(const CrossoverSettings& s, int k)
{
    if (k == 0)
        return kCrossoverBaseRow;
    const double db = crossoverResponseDb(s, FrequencyTable[static_cast<std::size_t>(k)]);
    return kCrossoverBaseRow - static_cast<int>(std::trunc(kPixelsPerDb * db));
}

// X[k] of one table index, k = 0..121.
int crossoverColumn(const GraphGeometry& g, int k)
{
    const auto& frequencies = plotFrequencies();  // plot point k is F_(k-1)
    return static_cast<int>(g.x(frequencies[static_cast<std::size_t>(std::max(k, 1) - 1)]) + kCurveXShift);
}

}  // namespace

std::array<int, kCrossoverColumns> crossoverRows(const CrossoverSettings& s)
{
    std::array<int, kCrossoverColumns> y{};
    for (int k = 0; k < kCrossoverColumns; ++k)
        y[static_cast<std::size_t>(k)] = crossoverRow(s, k);
    return y;
}

std::array<int, kCrossoverColumns> crossoverColumns(const GraphGeometry& g)
{
    std::array<int, kCrossoverColumns> x{};
    for (int k = 0; k < kCrossoverColumns; ++k)
        x[static_cast<std::size_t>(k)] = crossoverColumn(g, k);
    return x;
}

// A marker needs its own column and row only, not the whole table.
CrossoverMarker highPassMarker(const CrossoverSettings& s, const GraphGeometry& g)
{
    return {crossoverColumn(g, s.highPass), crossoverRow(s, s.highPass)};
}

CrossoverMarker lowPassMarker(const CrossoverSettings& s, const GraphGeometry& g)
{
    if (!s.lowPassOn())
        return {g.plotRight + kGridLineOverhang, kCrossoverBaseRow};
    return {crossoverColumn(g, s.lowPass), crossoverRow(s, s.lowPass)};
}

void paintCrossoverResponse(QPainter& painter, const GraphGeometry& g, const CrossoverSettings& s)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (!s.anyOn()) {
        painter.setPen(QPen(Qt::black, 1));  // the surface's default pen
        painter.drawLine(0, kCrossoverBaseRow, kNoResponseLineEnd, kCrossoverBaseRow);
    } else {
        const auto x = crossoverColumns(g);
        const auto y = crossoverRows(s);
        painter.setPen(dashDotPen(kResponseColour));
        // Separate segments: each one starts its dash pattern afresh at its table point.
        for (std::size_t k = 1; k + 1 < kCrossoverColumns; ++k)
            painter.drawLine(x[k], y[k], x[k + 1], y[k + 1]);
    }
    painter.restore();
}

void paintCrossoverMarkers(QPainter& painter, const GraphGeometry& g, const CrossoverSettings& s)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(dashDotPen(kMarkerColour));
    drawMarker(painter, lowPassMarker(s, g));
    drawMarker(painter, highPassMarker(s, g));
    painter.restore();
}

void paintCrossoverOverlay(QPainter& painter, const GraphGeometry& g, const CrossoverSettings& s)
{
    paintCrossoverResponse(painter, g, s);
    paintCrossoverMarkers(painter, g, s);
}

}  // namespace tonel

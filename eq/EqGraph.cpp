#include "eq/EqGraph.h"

#include "eq/EqGraphText.h"
#include "eq/math/FilterResponse.h"
#include "model/ValueScales.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

namespace tonel {

namespace {

constexpr double kLog10Of20 = 1.30103;  // exactly this, not log10 20: the grid starts a hair left
const QColor kGridColour(80, 80, 80);
const QColor kAxisColour(110, 120, 120);
const QColor kHandleColour(255, 255, 255, 190);
constexpr float kCurveWidth = 1.615f;
constexpr int kHandleSize = 8;
constexpr int kHandleOffsetAtTop = 5;  // a band at the last table index
// Anti-aliased shapes take whole coordinates as pixel centres, as the aliased grid lines do:
// a curve at y 100 then lies on pixel row 100 rather than astride rows 99 and 100.
constexpr double kPixelCentre = 0.5;

// ---- Grid

int gridFrequency(int i)  // i = 1..28: 20, 30 .. 100, 200 .. 1000, 2000 .. 10000, 20000
{
    const int d = (i - 1) / 9;
    const int r = (i - 1) % 9;
    int decade = 1;
    for (int k = 0; k < d; ++k)
        decade *= 10;
    return r * decade * 10 + 20 * decade;
}

const char* frequencyLabel(int f)
{
    switch (f) {
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

const char* levelLabel(int j)  // even j only
{
    static constexpr std::array<const char*, 9> labels = {
        "-24dB", "-18dB", "-12dB", "-6dB", "  0dB", "+6dB", "+12dB", "+18dB", "+24dB"};
    return labels[j / 2];
}

void drawVerticalLines(const GraphGeometry& g, QPainter& painter, const TopLeftText& text)
{
    const QPen gridPen(kGridColour, 1);
    const QPen axisPen(kAxisColour, 1);
    for (int i = 1; i <= 28; ++i) {
        const int f = gridFrequency(i);
        double x = g.x(f);
        if (const char* label = frequencyLabel(f))
            text.draw(painter, static_cast<int>(x - 10), g.yB + 3, QLatin1String(label));
        if (f == 20000)
            x += 3;  // the last line stands clear of the 20480 Hz end of the curves
        const int xi = static_cast<int>(x);
        const bool axis = (i == 1);
        painter.setPen(axis ? axisPen : gridPen);
        painter.drawLine(xi, g.yB, xi, g.yB - 16 * g.dy - (axis ? 1 : 0));
    }
}

void drawHorizontalLines(const GraphGeometry& g, QPainter& painter, const TopLeftText& text)
{
    const QPen gridPen(kGridColour, 1);
    const QPen axisPen(kAxisColour, 1);
    for (int j = 0; j <= 16; ++j) {
        const int y = g.yB - j * g.dy;
        painter.setPen(j == 8 ? axisPen : gridPen);
        painter.drawLine(g.x0, y, g.xR + 25, y);
        if (j % 2 == 0)
            text.draw(painter, g.x0 - 40, y - 8, QLatin1String(levelLabel(j)));
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

// ---- Curves and handles

using Offsets = std::array<float, kPlotPointCount>;  // o(b, n) for n = 1..121 at [n - 1]

Offsets pixelOffsets(const EqBand& band, double pixelsPerDb)
{
    std::array<double, kPlotPointCount> db{};
    bandResponseOverPlot(band, db);
    Offsets o{};
    for (int m = 0; m < kPlotPointCount; ++m)
        o[m] = static_cast<float>(-db[m] * pixelsPerDb);  // single precision, as summed
    return o;
}

double handleY(const GraphGeometry& g, const EqBand& band, float ownOffset)
{
    switch (band.type) {
    case Peaking:
    case HiShelf:
    case LoShelf:
        return g.y0 - (band.gain - 24) * 0.5 * g.P;  // a shelf's handle sits at its full gain
    case Notch:
        return g.y0 + ownOffset - 80 * g.P;  // lifts the -80 dB bottom onto the 0 dB line
    default:
        return g.y0 + ownOffset;
    }
}

void drawHandle(const GraphGeometry& g, const EqCurve& curve, std::size_t b, const Offsets& o,
                const std::array<QPointF, kPlotPointCount>& points, QPainter& painter,
                const TopLeftText& text)
{
    const EqBand& band = curve.bands[b];
    const int i = std::clamp<int>(band.freqIndex, 1, kPlotPointCount);
    const int xi = static_cast<int>(points[i - 1].x());
    const double yh = handleY(g, band, o[i - 1]);
    const int offset = (curve.offset5At121 && i == kPlotPointCount) ? kHandleOffsetAtTop
                                                                   : curve.handleOffset;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHandleColour);
    const QPointF topLeft(xi - offset, static_cast<int>(yh) - 3);
    painter.drawEllipse(QRectF(topLeft + QPointF(kPixelCentre, kPixelCentre),
                               QSizeF(kHandleSize, kHandleSize)));
    if (b < curve.labels.size()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        text.draw(painter, xi - 5, static_cast<int>(yh - 21), curve.labels[b]);
    }
}

void drawCurve(const GraphGeometry& g, const EqCurve& curve, QPainter& painter,
               const TopLeftText& text)
{
    const auto& f = PlotFrequencies();
    std::vector<Offsets> offsets;
    offsets.reserve(curve.bands.size());
    for (const EqBand& band : curve.bands)
        offsets.push_back(pixelOffsets(band, g.P));

    std::array<QPointF, kPlotPointCount> points;
    for (int m = 0; m < kPlotPointCount; ++m) {
        float sum = 0.0f;
        for (const Offsets& o : offsets)
            sum += o[m];
        points[m] = QPointF(g.x(f[m]) + curve.shift, g.y0 + sum);
    }
    QPen pen(curve.colour);
    pen.setWidthF(kCurveWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.translate(kPixelCentre, kPixelCentre);
    painter.drawPolyline(points.data(), kPlotPointCount);
    painter.translate(-kPixelCentre, -kPixelCentre);

    for (std::size_t b = 0; b < curve.bands.size(); ++b)
        drawHandle(g, curve, b, offsets[b], points, painter, text);
}

}  // namespace

double GraphGeometry::x(double frequencyHz) const
{
    return x0 + W * (std::log10(frequencyHz) - kLog10Of20);
}

GraphGeometry GraphGeometry::forSize(QSize clientSize)
{
    GraphGeometry g;
    g.xR = clientSize.width() - 40;
    g.yB = clientSize.height() - 20;
    g.W = (g.xR - g.x0) / 3;
    g.dy = (g.yB - g.yT) / 16;
    g.y0 = g.yB - 8 * g.dy;
    g.P = (g.yB - g.yT) / 48.0;
    return g;
}

void drawEqGraph(QSize clientSize, const std::vector<EqCurve>& curves, QPainter& painter)
{
    painter.save();
    const GraphGeometry g = GraphGeometry::forSize(clientSize);
    drawGrid(g, clientSize, painter);
    const TopLeftText labels(QFont::Normal);
    for (const EqCurve& curve : curves)
        drawCurve(g, curve, painter, labels);
    painter.restore();
}

}  // namespace tonel

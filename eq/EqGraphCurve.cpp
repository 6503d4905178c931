#include "eq/EqGraphCurve.h"

#include "eq/EqGraphText.h"
#include "eq/math/FilterResponse.h"
#include "eq/math/VectorUnit.h"
#include "model/ValueScales.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

namespace tonel {

namespace {

const QColor kHandleColour(255, 255, 255, 190);
constexpr float kCurveWidth = 1.615f;
constexpr int kHandleSize = 8;
constexpr int kHandleLeftOffsetAtTopFrequency = 5;  // a band at the last table index
// Anti-aliased shapes take whole coordinates as pixel centres, as the aliased grid lines do:
// a curve at y 100 then lies on pixel row 100 rather than astride rows 99 and 100.
constexpr double kPixelCentre = 0.5;
// Beyond this distance from the surface the pen, its caps and its miter joins leave no pixel.
constexpr double kPenReach = 4.0;
// The anti-aliasing rasteriser slows down sharply with the length of one outline: a curve
// across the whole graph costs several times what it costs in pieces of this many segments.
constexpr int kPieceSegments = 8;

// One band's distance below the 0 dB row, in pixels, at each plot point (point n at [n - 1]).
using RowOffsets = std::array<float, kPlotPointCount>;
using Points = std::array<QPointF, kPlotPointCount>;

RowOffsets rowOffsets(const BandResponseCache::Response& db, double pixelsPerDb)
{
    RowOffsets offsets{};
    for (int m = 0; m < kPlotPointCount; ++m)
        offsets[m] = static_cast<float>(-db[m] * pixelsPerDb);  // single precision, then summed
    return offsets;
}

Points curvePoints(const GraphGeometry& g, const EqCurve& curve, const std::vector<RowOffsets>& bandOffsets)
{
    const auto& frequencies = plotFrequencies();
    Points points;
    for (int m = 0; m < kPlotPointCount; ++m) {
        float sum = 0.0f;
        for (const RowOffsets& band : bandOffsets)
            sum += band[m];
        points[m] = QPointF(g.x(frequencies[m]) + curve.xShift, g.zeroDbRow + sum);
    }
    return points;
}

// Where a piece ends: inside a segment, so that every vertex keeps its join, and on a pixel
// boundary, so that a level line shows no seam where the flat ends of two pieces meet.
QPointF cutPoint(QPointF a, QPointF b)
{
    const double x = std::floor((a.x() + b.x()) / 2 + kPixelCentre) - kPixelCentre;
    if (!(x > a.x() && x < b.x()))
        return (a + b) / 2;
    return a + (b - a) * ((x - a.x()) / (b.x() - a.x()));
}

// Strokes a polyline; the raster engine's span filling leaves the vector unit dirty for the
// stroker's next atan2 and sqrt calls, so every stroke starts from a clean one.
void stroke(QPainter& painter, const QPointF* points, int count)
{
    clearUpperVectorState();
    painter.drawPolyline(points, count);
}

// Strokes a run of points in pieces of at most kPieceSegments segments.
void strokeInPieces(QPainter& painter, const QPointF* points, int count)
{
    std::array<QPointF, kPieceSegments + 2> piece;
    int pieceLength = 0;
    piece[pieceLength++] = points[0];
    for (int i = 1; i < count; ++i) {
        piece[pieceLength++] = points[i];
        if (pieceLength == kPieceSegments + 1 && i + 1 < count) {
            const QPointF cut = cutPoint(points[i], points[i + 1]);
            piece[pieceLength++] = cut;
            stroke(painter, piece.data(), pieceLength);
            pieceLength = 0;
            piece[pieceLength++] = cut;
        }
    }
    if (pieceLength > 1)
        stroke(painter, piece.data(), pieceLength);
}

// A segment wholly beyond one edge of the surface leaves no pixel. Notch and band-pass curves
// run hundreds of pixels off the surface; only the runs of segments that can show are stroked.
bool segmentIsOffSurface(QPointF a, QPointF b, const QRectF& reach)
{
    return (a.x() < reach.left() && b.x() < reach.left())
        || (a.x() > reach.right() && b.x() > reach.right())
        || (a.y() < reach.top() && b.y() < reach.top())
        || (a.y() > reach.bottom() && b.y() > reach.bottom());
}

void strokeCurve(QPainter& painter, const Points& points, QSize surface)
{
    const QRectF reach = QRectF(QPointF(0, 0), QSizeF(surface))
                             .adjusted(-kPenReach, -kPenReach, kPenReach, kPenReach);
    int start = 0;  // first point of the current run
    for (int n = 0; n < kPlotPointCount; ++n) {
        const bool runEnds = n + 1 == kPlotPointCount
                             || segmentIsOffSurface(points[n], points[n + 1], reach);
        if (!runEnds)
            continue;
        if (n > start)
            strokeInPieces(painter, points.data() + start, n - start + 1);
        start = n + 1;
    }
}

// The handle's row: where the band's own response puts it at its point, except that a peaking
// or shelf band's handle sits at its full gain.
double handleY(const GraphGeometry& g, const EqBand& band, float ownOffset)
{
    switch (band.type) {
    case Peaking:
    case HiShelf:
    case LoShelf:
        return g.zeroDbRow - (band.gain - 24) * 0.5 * g.pixelsPerDb;
    case Notch:
        return g.zeroDbRow + ownOffset - 80 * g.pixelsPerDb;  // lifts the -80 dB bottom onto the 0 dB line
    default:
        return g.zeroDbRow + ownOffset;
    }
}

void drawHandle(const GraphGeometry& g, const EqCurve& curve, std::size_t bandNumber, const RowOffsets& ownOffsets,
                const Points& points, QPainter& painter, const TopLeftText& text)
{
    const EqBand& band = curve.bands[bandNumber];
    const int point = std::clamp<int>(band.freqIndex, 1, kPlotPointCount);
    const int bandX = static_cast<int>(points[point - 1].x());
    const double bandY = handleY(g, band, ownOffsets[point - 1]);
    const bool furtherLeft = curve.handleFurtherLeftAtTopFrequency && point == kPlotPointCount;
    const int leftOffset = furtherLeft ? kHandleLeftOffsetAtTopFrequency : curve.handleLeftOffset;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHandleColour);
    const QPointF topLeft(bandX - leftOffset, static_cast<int>(bandY) - 3);
    painter.drawEllipse(QRectF(topLeft + QPointF(kPixelCentre, kPixelCentre),
                               QSizeF(kHandleSize, kHandleSize)));
    if (bandNumber < curve.labels.size()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        text.draw(painter, bandX - 5, static_cast<int>(bandY - 21), curve.labels[bandNumber]);
    }
}

}  // namespace

void drawEqCurve(const GraphGeometry& g, QSize surface, const EqCurve& curve,
                 const std::vector<const BandResponseCache::Response*>& responses, QPainter& painter,
                 const TopLeftText& labels)
{
    std::vector<RowOffsets> offsets;
    offsets.reserve(responses.size());
    for (const BandResponseCache::Response* db : responses)
        offsets.push_back(rowOffsets(*db, g.pixelsPerDb));
    const Points points = curvePoints(g, curve, offsets);

    QPen pen(curve.colour);
    pen.setWidthF(kCurveWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.translate(kPixelCentre, kPixelCentre);
    strokeCurve(painter, points, surface);
    painter.translate(-kPixelCentre, -kPixelCentre);

    for (std::size_t bandNumber = 0; bandNumber < curve.bands.size(); ++bandNumber)
        drawHandle(g, curve, bandNumber, offsets[bandNumber], points, painter, labels);
}

}  // namespace tonel

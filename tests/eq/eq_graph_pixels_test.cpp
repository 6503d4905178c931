#include "eq/EqGraph.h"
#include "eq/math/FilterResponse.h"
#include "model/ValueScales.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

namespace tonel::testing {
namespace {

const QSize kSize(700, 200);
const QRgb kAxis = qRgb(110, 120, 120);
const QRgb kGrid = qRgb(80, 80, 80);
const QColor kRed(255, 0, 0);

QImage renderGraph(const std::vector<EqCurve>& curves, QSize size = kSize)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);  // the graph must paint every pixel
    QPainter painter(&image);
    drawEqGraph(size, curves, painter);
    return image;
}

EqBand band(int type, int freqIndex, int gain = 24, int qIndex = 46)
{
    return {static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(freqIndex),
            static_cast<std::uint8_t>(gain), static_cast<std::uint8_t>(qIndex)};
}

EqCurve curveOf(std::vector<EqBand> bands, QColor colour = kRed)
{
    EqCurve c;
    c.bands = std::move(bands);
    c.colour = colour;
    c.xShift = 0;
    return c;
}

// Handle pixels are the whitish ones (the brush is translucent white).
// The 8 x 8 box starts 3 rows above trunc(handleY), so the disc is centred one row below it.
double handleCentreRow(double handleY) { return static_cast<int>(handleY) - 3 + 4; }
double centreRow(QRect box) { return (box.top() + box.bottom()) / 2.0; }

bool isHandle(QRgb p) { return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) > 150; }

QRect handleBox(const QImage& image, QRect area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.valid(x, y) && isHandle(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(GraphGeometry, ValuesFor700By200)
{
    const GraphGeometry g = GraphGeometry::forSize(kSize);
    EXPECT_EQ(g.plotLeft, 50);
    EXPECT_EQ(g.plotRight, 660);
    EXPECT_EQ(g.plotBottom, 180);
    EXPECT_EQ(g.pixelsPerDecade, 203);
    EXPECT_EQ(g.gridRowStep, 10);
    EXPECT_EQ(g.zeroDbRow, 100);
    EXPECT_DOUBLE_EQ(g.pixelsPerDb, 170.0 / 48.0);
    EXPECT_LT(g.x(20), 50.0);  // 1.30103 lies a hair above log10 20
    EXPECT_EQ(static_cast<int>(g.x(1000)), 394);
    EXPECT_EQ(static_cast<int>(g.x(20480)), static_cast<int>(50 + 3.0103 * 203));
}

TEST(GraphGeometry, GridStepAndScaleMayDiffer)
{
    const GraphGeometry g = GraphGeometry::forSize({954, 264});
    EXPECT_EQ(g.pixelsPerDecade, (914 - 50) / 3);
    EXPECT_EQ(g.gridRowStep, 234 / 16);
    EXPECT_EQ(g.zeroDbRow, 244 - 8 * 14);
    EXPECT_DOUBLE_EQ(g.pixelsPerDb, 234 / 48.0);
    EXPECT_NE(3 * g.gridRowStep / 9.0, g.pixelsPerDb);
}

TEST(EqGraphPixels, PaintsEveryPixel)
{
    const QImage image = renderGraph({});
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
}

TEST(EqGraphPixels, PaintsEveryPixelAtTwiceTheDensity)
{
    QImage image(kSize * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        drawEqGraph(kSize, {curveOf({band(Peaking, 69, 48)})}, painter);
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
    EXPECT_EQ(image.pixel(2 * 394, 2 * 25), kGrid);  // the 1 kHz line, two device pixels wide
    EXPECT_EQ(image.pixel(2 * 394 + 1, 2 * 25), kGrid);
}

TEST(EqGraphPixels, VerticalLinesSitInTheirColumnsWithTheirPens)
{
    const QImage image = renderGraph({});
    const int between = 25;  // a row between two horizontal lines
    EXPECT_EQ(image.pixel(49, between), kAxis);
    EXPECT_EQ(image.pixel(394, between), kGrid);
    EXPECT_EQ(image.pixel(393, between), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(395, between), qRgb(0, 0, 0));
    // 20 kHz: X(20000) truncated is 658 (a hair below 659), then moved 3 pixels right.
    EXPECT_EQ(image.pixel(661, between), kGrid);
    EXPECT_EQ(image.pixel(658, between), qRgb(0, 0, 0));
    // Lines leave out their end pixel: the axis ends on the top grid line's row, the others
    // below it (where the top line itself passes).
    EXPECT_EQ(image.pixel(49, 20), kAxis);
    EXPECT_EQ(image.pixel(49, 19), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(394, 19), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(394, 180), kGrid);
    EXPECT_EQ(image.pixel(394, 181), qRgb(0, 0, 0));
}

TEST(EqGraphPixels, HorizontalLinesRunFromPlotLeftToPast20Khz)
{
    const QImage image = renderGraph({});
    for (int x = 50; x <= 684; ++x) {  // to plotRight + 25, end pixel left out
        ASSERT_EQ(image.pixel(x, 100), kAxis) << x;
        ASSERT_EQ(image.pixel(x, 180), kGrid) << x;
        ASSERT_EQ(image.pixel(x, 20), kGrid) << x;
    }
    EXPECT_EQ(image.pixel(685, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(300, 99), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(300, 101), qRgb(0, 0, 0));
}

TEST(EqGraphPixels, LabelsAreDrawnInTheTextColourWithoutAntialiasing)
{
    const QImage image = renderGraph({});
    int text = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 48; ++x) {  // the level labels' column
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(0, 0, 0))
                continue;
            ASSERT_EQ(p, qRgb(0, 250, 128)) << x << "," << y;
            ++text;
        }
    EXPECT_GT(text, 100);
    // "+24dB" has its cell's top left at (10, 12); a 14-pixel cell holds 9-pixel digits whose
    // baseline is row 23.
    int top = 200, bottom = -1;
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 48; ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(top, 14);
    EXPECT_EQ(bottom, 22);
    // Frequency labels below the grid.
    int below = 0;
    for (int y = 183; y < 200; ++y)
        for (int x = 0; x < 700; ++x)
            below += image.pixel(x, y) == qRgb(0, 250, 128);
    EXPECT_GT(below, 100);
}

TEST(EqGraphPixels, ByPassCurveLiesOnTheZeroDbLine)
{
    const QImage image = renderGraph({curveOf({band(ByPass, 69), band(ByPass, 10)})});
    const GraphGeometry g = GraphGeometry::forSize(kSize);
    const int from = static_cast<int>(std::ceil(g.x(20)));
    const int to = static_cast<int>(g.x(20480));
    for (int x = from + 1; x < to; ++x) {
        if (std::abs(x - static_cast<int>(g.x(bandCentreHz(69)))) < 8 ||
            std::abs(x - static_cast<int>(g.x(bandCentreHz(10)))) < 8)
            continue;  // the handles
        ASSERT_EQ(image.pixel(x, 100), kRed.rgb()) << x;
        ASSERT_NE(qRed(image.pixel(x, 98)), 255) << x;
        ASSERT_NE(qRed(image.pixel(x, 102)), 255) << x;
    }
    EXPECT_EQ(image.pixel(to + 3, 100), kAxis);  // the curve ends at 20480 Hz
}

TEST(EqGraphPixels, PeakingHandleSitsAtItsGain)
{
    const QImage image = renderGraph({curveOf({band(Peaking, 69, 48)})});
    const GraphGeometry g = GraphGeometry::forSize(kSize);
    const double handleY = g.zeroDbRow - 12 * g.pixelsPerDb;
    const int bandX = static_cast<int>(g.x(bandCentreHz(69)));
    const QRect box = handleBox(image, QRect(bandX - 12, 30, 24, 60));
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(centreRow(box), handleCentreRow(handleY), 0.5);
    EXPECT_NEAR(box.height(), 8, 1);
    EXPECT_LT(box.center().y(), 60);  // a little above the +12dB grid line
}

TEST(EqGraphPixels, CancellingPeaksGiveAFlatCurveAndTwoHandles)
{
    const QImage image =
        renderGraph({curveOf({band(Peaking, 69, 48, 30), band(Peaking, 69, 0, 30)})});
    const GraphGeometry g = GraphGeometry::forSize(kSize);
    const int bandX = static_cast<int>(g.x(bandCentreHz(69)));
    EXPECT_EQ(image.pixel(bandX - 20, 100), kRed.rgb());
    EXPECT_EQ(image.pixel(bandX + 20, 100), kRed.rgb());
    const QRect above = handleBox(image, QRect(bandX - 12, 40, 24, 40));
    const QRect below = handleBox(image, QRect(bandX - 12, 120, 24, 40));
    EXPECT_NEAR(centreRow(above), handleCentreRow(g.zeroDbRow - 12 * g.pixelsPerDb), 0.5);
    EXPECT_NEAR(centreRow(below), handleCentreRow(g.zeroDbRow + 12 * g.pixelsPerDb), 0.5);
}

TEST(EqGraphPixels, NotchAndBandpassHandlesSitOnTheZeroDbLine)
{
    for (int type : {Notch, BandPass, ByPass}) {
        const QImage image = renderGraph({curveOf({band(type, 50)})});
        const int bandX = static_cast<int>(GraphGeometry::forSize(kSize).x(bandCentreHz(50)));
        const QRect box = handleBox(image, QRect(bandX - 12, 60, 24, 80));
        ASSERT_FALSE(box.isEmpty()) << type;
        EXPECT_NEAR(centreRow(box), handleCentreRow(100.0), 0.5) << type;
    }
}

TEST(EqGraphPixels, BandAtTheLastIndexStartsItsHandle5PixelsLeft)
{
    auto leftOfHandle = [](int freqIndex, bool furtherLeftAtTopFrequency) {
        EqCurve c = curveOf({band(Peaking, freqIndex, 48)});
        c.handleLeftOffset = 3;
        c.handleFurtherLeftAtTopFrequency = furtherLeftAtTopFrequency;
        return handleBox(renderGraph({c}), QRect(600, 30, 100, 60)).left();
    };
    EXPECT_EQ(leftOfHandle(121, false) - leftOfHandle(121, true), 2);
    EXPECT_EQ(leftOfHandle(200, false) - leftOfHandle(200, true), 2);  // clamped to 121
    EXPECT_EQ(leftOfHandle(200, true), leftOfHandle(121, true));
}

TEST(EqGraphPixels, XShiftMovesCurveAndHandles)
{
    EqCurve plain = curveOf({band(Peaking, 60, 48)});
    EqCurve shifted = plain;
    shifted.xShift = -1.5;
    const QRect a = handleBox(renderGraph({plain}), QRect(250, 30, 150, 60));
    const QRect b = handleBox(renderGraph({shifted}), QRect(250, 30, 150, 60));
    ASSERT_FALSE(a.isEmpty());
    EXPECT_GE(a.left() - b.left(), 1);
    EXPECT_LE(a.left() - b.left(), 2);
}

TEST(EqGraphPixels, CurvesLeaveTheAreaWithoutHarm)
{
    // A notch reaches -80 dB, far below the surface; nothing is clamped and nothing breaks.
    const QImage image = renderGraph({curveOf({band(Notch, 69, 24, 72), band(BandPass, 1, 0, 0)})});
    EXPECT_EQ(image.size(), kSize);
    EXPECT_EQ(image.pixel(49, 25), kAxis);
}

TEST(EqGraphPixels, LaterCurvesLieOnTopOfEarlierOnes)
{
    const QColor blue(0, 0, 255);
    const QImage image = renderGraph({curveOf({band(ByPass, 1)}), curveOf({band(ByPass, 1)}, blue)});
    EXPECT_EQ(image.pixel(300, 100), blue.rgb());
}

}  // namespace
}  // namespace tonel::testing

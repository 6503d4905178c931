// The subwoofer crossover overlay: its rows and columns, and its pixels on the System page graph.
#include "eq/EqGraphView.h"
#include "model/Fields.h"
#include "pages/SystemPage.h"
#include "pages/CrossoverOverlay.h"
#include "tests/pages/PageFixture.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace sys = fields::system;

// The System page's graph frame is 258 x 132 template units = 516 x 264 pixels; its client area
// inside the one-pixel sunken border is 514 x 262, so plotLeft = 50, pixelsPerDecade = 141, plotRight = 474.
const QSize kSurface(514, 262);
constexpr int kX1 = 48;     // 50 + 141 (log10 20 - 1.30103) - 1.5 = 48.49..
constexpr int kX25 = 133;   // 80 Hz: 50 + 141 (log10 80 - 1.30103) - 1.5 = 133.39
constexpr int kX18 = 108;   // 53.4 Hz, the last point still on row 128 with the defaults
constexpr int kX121 = 472;  // 20480 Hz: 472.95

const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kMarkerBlue = qRgb(0, 128, 255);

GraphGeometry geometry() { return GraphGeometry::forSize(kSurface); }

QImage blank()
{
    QImage picture(kSurface, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

template <class Paint>
QImage paint(Paint paintLayer, CrossoverSettings settings)
{
    QImage picture = blank();
    QPainter painter(&picture);
    paintLayer(painter, geometry(), settings);
    return picture;
}

std::vector<int> rowsOf(const QImage& picture, int x, QRgb colour)
{
    std::vector<int> rows;
    for (int y = 0; y < picture.height(); ++y)
        if (picture.pixel(x, y) == colour)
            rows.push_back(y);
    return rows;
}

int countInRow(const QImage& picture, int y, int from, int to, QRgb colour)
{
    int n = 0;
    for (int x = std::max(from, 0); x <= std::min(to, picture.width() - 1); ++x)
        n += picture.pixel(x, y) == colour ? 1 : 0;
    return n;
}

int countAll(const QImage& picture, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        n += countInRow(picture, y, 0, picture.width() - 1, colour);
    return n;
}

// ---- Rows, columns and settings

TEST(CrossoverRows, DefaultLowPassAt80HzGivesRow136)
{
    const auto y = crossoverRows(crossoverSettings(0, 25));
    EXPECT_EQ(y[0], 128);
    for (int k = 1; k <= 18; ++k)
        EXPECT_EQ(y[static_cast<std::size_t>(k)], 128) << k;  // below 53 Hz the loss is under 1 dB x 2.75
    EXPECT_EQ(y[19], 129);
    EXPECT_EQ(y[25], 136);   // -3.01 dB x 2.75 = -8.28, truncated -8
    EXPECT_EQ(y[37], 177);   // an octave up, 160 Hz: -18.13 dB x 2.75 = -49.85
}

TEST(CrossoverRows, HighPassMirrorsTheLowPass)
{
    const auto y = crossoverRows(crossoverSettings(25, kLowPassOff));
    EXPECT_EQ(y[25], 136);
    EXPECT_EQ(y[13], 177);  // an octave down, 40 Hz
    EXPECT_EQ(y[121], 128);
}

TEST(CrossoverRows, BothFiltersAdd)
{
    const auto y = crossoverRows(crossoverSettings(13, 37));  // 40 Hz and 160 Hz
    EXPECT_EQ(y[13], 136);  // only the high-pass loss at its own corner: -3.01 - 0.07
    EXPECT_EQ(y[25], 128);  // an octave from both corners: -0.07 dB each
}

TEST(CrossoverRows, BothOffIsFlat)
{
    const auto y = crossoverRows(crossoverSettings(0, kLowPassOff));
    for (int v : y)
        EXPECT_EQ(v, 128);
}

TEST(CrossoverSettings, BytesOutsideTheTableAreBroughtIn)
{
    struct Case { int hp, lp, highPass, lowPass; };
    for (const Case& c : {Case{0, 25, 0, 25}, Case{121, 121, 121, 121}, Case{122, 122, 121, kLowPassOff},
                          Case{255, 255, 121, kLowPassOff}, Case{3, 0, 3, 1}}) {
        const CrossoverSettings s = crossoverSettings(static_cast<std::uint8_t>(c.hp), static_cast<std::uint8_t>(c.lp));
        EXPECT_EQ(s.highPass, c.highPass) << c.hp << " " << c.lp;
        EXPECT_EQ(s.lowPass, c.lowPass) << c.hp << " " << c.lp;
    }
    // A low-pass of 0 (0 Hz in the table) would divide by zero; it counts as 20 Hz.
    const auto y = crossoverRows(crossoverSettings(0, 0));
    EXPECT_EQ(y[1], 136);
    EXPECT_EQ(y[121], 128 + 495);  // -180 dB three decades above
}

TEST(CrossoverColumns, FollowThePlotPointsWithTheShift)
{
    const auto x = crossoverColumns(geometry());
    EXPECT_EQ(x[0], kX1);
    EXPECT_EQ(x[1], kX1);
    EXPECT_EQ(x[25], kX25);
    EXPECT_EQ(x[121], kX121);
    for (std::size_t k = 1; k < x.size(); ++k)
        EXPECT_GE(x[k], x[k - 1]) << k;
}

TEST(CrossoverMarkers, StandAtTheirColumnsWithTicksOnTheResponse)
{
    const CrossoverSettings defaults = crossoverSettings(0, 25);
    EXPECT_EQ(highPassMarker(defaults, geometry()).x, kX1);
    EXPECT_EQ(highPassMarker(defaults, geometry()).tickY, 128);
    EXPECT_EQ(lowPassMarker(defaults, geometry()).x, kX25);
    EXPECT_EQ(lowPassMarker(defaults, geometry()).tickY, 136);
    const CrossoverSettings off = crossoverSettings(200, kLowPassOff);
    EXPECT_EQ(highPassMarker(off, geometry()).x, kX121);
    EXPECT_EQ(lowPassMarker(off, geometry()).x, 474 + 25);  // past the span, at the grid lines' end
    EXPECT_EQ(lowPassMarker(off, geometry()).tickY, 128);
}

// ---- Pixels

TEST(CrossoverPixels, ResponseAloneLiesOnRow128ThenReaches136At80Hz)
{
    const QImage picture = paint(paintCrossoverResponse, crossoverSettings(0, 25));
    for (int x = kX1; x <= kX18; ++x)
        EXPECT_EQ(rowsOf(picture, x, kMagenta), std::vector<int>{128}) << x;
    EXPECT_EQ(rowsOf(picture, kX25, kMagenta), std::vector<int>{136});
    EXPECT_TRUE(rowsOf(picture, kX1 - 1, kMagenta).empty());
}

TEST(CrossoverPixels, MarkersAreDashDotLinesFromRow10To230)
{
    const QImage picture = paint(paintCrossoverMarkers, crossoverSettings(0, 25));
    for (int x : {kX1, kX25}) {
        const std::vector<int> rows = rowsOf(picture, x, kMarkerBlue);
        ASSERT_FALSE(rows.empty()) << x;
        EXPECT_EQ(rows.front(), 10) << x;
        EXPECT_LE(rows.back(), 230) << x;
        EXPECT_GE(rows.back(), 225) << x;
        // Dash-dot: gaps, but most of the length drawn.
        EXPECT_GT(rows.size(), 100u) << x;
        EXPECT_LT(rows.size(), 200u) << x;
    }
    EXPECT_GE(countInRow(picture, 128, kX1 - 20, kX1 - 1, kMarkerBlue), 8);
    EXPECT_EQ(countInRow(picture, 128, kX1 + 21, kX25 - 21, kMarkerBlue), 0);
    EXPECT_GE(countInRow(picture, 136, kX25 - 20, kX25 - 1, kMarkerBlue), 8);
    EXPECT_EQ(countInRow(picture, 136, kX25 + 21, kSurface.width() - 1, kMarkerBlue), 0);
}

class CrossoverOnPageTest : public PageFixture<SystemPage> {
protected:
    QImage render(int highPass, int lowPass)
    {
        image.set(sys::subHighPass, static_cast<std::uint8_t>(highPass));
        image.set(sys::subLowPass, static_cast<std::uint8_t>(lowPass));
        return page.controls().graph()->render();
    }
};

TEST_F(CrossoverOnPageTest, DefaultsOverTheGraph)
{
    const QImage picture = render(0, 25);
    ASSERT_EQ(picture.size(), kSurface);
    // Low frequencies: on row 128, clear of the high-pass tick.
    for (int x = kX1 + 21; x <= kX18; ++x)
        EXPECT_EQ(rowsOf(picture, x, kMagenta), std::vector<int>{128}) << x;
    // The high-pass marker stands in the 20 Hz column, its tick on row 128 left of the response.
    EXPECT_GT(rowsOf(picture, kX1, kMarkerBlue).size(), 100u);
    EXPECT_GE(countInRow(picture, 128, kX1 - 20, kX1 - 1, kMarkerBlue), 8);
    EXPECT_EQ(countInRow(picture, 128, kX1 - 20, kX1 - 1, kMagenta), 0);
    // The low-pass marker stands at 80 Hz with its tick on the response's row 136 there.
    EXPECT_GT(rowsOf(picture, kX25, kMarkerBlue).size(), 100u);
    EXPECT_GE(countInRow(picture, 136, kX25 - 20, kX25 + 19, kMarkerBlue), 16);
}

TEST_F(CrossoverOnPageTest, BothOffDrawsOnlyTheBlackLine)
{
    const QImage lowPassAt20Hz = render(0, 1);
    const QImage picture = render(0, kLowPassOff);
    EXPECT_GT(countAll(lowPassAt20Hz, kMagenta), 0);
    EXPECT_EQ(countAll(picture, kMagenta), 0);
    // The 5 kHz grid line is crossed by the black line at row 128 only.
    const int x5k = static_cast<int>(geometry().x(5000));
    const QRgb grid = qRgb(80, 80, 80);
    EXPECT_EQ(lowPassAt20Hz.pixel(x5k, 128), grid);
    EXPECT_EQ(picture.pixel(x5k, 127), grid);
    EXPECT_EQ(picture.pixel(x5k, 128), qRgb(0, 0, 0));
    EXPECT_EQ(countInRow(picture, 128, 0, kSurface.width() - 1, grid), 0);
    // The high-pass marker still stands in the 20 Hz column, tick on row 128.
    EXPECT_GT(rowsOf(picture, kX1, kMarkerBlue).size(), 100u);
    EXPECT_GE(countInRow(picture, 128, kX1 - 20, kX1 + 19, kMarkerBlue), 16);
    // The low-pass marker stands past the frequency span, its tick on row 128.
    EXPECT_GT(rowsOf(picture, 499, kMarkerBlue).size(), 100u);
    EXPECT_GE(countInRow(picture, 128, 479, 498, kMarkerBlue), 8);
}

TEST_F(CrossoverOnPageTest, BytesBeyondTheTablesDrawWithinTheSurface)
{
    const QImage picture = render(255, 255);  // high-pass 121, low-pass off
    EXPECT_GT(rowsOf(picture, kX121, kMarkerBlue).size(), 100u);
    EXPECT_GT(countAll(picture, kMagenta), 0);
    const QImage zero = render(0, 0);  // low-pass at 20 Hz: falling steeply right after the tick
    const std::vector<int> rows = rowsOf(zero, kX1 + 22, kMagenta);
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.front(), 145);  // -9 dB at 28 Hz
}

}  // namespace
}  // namespace tonel::testing

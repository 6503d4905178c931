#include "eq/EqGraphView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

namespace tonel::testing {
namespace {

EqCurve flatCurve(QColor colour)
{
    EqCurve c;
    c.bands = {EqBand{0, 69, 24, 46}};
    c.colour = colour;
    c.labels = {"1"};
    return c;
}

TEST(EqGraphView, IsASunkenFrameThatTakesNoMouseInput)
{
    EqGraphView view;
    EXPECT_EQ(view.frameShadow(), QFrame::Sunken);
    EXPECT_NE(view.frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(EqGraphView, RendersTheClientAreaAtRatioOne)
{
    EqGraphView view;
    view.resize(702, 202);
    const QImage picture = view.render();
    EXPECT_EQ(picture.size(), view.contentsRect().size());
    EXPECT_EQ(picture.devicePixelRatio(), 1.0);
    EXPECT_EQ(picture.pixel(49, 25), qRgb(110, 120, 120));  // the 20 Hz axis of the client size
}

TEST(EqGraphView, FrameWithoutClientAreaHasNoPicture)
{
    EqGraphView view;
    view.resize(2, 2);
    EXPECT_TRUE(view.render().isNull());
}

TEST(EqGraphView, ReadsTheCurvesAtEveryRedraw)
{
    EqGraphView view;
    view.resize(702, 202);
    QColor colour(255, 0, 0);
    int reads = 0;
    view.setCurveSource([&] {
        ++reads;
        return std::vector<EqCurve>{flatCurve(colour)};
    });
    EXPECT_EQ(view.render().pixel(300, 100), qRgb(255, 0, 0));
    colour = QColor(0, 0, 255);
    EXPECT_EQ(view.render().pixel(300, 100), qRgb(0, 0, 255));
    EXPECT_EQ(reads, 2);
}

TEST(EqGraphView, OverlayIsDrawnLastWithAPlainPainter)
{
    EqGraphView view;
    view.resize(702, 202);
    view.setCurveSource([] { return std::vector<EqCurve>{flatCurve(QColor(255, 0, 0))}; });
    QSize seen;
    bool antialiased = true;
    view.setOverlay([&](QPainter& painter, QSize size) {
        seen = size;
        antialiased = painter.testRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(255, 0, 255));
        painter.drawLine(0, 100, 699, 100);
    });
    const QImage picture = view.render();
    EXPECT_EQ(seen, QSize(700, 200));
    EXPECT_FALSE(antialiased);
    EXPECT_EQ(picture.pixel(300, 100), qRgb(255, 0, 255));
}

TEST(EqGraphView, RedrawPaintsAtOnceWhenShownAndAlwaysCounts)
{
    EqGraphView view;
    view.resize(702, 202);
    int paints = 0;
    view.setOverlay([&](QPainter&, QSize) { ++paints; });

    view.redraw();  // hidden: counted, nothing painted
    EXPECT_EQ(view.redrawCount(), 1);
    EXPECT_EQ(paints, 0);

    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    paints = 0;
    view.redraw();
    EXPECT_EQ(view.redrawCount(), 2);
    EXPECT_EQ(paints, 1);  // synchronously, not on a later event
}

TEST(EqGraphView, ScreenPictureMatchesTheRenderedOne)
{
    EqGraphView view;
    view.resize(702, 202);
    view.setCurveSource([] { return std::vector<EqCurve>{flatCurve(QColor(0, 255, 0))}; });
    view.show();
    const QImage onScreen = view.grab(view.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage rendered = view.render();
    ASSERT_EQ(onScreen.size(), rendered.size());
    EXPECT_EQ(onScreen, rendered);
}

}  // namespace
}  // namespace tonel::testing

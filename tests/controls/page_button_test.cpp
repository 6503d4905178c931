#include "controls/PageButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace tonel::testing {
namespace {

const QColor kFace{100, 100, 100};
const QColor kCaption{255, 255, 255};
const QColor kGrey{192, 192, 192};
const QColor kWhite{255, 255, 255};

struct NavButton : ::testing::Test {
    QWidget window;
    PageButton* button = new PageButton(QStringLiteral("话筒"), &window);

    NavButton()
    {
        window.resize(300, 60);
        button->setGeometry(10, 10, 250, 30);
        button->setFaceColor(kFace);
        button->setCaptionColor(kCaption);
        QFont bold = button->font();  // strokes wide enough to hold pixels of the full colour
        bold.setPixelSize(22);
        bold.setBold(true);
        button->setFont(bold);
        window.show();
    }
    QImage picture() const { return button->grab().toImage(); }
    QColor at(int x, int y) const { return picture().pixelColor(x, y); }
    void enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(button, &event);
    }
    void leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(button, &event);
    }
    // Whether any pixel of the rectangle has the colour (text edges are blended: allow a little).
    bool anyPixel(const QRect& r, const QColor& colour) const
    {
        const QImage image = picture();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (close(image.pixelColor(x, y), colour))
                    return true;
        return false;
    }
    static bool close(const QColor& a, const QColor& b)
    {
        return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
               std::abs(a.blue() - b.blue()) <= 8;
    }
};

TEST_F(NavButton, StartsNormalWithDefaultColours)
{
    PageButton fresh(QStringLiteral("x"));
    EXPECT_EQ(fresh.visualState(), PageButton::Normal);
    EXPECT_EQ(fresh.faceColor(), QColor(243, 243, 243));
    EXPECT_EQ(fresh.captionColor(), QColor(0, 0, 0));
    EXPECT_EQ(fresh.disabledTextColor(), fresh.palette().color(QPalette::Disabled, QPalette::ButtonText));
}

TEST_F(NavButton, NormalHasGreyBorderFaceAndRaisedEdge)
{
    EXPECT_EQ(at(125, 0), kGrey);   // top border
    EXPECT_EQ(at(0, 15), kGrey);    // left border
    EXPECT_EQ(at(125, 1), kWhite);  // light side of the raised edge
    EXPECT_EQ(at(2, 15), kWhite);
    EXPECT_EQ(at(1, 15), kFace);
    EXPECT_EQ(at(125, 28), kFace);
    EXPECT_NE(at(125, 29), kFace);  // dark side of the raised edge
    EXPECT_NE(at(0, 0), kGrey) << "rounded corner";
}

TEST_F(NavButton, HoverTurnsTheBorderWhiteAndLeavingTurnsItBack)
{
    enter();
    EXPECT_EQ(button->visualState(), PageButton::Hover);
    EXPECT_EQ(at(125, 0), kWhite);
    EXPECT_EQ(at(0, 15), kWhite);
    leave();
    EXPECT_EQ(button->visualState(), PageButton::Normal);
    EXPECT_EQ(at(125, 0), kGrey);
}

TEST_F(NavButton, HeldDownIsFlatWithGreyBorderThenHoverOnRelease)
{
    enter();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(100, 15));
    EXPECT_EQ(button->visualState(), PageButton::Pressed);
    EXPECT_EQ(at(125, 0), kGrey);
    EXPECT_EQ(at(125, 1), kFace) << "no raised edge while held";
    EXPECT_EQ(at(2, 15), kFace);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 15));
    EXPECT_EQ(button->visualState(), PageButton::Hover);
    EXPECT_EQ(at(125, 0), kWhite);
}

TEST_F(NavButton, DraggedOffWhileHeldIsNormalAtOnceAndReleasedAwayIsNotAClick)
{
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(100, 15));
    QMouseEvent drag(QEvent::MouseMove, QPointF(400, 15), button->mapToGlobal(QPointF(400, 15)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &drag);
    EXPECT_EQ(button->visualState(), PageButton::Normal);
    EXPECT_EQ(at(125, 1), kWhite) << "the raised edge is back while still held";
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(400, 15));
    EXPECT_EQ(button->visualState(), PageButton::Normal);
    EXPECT_EQ(at(125, 0), kGrey);
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(NavButton, ClickNotifiesLikeAPushButton)
{
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100, 15));
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(NavButton, DisabledBorderTakesTheFaceAndCaptionTheGreyText)
{
    button->setEnabled(false);
    const QImage image = picture();
    EXPECT_EQ(button->visualState(), PageButton::Disabled);
    EXPECT_EQ(image.pixelColor(125, 0), kFace);
    EXPECT_EQ(image.pixelColor(0, 15), kFace);
    EXPECT_TRUE(anyPixel(QRect(80, 5, 90, 20), button->disabledTextColor()));
    EXPECT_FALSE(anyPixel(QRect(80, 5, 90, 20), kCaption));
    button->setEnabled(true);
    EXPECT_EQ(at(125, 0), kGrey);
    EXPECT_EQ(button->visualState(), PageButton::Normal);
}

TEST_F(NavButton, NewColoursShowAtOnce)
{
    button->setFaceColor(QColor(192, 192, 0));
    button->setCaptionColor(QColor(0, 0, 255));
    EXPECT_EQ(at(125, 28), QColor(192, 192, 0));
    EXPECT_TRUE(anyPixel(QRect(80, 5, 90, 20), QColor(0, 0, 255)));
}

TEST_F(NavButton, LongCaptionEndsInAnEllipsisOnOneLine)
{
    button->setText(QString(80, QChar('W')));
    const QString shown = button->displayedCaption();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(button->fontMetrics().horizontalAdvance(shown), button->width());
    button->setText(QStringLiteral("音乐"));
    EXPECT_EQ(button->displayedCaption(), QStringLiteral("音乐"));
}

TEST_F(NavButton, FocusRectangleOnlyWithTheFocus)
{
    const QRect focusColumn(3, 4, 1, 22);  // left side of the focus rectangle
    EXPECT_FALSE(anyPixel(focusColumn, kCaption));
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_TRUE(anyPixel(focusColumn, kCaption));
}

TEST_F(NavButton, HighlightChangesNothingVisible)
{
    const QImage before = picture();
    button->setHighlight(true);
    EXPECT_TRUE(button->highlight());
    EXPECT_EQ(picture(), before);
}

}  // namespace
}  // namespace tonel::testing

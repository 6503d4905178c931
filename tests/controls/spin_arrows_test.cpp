#include "controls/SpinArrows.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

struct Spin : ::testing::Test {
    SpinArrows spin;
    QSignalSpy deltas{&spin, &SpinArrows::deltaPos};

    Spin()
    {
        spin.resize(SpinArrows::kWidth, 24);
        spin.show();
    }
    int delta(int i) const { return deltas.at(i).at(0).toInt(); }
};

TEST_F(Spin, IsSixteenPixelsWide) { EXPECT_EQ(spin.width(), 16); }

TEST_F(Spin, UpperHalfIsTheUpArrowLowerHalfTheDownArrow)
{
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 2));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 11));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 12));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 23));
    ASSERT_EQ(deltas.count(), 4);
    EXPECT_EQ(delta(0), -1);
    EXPECT_EQ(delta(1), -1);
    EXPECT_EQ(delta(2), +1);
    EXPECT_EQ(delta(3), +1);
    EXPECT_FALSE(spin.isRepeating());
}

TEST_F(Spin, RepeatsWhileHeldAndStopsOnRelease)
{
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 20));
    EXPECT_EQ(deltas.count(), 1);
    QElapsedTimer clock;
    clock.start();
    while (deltas.count() < 4 && clock.elapsed() < 5000)
        QTest::qWait(10);
    EXPECT_GE(deltas.count(), 4);
    EXPECT_GE(clock.elapsed(), 400 - 20) << "the first repeat waits";
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 20));
    EXPECT_FALSE(spin.isRepeating());
    for (int i = 0; i < deltas.count(); ++i)
        EXPECT_EQ(delta(i), +1);
}

TEST_F(Spin, HidingStopsTheRepeat)
{
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 2));
    EXPECT_TRUE(spin.isRepeating());
    spin.hide();
    EXPECT_FALSE(spin.isRepeating());
}

TEST_F(Spin, WheelUpStepsUp)
{
    QWheelEvent up(QPointF(8, 8), spin.mapToGlobal(QPointF(8, 8)), {}, {0, 120}, Qt::NoButton, {},
                   Qt::NoScrollPhase, false);
    QWheelEvent down(QPointF(8, 8), spin.mapToGlobal(QPointF(8, 8)), {}, {0, -120}, Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&spin, &up);
    QApplication::sendEvent(&spin, &down);
    ASSERT_EQ(deltas.count(), 2);
    EXPECT_EQ(delta(0), -1);
    EXPECT_EQ(delta(1), +1);
}

TEST_F(Spin, KeysOnTheSpinOrItsFieldAreClicksAndOtherKeysPassOn)
{
    QLineEdit field;
    spin.setBuddy(&field);
    const std::vector<std::tuple<QWidget*, Qt::Key, Qt::KeyboardModifiers, int>> presses{
        {&spin, Qt::Key_Up, {}, -1}, {&field, Qt::Key_Down, {}, +1}, {&spin, Qt::Key_Up, Qt::KeypadModifier, -1},
        {&spin, Qt::Key_PageUp, {}, 0},  // no page step: a short range
        {&spin, Qt::Key_Up, Qt::ControlModifier, 0}, {&field, Qt::Key_Left, {}, 0}};
    for (const auto& [target, key, modifiers, expected] : presses) {
        deltas.clear();
        QTest::keyClick(target, key, modifiers);
        std::vector<int> seen;
        for (int i = 0; i < deltas.count(); ++i)
            seen.push_back(delta(i));
        EXPECT_EQ(seen, expected == 0 ? std::vector<int>{} : std::vector<int>{expected}) << key;
    }
    spin.setPageStep(3);
    deltas.clear();
    QTest::keyClick(&field, Qt::Key_PageDown);
    EXPECT_EQ(deltas.count(), 3);
}

}  // namespace
}  // namespace tonel::testing

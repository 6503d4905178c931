#include "controls/SpinArrows.h"

#include <QApplication>
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
    QSignalSpy steps{&spin, &SpinArrows::stepped};

    Spin()
    {
        spin.resize(SpinArrows::kWidth, 24);
        spin.show();
    }
    SpinDirection step(int i) const { return steps.at(i).at(0).value<SpinDirection>(); }
};

TEST_F(Spin, IsSixteenPixelsWide) { EXPECT_EQ(spin.width(), 16); }

TEST_F(Spin, UpperHalfIsTheUpArrowLowerHalfTheDownArrow)
{
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 2));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 11));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 12));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 23));
    ASSERT_EQ(steps.count(), 4);
    EXPECT_EQ(step(0), SpinDirection::Up);
    EXPECT_EQ(step(1), SpinDirection::Up);
    EXPECT_EQ(step(2), SpinDirection::Down);
    EXPECT_EQ(step(3), SpinDirection::Down);
    EXPECT_FALSE(spin.isRepeating());
}

TEST_F(Spin, RepeatsWhileHeldAndStopsOnRelease)
{
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 20));
    EXPECT_EQ(steps.count(), 1);
    QElapsedTimer clock;
    clock.start();
    while (steps.count() < 4 && clock.elapsed() < 5000)
        QTest::qWait(10);
    EXPECT_GE(steps.count(), 4);
    EXPECT_GE(clock.elapsed(), 400 - 20) << "the first repeat waits";
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 20));
    EXPECT_FALSE(spin.isRepeating());
    for (int i = 0; i < steps.count(); ++i)
        EXPECT_EQ(step(i), SpinDirection::Down);
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
    ASSERT_EQ(steps.count(), 2);
    EXPECT_EQ(step(0), SpinDirection::Up);
    EXPECT_EQ(step(1), SpinDirection::Down);
}

TEST_F(Spin, KeysOnTheSpinOrItsFieldAreClicksAndOtherKeysPassOn)
{
    QLineEdit field;
    spin.setBuddy(&field);
    using Steps = std::vector<SpinDirection>;
    const Steps none;
    const std::vector<std::tuple<QWidget*, Qt::Key, Qt::KeyboardModifiers, Steps>> presses{
        {&spin, Qt::Key_Up, {}, {SpinDirection::Up}},
        {&field, Qt::Key_Down, {}, {SpinDirection::Down}},
        {&spin, Qt::Key_Up, Qt::KeypadModifier, {SpinDirection::Up}},
        {&spin, Qt::Key_PageUp, {}, none},  // no page step: a short range
        {&spin, Qt::Key_Up, Qt::ControlModifier, none},
        {&field, Qt::Key_Left, {}, none}};
    for (const auto& [target, key, modifiers, expected] : presses) {
        steps.clear();
        QTest::keyClick(target, key, modifiers);
        Steps seen;
        for (int i = 0; i < steps.count(); ++i)
            seen.push_back(step(i));
        EXPECT_EQ(seen, expected) << key;
    }
    spin.setPageStep(3);
    steps.clear();
    QTest::keyClick(&field, Qt::Key_PageDown);
    EXPECT_EQ(steps.count(), 3);
}

TEST(SpinFocus, AClickGivesTheArrowsTheKeyboard)
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* spin = new SpinArrows(&window);
    spin->setGeometry(100, 0, SpinArrows::kWidth, 24);
    QSignalSpy steps(spin, &SpinArrows::stepped);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(8, 2));
    EXPECT_TRUE(spin->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(steps.count(), 2);
}

}  // namespace
}  // namespace tonel::testing

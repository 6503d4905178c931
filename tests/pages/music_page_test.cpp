// The Music page: its texts, the maximum-level bound, the input source and its graph.
#include "model/Fields.h"
#include "pages/MusicPage.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace music = fields::music;
using Sent = std::vector<std::string>;

using MusicPageTest = PageFixture<WithCurves<MusicPage>>;

TEST_F(MusicPageTest, ShowsTheDefaultsWithTwoDecimalFrequencies)
{
    EXPECT_EQ(ui.text(1175), "30");
    EXPECT_EQ(ui.position(1094), 20);
    EXPECT_EQ(ui.text(1178), "0");
    EXPECT_EQ(ui.position(1179), 50);
    EXPECT_EQ(ui.text(1183), "50");
    EXPECT_EQ(ui.text(1171), "ON ");
    EXPECT_EQ(ui.text(1173), "OFF");
    EXPECT_EQ(ui.text(1172), "OFF");
    EXPECT_EQ(ui.text(1185), "VOD");
    EXPECT_EQ(ui.text(1122), "118.00Hz");
    EXPECT_EQ(ui.text(1129), "315.00Hz");
    EXPECT_EQ(ui.text(1136), "630.00Hz");
    EXPECT_EQ(ui.text(1141), "1.00KHz");
    EXPECT_EQ(ui.text(1150), "3.15KHz");
    EXPECT_EQ(ui.caption(1124), "Lo-shelf");
    EXPECT_EQ(ui.caption(1152), "Hi-shelf");
}

TEST_F(MusicPageTest, MainLevelNeverRisesAboveTheMaximum)
{
    load({{music::maxLevel, 30}});
    ui.moveSlider(1094, 10);
    EXPECT_EQ(image.get(music::mainLevel), 30);
    EXPECT_EQ(ui.position(1094), 20);
    EXPECT_TRUE(channel.sent.empty());
    ui.spinDown(1184);
    EXPECT_EQ(image.get(music::mainLevel), 29);
    EXPECT_EQ(ui.text(1175), "29");
    EXPECT_EQ(ui.position(1094), 21);
    EXPECT_EQ(channel.sent, Sent{"(01$006001029)"});
}

TEST_F(MusicPageTest, AMainLevelAboveTheMaximumFromAFileFollowsTheFirstDownClick)
{
    load({{music::mainLevel, 30}, {music::maxLevel, 10}});
    ui.spinDown(1184);
    EXPECT_EQ(image.get(music::maxLevel), 9);
    EXPECT_EQ(image.get(music::mainLevel), 9);
    EXPECT_EQ(ui.text(1183), "9");
    EXPECT_EQ(ui.text(1175), "9");
    EXPECT_EQ(channel.sent, Sent{"(01$006001009)"});
}

TEST_F(MusicPageTest, SwitchTextsHaveATrailingBlank)
{
    struct Case { int spin, field; std::size_t byte; };
    for (const Case& c : {Case{1166, 1171, music::noiseGate}, Case{1168, 1173, music::autoGain}}) {
        ui.spinUp(c.spin);
        EXPECT_EQ(ui.text(c.field), "ON ") << c.spin;
        ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), "OFF") << c.spin;
        load({{c.byte, 1}});
        EXPECT_EQ(ui.text(c.field), "ON ") << c.spin;
        load({{c.byte, 2}});
        EXPECT_EQ(ui.text(c.field), "OFF") << c.spin;
    }
}

TEST_F(MusicPageTest, InputSelectStepsWithoutWrappingAndResendsAtItsBounds)
{
    load({{music::inputSelect, 0}});
    EXPECT_EQ(ui.text(1185), "AUTO");
    ui.find<QLineEdit>(1185)->setText("typed");
    ui.spinDown(1186);  // at "AUTO": the read-out is left as it is
    EXPECT_EQ(image.get(music::inputSelect), 0);
    EXPECT_EQ(ui.text(1185), "typed");
    EXPECT_EQ(channel.sent, Sent{"(01$002000000)"});
    for (const char* name : {"DIGIT", "VOD", "BGM"}) {
        ui.spinUp(1186);
        EXPECT_EQ(ui.text(1185), name);
    }
    ui.spinUp(1186);
    EXPECT_EQ(image.get(music::inputSelect), 3);
    EXPECT_EQ(ui.text(1185), "BGM");
    EXPECT_EQ(channel.sent.back(), "(01$002000003)");
    EXPECT_EQ(channel.sent.size(), 5u);
}

TEST_F(MusicPageTest, InputSelectWithoutANameShowsNothing)
{
    load({{music::inputSelect, 7}});
    EXPECT_EQ(ui.text(1185), "");
    ui.spinDown(1186);
    EXPECT_EQ(image.get(music::inputSelect), 6);
    EXPECT_EQ(ui.text(1185), "");
    load({{music::inputSelect, 4}});
    ui.spinDown(1186);
    EXPECT_EQ(ui.text(1185), "BGM");
    EXPECT_EQ(channel.sent, (Sent{"(01$002000006)", "(01$002000003)"}));
}

TEST_F(MusicPageTest, QSpinsStopAtZeroOnEveryBand)
{
    for (int k = 0; k < 5; ++k) {
        const int qSpins[] = {1121, 1128, 1135, 1145, 1149};
        load({{music::eq(k) + 3, 1}});
        ui.spinDown(qSpins[k]);
        EXPECT_EQ(image.get(music::eq(k) + 3), 0) << k;
        ui.spinDown(qSpins[k]);
        EXPECT_EQ(image.get(music::eq(k) + 3), 0) << k;
    }
    EXPECT_EQ(ui.text(1151), "0.31");
}

TEST_F(MusicPageTest, BandFourUpArrowShowsOneDecimalKilohertz)
{
    struct Case { int spin, field; std::size_t byte; int start; bool up; const char* text; };
    const Case cases[] = {
        {1144, 1141, music::eq(3) + 1, 68, true, "1.0KHz"},   {1144, 1141, music::eq(3) + 1, 89, true, "3.4KHz"},
        {1144, 1141, music::eq(3) + 1, 30, true, "112.00Hz"}, {1144, 1141, music::eq(3) + 1, 70, false, "1.00KHz"},
        {1144, 1141, music::eq(3) + 1, 121, true, "20.0KHz"}, {1148, 1150, music::eq(4) + 1, 89, true, "3.35KHz"},
        {1120, 1122, music::eq(0) + 1, 68, true, "1.00KHz"},  {1120, 1122, music::eq(0) + 1, 69, false, "950.00Hz"},
    };
    for (const Case& c : cases) {
        load({{c.byte, c.start}});
        c.up ? ui.spinUp(c.spin) : ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), c.text) << c.spin << " from " << c.start;
    }
    ui.typeFrequency(1141, "3350");
    EXPECT_EQ(ui.text(1141), "3.35KHz");
}

TEST_F(MusicPageTest, LevelSlidersWriteTheirOwnBytes)
{
    struct Case { int slider, field; std::size_t byte; };
    const Case cases[] = {{1177, 1176, music::sendLR},    {1179, 1178, music::sendCentre}, {1005, 1006, music::sendSub},
                          {1181, 1180, music::sendAux1},  {1011, 1182, music::sendAux2},   {1048, 1049, music::inputGain},
                          {1050, 1051, music::bgmGain}};
    for (const Case& c : cases) {
        ui.moveSlider(c.slider, 13);
        EXPECT_EQ(image.get(c.byte), 37) << c.slider;
        EXPECT_EQ(ui.text(c.field), "37") << c.slider;
    }
}

TEST_F(MusicPageTest, OneYellowCurveOfTheFiveBands)
{
    image.setBand(music::eq(2), {5, 121, 0, 0});
    const std::vector<EqCurve> curves = page.curves();
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0].colour, QColor(255, 255, 0));
    EXPECT_EQ(curves[0].labels, (std::vector<QString>{"1", "2", "3", "4", "5"}));
    ASSERT_EQ(curves[0].bands.size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(curves[0].bands[static_cast<std::size_t>(k)], image.band(music::eq(k))) << k;
    EXPECT_EQ(curves[0].handleLeftOffset, 3);
    EXPECT_TRUE(curves[0].handleFurtherLeftAtTopFrequency);
    EXPECT_DOUBLE_EQ(curves[0].xShift, -1.5);
}

TEST_F(MusicPageTest, GraphRedrawsOnBandChangesButNotOnMouseMoves)
{
    const int before = ui.redraws();
    ui.moveSlider(1094, 25);
    ui.moveSlider(1050, 3);
    ui.spinUp(1186);
    QMouseEvent move(QEvent::MouseMove, QPointF(700, 400), QPointF(700, 400), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &move);
    EXPECT_EQ(ui.redraws(), before);
    ui.moveSlider(1147, 0);
    ui.typeFrequency(1129, "100");
    EXPECT_EQ(ui.redraws(), before + 2);
}

}  // namespace
}  // namespace tonel::testing

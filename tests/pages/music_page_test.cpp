// The Music page: its texts, the maximum-level bound, the input source and its graph.
#include "model/Fields.h"
#include "pages/MusicPage.h"
#include "res/MusicControls.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace music = fields::music;
namespace id = res::music;
using Sent = std::vector<std::string>;

using MusicPageTest = PageFixture<WithCurves<MusicPage>>;

TEST_F(MusicPageTest, ShowsTheDefaultsWithTwoDecimalFrequencies)
{
    EXPECT_EQ(ui.text(id::MainLevelField), "30");
    EXPECT_EQ(ui.position(id::MainLevelSlider), 20);
    EXPECT_EQ(ui.text(id::SendCentreField), "0");
    EXPECT_EQ(ui.position(id::SendCentreSlider), 50);
    EXPECT_EQ(ui.text(id::MaxLevelField), "50");
    EXPECT_EQ(ui.text(id::NoiseGateField), "ON ");
    EXPECT_EQ(ui.text(id::AutoGainField), "OFF");
    EXPECT_EQ(ui.text(id::LimiterField), "OFF");
    EXPECT_EQ(ui.text(id::InputSourceField), "VOD");
    EXPECT_EQ(ui.text(id::Eq1FreqField), "118.00Hz");
    EXPECT_EQ(ui.text(id::Eq2FreqField), "315.00Hz");
    EXPECT_EQ(ui.text(id::Eq3FreqField), "630.00Hz");
    EXPECT_EQ(ui.text(id::Eq4FreqField), "1.00KHz");
    EXPECT_EQ(ui.text(id::Eq5FreqField), "3.15KHz");
    EXPECT_EQ(ui.caption(id::Eq1TypeButton), "Lo-shelf");
    EXPECT_EQ(ui.caption(id::Eq5TypeButton), "Hi-shelf");
}

TEST_F(MusicPageTest, AMainLevelAboveTheMaximumFromAFileFollowsTheFirstDownClick)
{
    load({{music::mainLevel, 30}, {music::maxLevel, 10}});
    ui.spinDown(id::MaxLevelSpin);
    EXPECT_EQ(image.get(music::maxLevel), 9);
    EXPECT_EQ(image.get(music::mainLevel), 9);
    EXPECT_EQ(ui.text(id::MaxLevelField), "9");
    EXPECT_EQ(ui.text(id::MainLevelField), "9");
    EXPECT_EQ(channel.sent, Sent{"(01$006001009)"});
}

TEST_F(MusicPageTest, SwitchTextsHaveATrailingBlank)
{
    struct Case { int spin, field; std::size_t byte; };
    for (const Case& c : {Case{id::NoiseGateSpin, id::NoiseGateField, music::noiseGate},
                          Case{id::AutoGainSpin, id::AutoGainField, music::autoGain}}) {
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
    EXPECT_EQ(ui.text(id::InputSourceField), "AUTO");
    ui.find<QLineEdit>(id::InputSourceField)->setText("typed");
    ui.spinDown(id::InputSourceSpin);  // at "AUTO": the read-out is left as it is
    EXPECT_EQ(image.get(music::inputSelect), 0);
    EXPECT_EQ(ui.text(id::InputSourceField), "typed");
    EXPECT_EQ(channel.sent, Sent{"(01$002000000)"});
    for (const char* name : {"DIGIT", "VOD", "BGM"}) {
        ui.spinUp(id::InputSourceSpin);
        EXPECT_EQ(ui.text(id::InputSourceField), name);
    }
    ui.spinUp(id::InputSourceSpin);
    EXPECT_EQ(image.get(music::inputSelect), 3);
    EXPECT_EQ(ui.text(id::InputSourceField), "BGM");
    EXPECT_EQ(channel.sent.back(), "(01$002000003)");
    EXPECT_EQ(channel.sent.size(), 5u);
}

TEST_F(MusicPageTest, InputSelectWithoutANameShowsNothing)
{
    load({{music::inputSelect, 7}});
    EXPECT_EQ(ui.text(id::InputSourceField), "");
    ui.spinDown(id::InputSourceSpin);
    EXPECT_EQ(image.get(music::inputSelect), 6);
    EXPECT_EQ(ui.text(id::InputSourceField), "");
    load({{music::inputSelect, 4}});
    ui.spinDown(id::InputSourceSpin);
    EXPECT_EQ(ui.text(id::InputSourceField), "BGM");
    EXPECT_EQ(channel.sent, (Sent{"(01$002000006)", "(01$002000003)"}));
}

TEST_F(MusicPageTest, BandFourUpArrowShowsOneDecimalKilohertz)
{
    struct Case { int spin, field; std::size_t byte; int start; bool up; const char* text; };
    const Case cases[] = {
        {id::Eq4FreqSpin, id::Eq4FreqField, music::eq(3) + 1, 68, true, "1.0KHz"},
        {id::Eq4FreqSpin, id::Eq4FreqField, music::eq(3) + 1, 89, true, "3.4KHz"},
        {id::Eq4FreqSpin, id::Eq4FreqField, music::eq(3) + 1, 30, true, "112.00Hz"},
        {id::Eq4FreqSpin, id::Eq4FreqField, music::eq(3) + 1, 70, false, "1.00KHz"},
        {id::Eq4FreqSpin, id::Eq4FreqField, music::eq(3) + 1, 121, true, "20.0KHz"},
        {id::Eq5FreqSpin, id::Eq5FreqField, music::eq(4) + 1, 89, true, "3.35KHz"},
        {id::Eq1FreqSpin, id::Eq1FreqField, music::eq(0) + 1, 68, true, "1.00KHz"},
        {id::Eq1FreqSpin, id::Eq1FreqField, music::eq(0) + 1, 69, false, "950.00Hz"},
    };
    for (const Case& c : cases) {
        load({{c.byte, c.start}});
        c.up ? ui.spinUp(c.spin) : ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), c.text) << c.spin << " from " << c.start;
    }
    ui.typeFrequency(id::Eq4FreqField, "3350");
    EXPECT_EQ(ui.text(id::Eq4FreqField), "3.35KHz");
}

TEST_F(MusicPageTest, LevelSlidersWriteTheirOwnBytes)
{
    struct Case { int slider, field; std::size_t byte; };
    const Case cases[] = {
        {id::SendLeftRightSlider, id::SendLeftRightField, music::sendLR},
        {id::SendCentreSlider, id::SendCentreField, music::sendCentre},
        {id::SendSubSlider, id::SendSubField, music::sendSub},
        {id::SendAux1Slider, id::SendAux1Field, music::sendAux1},
        {id::SendAux2Slider, id::SendAux2Field, music::sendAux2},
        {id::InputGainSlider, id::InputGainField, music::inputGain},
        {id::BgmGainSlider, id::BgmGainField, music::bgmGain},
    };
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

}  // namespace
}  // namespace tonel::testing

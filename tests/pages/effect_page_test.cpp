// The Effect page and, through it, the mechanics every page shares.
#include "model/Fields.h"
#include "pages/EffectPage.h"
#include "tests/pages/PageFixture.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace fx = fields::effect;

class EffectPageTest : public PageFixture<EffectPage> {
protected:
    void setProgram(int k) { load({{fields::global::effectProgram, k}}); }
};

TEST_F(EffectPageTest, ShowsTheDefaultsOfProgramZero)
{
    EXPECT_EQ(ui.text(1093), "39");
    EXPECT_EQ(ui.position(1094), 11);
    EXPECT_EQ(ui.text(1016), "59");
    EXPECT_EQ(ui.position(1105), 41);
    EXPECT_EQ(ui.text(1103), "OFF");
    EXPECT_EQ(ui.caption(1085), "Lo-shelf");
    EXPECT_EQ(ui.caption(1088), "Hi-shelf");
    EXPECT_EQ(ui.text(1083), "118.00Hz");
    EXPECT_EQ(ui.text(1086), "3.15KH");
    EXPECT_EQ(ui.text(1084), "4.33");
    EXPECT_EQ(ui.text(1079), "0");
    EXPECT_EQ(ui.position(1081), 12);
}

TEST_F(EffectPageTest, ControlsSitAtTheirTemplateRectanglesInPixels)
{
    EXPECT_EQ(page.size(), QSize(1008, 592));
    EXPECT_EQ(ui.find(1000)->geometry(), QRect(28, 18, 954, 264));
    // A spin takes the right 16 pixels of its field.
    const QRect field = ui.find(1083)->geometry();
    const QRect spin = ui.find(1089)->geometry();
    EXPECT_EQ(spin.width(), 16);
    EXPECT_EQ(spin.right(), field.right() + 16);
    EXPECT_EQ(spin.height(), field.height());
    for (int id : {1094, 1105, 1081})  // a level, an amount and a gain slider: ticks at the ends only
        EXPECT_EQ(ui.find<QSlider>(id)->tickInterval(), ui.find<QSlider>(id)->maximum()) << id;
}

TEST_F(EffectPageTest, EditsTheProgramThatGlobalEffectProgramSelects)
{
    setProgram(2);
    EXPECT_EQ(ui.text(1093), "33");
    ui.moveSlider(1094, 0);
    EXPECT_EQ(image.get(fx::at(2, fx::masterLevel)), 50);
    EXPECT_EQ(image.get(fx::at(0, fx::masterLevel)), 39);
    EXPECT_EQ(channel.last(), "(01$004000050)");

    ui.spinUp(1089);
    EXPECT_EQ(image.get(fx::at(2, fx::eq(0)) + 1), 33);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 32);
    EXPECT_EQ(channel.last(), "(01$008000004033024046)");
}

TEST_F(EffectPageTest, LevelSliderSendsEveryNewPositionAndNothingOnRelease)
{
    for (int position : {10, 9, 8})
        ui.moveSlider(1096, position);
    ui.releaseSlider(1096);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$004006040)", "(01$004006041)", "(01$004006042)"}));
    EXPECT_EQ(ui.text(1095), "42");
}

TEST_F(EffectPageTest, AmountSlidersUseTheHundredScale)
{
    ui.moveSlider(1023, 100);
    EXPECT_EQ(image.get(fx::at(0, fx::reverbEchoMix)), 0);
    EXPECT_EQ(channel.last(), "(01$004005000)");
    EXPECT_EQ(ui.text(1024), "0");
}

TEST_F(EffectPageTest, NothingIsSentWhileDisconnectedButTheImageChanges)
{
    channel.isConnected = false;
    ui.moveSlider(1098, 0);
    ui.spinUp(1104);
    ui.click(1085);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(image.get(fx::at(0, fx::toCentre)), 50);
    EXPECT_EQ(image.get(fx::at(0, fx::extension)), 1);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0))), 5);
}

TEST_F(EffectPageTest, ExtensionSpinTextsAndResends)
{
    ui.spinUp(1104);
    EXPECT_EQ(ui.text(1103), "ON ");
    EXPECT_EQ(channel.last(), "(01$004001001)");
    ui.spinUp(1104);  // at its bound: unchanged, sent again
    EXPECT_EQ(channel.last(), "(01$004001001)");
    ui.spinDown(1104);
    EXPECT_EQ(ui.text(1103), "OFF ");
    EXPECT_EQ(channel.last(), "(01$004001000)");
    page.refreshFromImage();
    EXPECT_EQ(ui.text(1103), "OFF");
    EXPECT_EQ(channel.sent.size(), 3u);
    image.set(fx::at(0, fx::extension), 2);  // from a file: neither arrow moves it, the text still changes
    ui.spinDown(1104);
    EXPECT_EQ(ui.text(1103), "OFF ");
    EXPECT_EQ(channel.last(), "(01$004001002)");
    ui.spinUp(1104);
    EXPECT_EQ(ui.text(1103), "ON ");
    EXPECT_EQ(image.get(fx::at(0, fx::extension)), 2);
}

TEST_F(EffectPageTest, FrequencySpinAtTheTopStaysAndResends)
{
    image.set(fx::at(0, fx::eq(1)) + 1, 121);
    page.refreshFromImage();
    ui.spinUp(1091);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(1)) + 1), 121);
    EXPECT_EQ(ui.text(1086), "20.00KH");
    EXPECT_EQ(channel.last(), "(01$008001003121024046)");
}

TEST_F(EffectPageTest, TypedFrequencySnapsDownAndShowsTheEnteredForm)
{
    ui.typeFrequency(1083, "1050");
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 69);
    EXPECT_EQ(ui.text(1083), "1.0KHz");
    EXPECT_EQ(channel.last(), "(01$008000004069024046)");
    page.refreshFromImage();
    EXPECT_EQ(ui.text(1083), "1.00KH");
    ui.spinUp(1089);
    EXPECT_EQ(ui.text(1083), "1.06KH");
}

TEST_F(EffectPageTest, LeavingAFrequencyFieldUntouchedResendsTheBand)
{
    image.set(fx::at(0, fx::eq(0)) + 1, 69);
    page.refreshFromImage();
    ui.typeFrequency(1083, ui.text(1083));
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 69);
    EXPECT_EQ(channel.last(), "(01$008000004069024046)");
}

TEST_F(EffectPageTest, QSpinStopsAtOneAndSeventyTwo)
{
    struct Case { int start; bool up; int expected; const char* text; };
    for (const Case& c : {Case{1, false, 1, "0.32"}, Case{2, false, 1, "0.32"}, Case{72, true, 72, "19.40"}, Case{71, true, 72, "19.40"}}) {
        image.set(fx::at(0, fx::eq(0)) + 3, static_cast<std::uint8_t>(c.start));
        c.up ? ui.spinUp(1090) : ui.spinDown(1090);
        EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 3), c.expected) << c.start;
        EXPECT_EQ(ui.text(1084), c.text) << c.start;
    }
}

TEST_F(EffectPageTest, TypeButtonCyclesAndSetsTheEnabling)
{
    struct Case { int from; const char* caption; bool gain, freq, q; };
    const Case cases[] = {
        {0, "Peaking", true, true, true},   {1, "Hi-shelf", true, true, false}, {2, "Hi-shelf", true, true, false},
        {3, "Lo-shelf", true, true, false}, {4, "Notch", false, true, true},    {5, "Peaking", true, true, true},
    };
    for (const Case& c : cases) {
        image.set(fx::at(0, fx::eq(0)), static_cast<std::uint8_t>(c.from));
        ui.click(1085);
        EXPECT_EQ(ui.caption(1085), c.caption) << c.from;
        EXPECT_EQ(ui.enabled(1081), c.gain) << c.from;
        EXPECT_EQ(ui.enabled(1079), c.gain) << c.from;
        EXPECT_EQ(ui.enabled(1083), c.freq) << c.from;
        EXPECT_EQ(ui.enabled(1084), c.q) << c.from;
    }
}

TEST_F(EffectPageTest, UnknownTypeKeepsTheCaptionAndEnablesEverything)
{
    image.set(fx::at(0, fx::eq(0)), 9);
    page.refreshFromImage();
    EXPECT_EQ(ui.caption(1085), "Lo-shelf");
    for (int id : {1079, 1081, 1083, 1084, 1085})
        EXPECT_TRUE(ui.enabled(id)) << id;
}

TEST_F(EffectPageTest, OddGainIsRewrittenEvenByTheFirstNotification)
{
    image.set(fx::at(0, fx::eq(0)) + 2, 25);
    page.refreshFromImage();
    EXPECT_EQ(ui.text(1079), "1");
    ui.releaseSlider(1081);  // same position, but 2 x 11 != 48 - 25
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 2), 26);
    EXPECT_EQ(channel.last(), "(01$008000004032026046)");
    ui.releaseSlider(1081);
    EXPECT_EQ(channel.sent.size(), 1u);
}

TEST_F(EffectPageTest, EasySetDisablesBandFieldsButKeepsSpinsWorking)
{
    image.set(fields::global::controlMode, 0);
    image.set(fx::at(0, fx::eq(1)), Notch);
    page.refreshFromImage();
    page.applyControlMode();
    for (int id : {1085, 1088, 1083, 1084, 1086, 1087, 1082, 1080})
        EXPECT_FALSE(ui.enabled(id)) << id;
    EXPECT_TRUE(ui.enabled(1081));  // Lo-shelf keeps its gain
    EXPECT_TRUE(ui.enabled(1094));
    ui.spinDown(1092);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(1)) + 3), 45);
    EXPECT_EQ(channel.last(), "(01$008001005089024045)");

    image.set(fields::global::controlMode, 1);
    page.applyControlMode();
    EXPECT_TRUE(ui.enabled(1085));
    EXPECT_TRUE(ui.enabled(1083));
    EXPECT_FALSE(ui.enabled(1082));  // Notch has no gain in the full set either
}

TEST_F(EffectPageTest, GraphRedrawsOnBandChangesAndMouseMovesOnly)
{
    const int before = ui.redraws();
    ui.moveSlider(1094, 3);
    ui.spinUp(1104);
    EXPECT_EQ(ui.redraws(), before);
    ui.spinUp(1089);
    ui.moveSlider(1082, 0);
    EXPECT_EQ(ui.redraws(), before + 2);
    ui.expectRedrawOnEveryMouseMove("tonel::EffectPage");
}

}  // namespace
}  // namespace tonel::testing

// The Effect page and, through it, the mechanics every page shares.
#include "model/Fields.h"
#include "pages/EffectPage.h"
#include "res/EffectControls.h"
#include "tests/pages/PageFixture.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace fx = fields::effect;
namespace id = res::effect;

class EffectPageTest : public PageFixture<EffectPage> {
protected:
    void setProgram(int k) { load({{fields::global::effectProgram, k}}); }
};

TEST_F(EffectPageTest, ShowsTheDefaultsOfProgramZero)
{
    EXPECT_EQ(ui.text(id::MainLevelField), "39");
    EXPECT_EQ(ui.position(id::MainLevelSlider), 11);
    EXPECT_EQ(ui.text(id::DelayField), "59");
    EXPECT_EQ(ui.position(id::DelaySlider), 41);
    EXPECT_EQ(ui.text(id::ExtensionField), "OFF");
    EXPECT_EQ(ui.caption(id::Eq1TypeButton), "Lo-shelf");
    EXPECT_EQ(ui.caption(id::Eq2TypeButton), "Hi-shelf");
    EXPECT_EQ(ui.text(id::Eq1FreqField), "118.00Hz");
    EXPECT_EQ(ui.text(id::Eq2FreqField), "3.15KH");
    EXPECT_EQ(ui.text(id::Eq1QField), "4.33");
    EXPECT_EQ(ui.text(id::Eq1GainField), "0");
    EXPECT_EQ(ui.position(id::Eq1GainSlider), 12);
}

TEST_F(EffectPageTest, ControlsSitAtTheirTemplateRectanglesInPixels)
{
    const res::PageTemplate& dialog = res::effectTemplate();
    EXPECT_EQ(page.size(), QSize(dialog.width, dialog.height) * res::kPixelsPerTemplateUnit);
    // Every control where its template puts it, except that a spin takes the right 16 pixels of
    // the field listed just before it.
    const auto& controls = dialog.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int control = controls[i].id;
        if (control == -1 || controls[i].kind == res::ControlKind::Spin)
            continue;
        const bool spinFollows = i + 1 < controls.size() && controls[i + 1].kind == res::ControlKind::Spin;
        EXPECT_EQ(ui.find(control)->geometry(), declaredRect(dialog, control).adjusted(0, 0, spinFollows ? -16 : 0, 0))
            << control;
    }
    const QRect field = ui.find(id::Eq1FreqField)->geometry();
    const QRect spin = ui.find(id::Eq1FreqSpin)->geometry();
    EXPECT_EQ(spin.width(), 16);
    EXPECT_EQ(spin.right(), field.right() + 16);
    EXPECT_EQ(spin.height(), field.height());
    // A level, an amount and a gain slider: ticks at the ends only.
    for (int slider : {id::MainLevelSlider, id::DelaySlider, id::Eq1GainSlider})
        EXPECT_EQ(ui.find<QSlider>(slider)->tickInterval(), ui.find<QSlider>(slider)->maximum()) << slider;
}

TEST_F(EffectPageTest, EditsTheProgramThatGlobalEffectProgramSelects)
{
    setProgram(2);
    EXPECT_EQ(ui.text(id::MainLevelField), "33");
    ui.moveSlider(id::MainLevelSlider, 0);
    EXPECT_EQ(image.get(fx::at(2, fx::masterLevel)), 50);
    EXPECT_EQ(image.get(fx::at(0, fx::masterLevel)), 39);
    EXPECT_EQ(channel.last(), "(01$004000050)");

    ui.spinUp(id::Eq1FreqSpin);
    EXPECT_EQ(image.get(fx::at(2, fx::eq(0)) + 1), 33);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 32);
    EXPECT_EQ(channel.last(), "(01$008000004033024046)");
}

TEST_F(EffectPageTest, LevelSliderSendsEveryNewPositionAndNothingOnRelease)
{
    for (int position : {10, 9, 8})
        ui.moveSlider(id::SendLeftRightSlider, position);
    ui.releaseSlider(id::SendLeftRightSlider);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$004006040)", "(01$004006041)", "(01$004006042)"}));
    EXPECT_EQ(ui.text(id::SendLeftRightField), "42");
}

TEST_F(EffectPageTest, AmountSlidersUseTheHundredScale)
{
    ui.moveSlider(id::ReverbEchoMixSlider, 100);
    EXPECT_EQ(image.get(fx::at(0, fx::reverbEchoMix)), 0);
    EXPECT_EQ(channel.last(), "(01$004005000)");
    EXPECT_EQ(ui.text(id::ReverbEchoMixField), "0");
}

TEST_F(EffectPageTest, NothingIsSentWhileDisconnectedButTheImageChanges)
{
    channel.isConnected = false;
    ui.moveSlider(id::SendCentreSlider, 0);
    ui.spinUp(id::ExtensionSpin);
    ui.click(id::Eq1TypeButton);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(image.get(fx::at(0, fx::toCentre)), 50);
    EXPECT_EQ(image.get(fx::at(0, fx::extension)), 1);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0))), 5);
}

TEST_F(EffectPageTest, ExtensionSpinTextsAndResends)
{
    ui.spinUp(id::ExtensionSpin);
    EXPECT_EQ(ui.text(id::ExtensionField), "ON ");
    EXPECT_EQ(channel.last(), "(01$004001001)");
    ui.spinUp(id::ExtensionSpin);  // at its bound: unchanged, sent again
    EXPECT_EQ(channel.last(), "(01$004001001)");
    ui.spinDown(id::ExtensionSpin);
    EXPECT_EQ(ui.text(id::ExtensionField), "OFF ");
    EXPECT_EQ(channel.last(), "(01$004001000)");
    page.refreshFromImage();
    EXPECT_EQ(ui.text(id::ExtensionField), "OFF");
    EXPECT_EQ(channel.sent.size(), 3u);
    image.set(fx::at(0, fx::extension), 2);  // from a file: neither arrow moves it, the text still changes
    ui.spinDown(id::ExtensionSpin);
    EXPECT_EQ(ui.text(id::ExtensionField), "OFF ");
    EXPECT_EQ(channel.last(), "(01$004001002)");
    ui.spinUp(id::ExtensionSpin);
    EXPECT_EQ(ui.text(id::ExtensionField), "ON ");
    EXPECT_EQ(image.get(fx::at(0, fx::extension)), 2);
}

TEST_F(EffectPageTest, FrequencySpinAtTheTopStaysAndResends)
{
    image.set(fx::at(0, fx::eq(1)) + 1, 121);
    page.refreshFromImage();
    ui.spinUp(id::Eq2FreqSpin);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(1)) + 1), 121);
    EXPECT_EQ(ui.text(id::Eq2FreqField), "20.00KH");
    EXPECT_EQ(channel.last(), "(01$008001003121024046)");
}

TEST_F(EffectPageTest, TypedFrequencySnapsDownAndShowsTheEnteredForm)
{
    ui.typeFrequency(id::Eq1FreqField, "1050");
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 69);
    EXPECT_EQ(ui.text(id::Eq1FreqField), "1.0KHz");
    EXPECT_EQ(channel.last(), "(01$008000004069024046)");
    page.refreshFromImage();
    EXPECT_EQ(ui.text(id::Eq1FreqField), "1.00KH");
    ui.spinUp(id::Eq1FreqSpin);
    EXPECT_EQ(ui.text(id::Eq1FreqField), "1.06KH");
}

TEST_F(EffectPageTest, LeavingAFrequencyFieldUntouchedResendsTheBand)
{
    image.set(fx::at(0, fx::eq(0)) + 1, 69);
    page.refreshFromImage();
    ui.typeFrequency(id::Eq1FreqField, ui.text(id::Eq1FreqField));
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 1), 69);
    EXPECT_EQ(channel.last(), "(01$008000004069024046)");
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
        ui.click(id::Eq1TypeButton);
        EXPECT_EQ(ui.caption(id::Eq1TypeButton), c.caption) << c.from;
        EXPECT_EQ(ui.enabled(id::Eq1GainSlider), c.gain) << c.from;
        EXPECT_EQ(ui.enabled(id::Eq1GainField), c.gain) << c.from;
        EXPECT_EQ(ui.enabled(id::Eq1FreqField), c.freq) << c.from;
        EXPECT_EQ(ui.enabled(id::Eq1QField), c.q) << c.from;
    }
}

TEST_F(EffectPageTest, UnknownTypeKeepsTheCaptionAndEnablesEverything)
{
    image.set(fx::at(0, fx::eq(0)), 9);
    page.refreshFromImage();
    EXPECT_EQ(ui.caption(id::Eq1TypeButton), "Lo-shelf");
    for (int control : {id::Eq1GainField, id::Eq1GainSlider, id::Eq1FreqField, id::Eq1QField, id::Eq1TypeButton})
        EXPECT_TRUE(ui.enabled(control)) << control;
}

TEST_F(EffectPageTest, OddGainIsRewrittenEvenByTheFirstNotification)
{
    image.set(fx::at(0, fx::eq(0)) + 2, 25);
    page.refreshFromImage();
    EXPECT_EQ(ui.text(id::Eq1GainField), "1");
    ui.releaseSlider(id::Eq1GainSlider);  // same position, but 2 x 11 != 48 - 25
    EXPECT_EQ(image.get(fx::at(0, fx::eq(0)) + 2), 26);
    EXPECT_EQ(channel.last(), "(01$008000004032026046)");
    ui.releaseSlider(id::Eq1GainSlider);
    EXPECT_EQ(channel.sent.size(), 1u);
}

TEST_F(EffectPageTest, EasySetDisablesBandFieldsButKeepsSpinsWorking)
{
    image.set(fields::global::controlMode, 0);
    image.set(fx::at(0, fx::eq(1)), Notch);
    page.refreshFromImage();
    page.applyControlMode();
    for (int control : {id::Eq1TypeButton, id::Eq2TypeButton, id::Eq1FreqField, id::Eq1QField, id::Eq2FreqField,
                        id::Eq2QField, id::Eq2GainSlider, id::Eq2GainField})
        EXPECT_FALSE(ui.enabled(control)) << control;
    EXPECT_TRUE(ui.enabled(id::Eq1GainSlider));  // Lo-shelf keeps its gain
    EXPECT_TRUE(ui.enabled(id::MainLevelSlider));
    ui.spinDown(id::Eq2QSpin);
    EXPECT_EQ(image.get(fx::at(0, fx::eq(1)) + 3), 45);
    EXPECT_EQ(channel.last(), "(01$008001005089024045)");

    image.set(fields::global::controlMode, 1);
    page.applyControlMode();
    EXPECT_TRUE(ui.enabled(id::Eq1TypeButton));
    EXPECT_TRUE(ui.enabled(id::Eq1FreqField));
    EXPECT_FALSE(ui.enabled(id::Eq2GainSlider));  // Notch has no gain in the full set either
}

}  // namespace
}  // namespace tonel::testing

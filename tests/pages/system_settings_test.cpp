// The System page's settings: program, panel lock, contrast, delays and the subwoofer.
#include "model/Fields.h"
#include "pages/SystemPage.h"
#include "res/SystemControls.h"
#include "tests/pages/PageFixture.h"

#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace sys = fields::system;
namespace glb = fields::global;
namespace id = res::system;

class SystemSettingsTest : public PageFixture<SystemPage> {
protected:
    void store(std::size_t offset, int byte) { load({{offset, byte}}); }
};

TEST_F(SystemSettingsTest, ShowsTheDefaults)
{
    const std::pair<int, const char*> expected[] = {
        {id::EffectProgramField, "甜美"},      {id::PanelLockField, "OFF"},
        {id::DisplayContrastField, "1"},       {id::Aux1DelayField, "0.0ms"},
        {id::Aux1DistanceField, "0.0m"},       {id::Aux2DelayField, "0.0ms"},
        {id::Aux2DistanceField, "0.0m"},       {id::SubwooferPhaseField, "Normal"},
        {id::SubwooferHighPassField, "OFF"},   {id::SubwooferLowPassField, "80.0Hz"},
        {id::SubwooferAutoAttenuationField, "OFF"},
    };
    for (auto [field, text] : expected)
        EXPECT_EQ(ui.text(field), QString::fromUtf8(text)) << field;
}

// Each field at its declared rectangle, with its spin in the field's right 16 pixels.
TEST_F(SystemSettingsTest, FieldsAndSpinsStandAtTheirRectangles)
{
    const std::pair<int, int> fieldsAndSpins[] = {
        {id::EffectProgramField, id::EffectProgramSpin},     {id::PanelLockField, id::PanelLockSpin},
        {id::DisplayContrastField, id::DisplayContrastSpin}, {id::Aux1DelayField, id::Aux1DelaySpin},
        {id::Aux1DistanceField, id::Aux1DistanceSpin},       {id::Aux2DelayField, id::Aux2DelaySpin},
        {id::Aux2DistanceField, id::Aux2DistanceSpin},       {id::SubwooferPhaseField, id::SubwooferPhaseSpin},
        {id::SubwooferHighPassField, id::SubwooferHighPassSpin},
        {id::SubwooferLowPassField, id::SubwooferLowPassSpin},
        {id::SubwooferAutoAttenuationField, id::SubwooferAutoAttenuationSpin},
    };
    for (auto [field, spin] : fieldsAndSpins) {
        const QRect declared = declaredRect(res::systemTemplate(), field);
        EXPECT_EQ(ui.find(field)->geometry(), declared.adjusted(0, 0, -16, 0)) << field;
        EXPECT_EQ(ui.find(spin)->geometry(), QRect(declared.right() - 15, declared.top(), 16, declared.height()))
            << spin;
    }
}

TEST_F(SystemSettingsTest, EffectProgramStopsAtTheThirdAndResends)
{
    const int before = ui.redraws();
    ui.spinUp(id::EffectProgramSpin);
    EXPECT_EQ(ui.text(id::EffectProgramField), "豪迈");
    EXPECT_EQ(channel.last(), "(01$001000001)");
    ui.spinUp(id::EffectProgramSpin);
    EXPECT_EQ(ui.text(id::EffectProgramField), "激情");
    ui.spinUp(id::EffectProgramSpin);
    EXPECT_EQ(ui.text(id::EffectProgramField), "激情");
    EXPECT_EQ(image.get(glb::effectProgram), 2);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$001000001)", "(01$001000002)", "(01$001000002)"}));
    EXPECT_EQ(ui.redraws(), before);
}

TEST_F(SystemSettingsTest, PanelLockSendsItsLiteralCommands)
{
    ui.spinUp(id::PanelLockSpin);
    EXPECT_EQ(ui.text(id::PanelLockField), "ON ");
    EXPECT_EQ(channel.last(), "(01CD)");
    ui.spinDown(id::PanelLockSpin);
    ui.spinDown(id::PanelLockSpin);  // at 0: stays OFF and sends again
    EXPECT_EQ(ui.text(id::PanelLockField), "OFF");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01CD)", "(01CE)", "(01CE)"}));
}

TEST_F(SystemSettingsTest, ContrastSendsTheDigitOfTheByte)
{
    ui.spinDown(id::DisplayContrastSpin);
    EXPECT_EQ(ui.text(id::DisplayContrastField), "0");
    EXPECT_EQ(channel.last(), "(01T0)");
    for (int i = 0; i < 4; ++i)
        ui.spinUp(id::DisplayContrastSpin);
    EXPECT_EQ(ui.text(id::DisplayContrastField), "3");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01T0)", "(01T1)", "(01T2)", "(01T3)", "(01T3)"}));
}

TEST_F(SystemSettingsTest, NothingIsSentForALockOrContrastOutsideItsList)
{
    store(glb::panelLock, 7);
    store(glb::displayContrast, 9);
    ui.spinUp(id::PanelLockSpin);   // above its maximum: stays 7
    ui.spinDown(id::PanelLockSpin); // one step back towards the range, still outside
    EXPECT_EQ(image.get(glb::panelLock), 6);
    ui.spinUp(id::DisplayContrastSpin);
    ui.spinDown(id::DisplayContrastSpin);
    EXPECT_EQ(image.get(glb::displayContrast), 8);
    EXPECT_EQ(ui.text(id::DisplayContrastField), "8");
    EXPECT_TRUE(channel.sent.empty());
    store(glb::displayContrast, 4);
    ui.spinDown(id::DisplayContrastSpin);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01T3)"}));
}

TEST_F(SystemSettingsTest, StoredValuesOutsideTheListsShowEmptyFields)
{
    store(glb::effectProgram, 3);
    store(glb::panelLock, 2);
    store(sys::subPhase, 200);
    EXPECT_EQ(ui.text(id::EffectProgramField), "");
    EXPECT_EQ(ui.text(id::PanelLockField), "");
    EXPECT_EQ(ui.text(id::SubwooferPhaseField), "");
    ui.spinDown(id::EffectProgramSpin);
    EXPECT_EQ(ui.text(id::EffectProgramField), "激情");
    EXPECT_EQ(channel.last(), "(01$001000002)");
}

TEST_F(SystemSettingsTest, DelayTextsInMillisecondsAndMetres)
{
    struct Case { int byte; const char* ms; const char* m; };
    for (const Case& c : {Case{0, "0.0ms", "0.0m"}, Case{1, "0.5ms", "0.2m"}, Case{100, "50.0ms", "17.0m"}}) {
        store(sys::aux2Delay, c.byte);
        EXPECT_EQ(ui.text(id::Aux2DelayField), c.ms) << c.byte;
        EXPECT_EQ(ui.text(id::Aux2DistanceField), c.m) << c.byte;
    }
    ui.spinUp(id::Aux2DistanceSpin);  // at 100: unchanged, sent again
    EXPECT_EQ(image.get(sys::aux2Delay), 100);
    EXPECT_EQ(channel.last(), "(01$007025100)");
}

TEST_F(SystemSettingsTest, BothDelaySpinsStepTheSameByteAndRewriteBothFields)
{
    ui.spinUp(id::Aux1DelaySpin);
    EXPECT_EQ(image.get(sys::aux1Delay), 1);
    EXPECT_EQ(ui.text(id::Aux1DelayField), "0.5ms");
    EXPECT_EQ(ui.text(id::Aux1DistanceField), "0.2m");
    ui.spinUp(id::Aux1DistanceSpin);
    EXPECT_EQ(image.get(sys::aux1Delay), 2);
    EXPECT_EQ(ui.text(id::Aux1DelayField), "1.0ms");
    EXPECT_EQ(ui.text(id::Aux1DistanceField), "0.3m");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$007023001)", "(01$007023002)"}));
    ui.spinUp(id::Aux2DelaySpin);
    ui.spinUp(id::Aux2DistanceSpin);
    EXPECT_EQ(image.get(sys::aux2Delay), 2);
    EXPECT_EQ(image.get(sys::aux1Delay), 2);
    EXPECT_EQ(ui.text(id::Aux2DistanceField), "0.3m");
    EXPECT_EQ(channel.last(), "(01$007025002)");
}

TEST_F(SystemSettingsTest, PhaseUpShowsReverse)
{
    ui.spinUp(id::SubwooferPhaseSpin);
    EXPECT_EQ(ui.text(id::SubwooferPhaseField), "Reverse");
    EXPECT_EQ(channel.last(), "(01$007012001)");
}

TEST_F(SystemSettingsTest, HighPassRangeAndTexts)
{
    store(sys::subHighPass, 1);
    EXPECT_EQ(ui.text(id::SubwooferHighPassField), "20.0Hz");
    ui.spinDown(id::SubwooferHighPassSpin);
    EXPECT_EQ(ui.text(id::SubwooferHighPassField), "OFF");
    EXPECT_EQ(channel.last(), "(01$007010000)");
    store(sys::subHighPass, 25);
    ui.spinUp(id::SubwooferHighPassSpin);
    EXPECT_EQ(ui.text(id::SubwooferHighPassField), "80.0Hz");
    EXPECT_EQ(image.get(sys::subHighPass), 25);
    EXPECT_EQ(channel.last(), "(01$007010025)");
}

TEST_F(SystemSettingsTest, LowPassBounds)
{
    ui.spinDown(id::SubwooferLowPassSpin);  // at 25
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "80.0Hz");
    EXPECT_EQ(image.get(sys::subLowPass), 25);
    EXPECT_EQ(channel.last(), "(01$007011025)");
    ui.spinUp(id::SubwooferLowPassSpin);
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "85.0Hz");
    store(sys::subLowPass, 50);
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "335.0Hz");
    ui.spinUp(id::SubwooferLowPassSpin);
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "335.0Hz");
    EXPECT_EQ(channel.last(), "(01$007011050)");
    store(sys::subLowPass, 10);  // from a file: shown as it is, the down arrow does nothing below the range
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "33.5Hz");
    ui.spinDown(id::SubwooferLowPassSpin);
    EXPECT_EQ(image.get(sys::subLowPass), 10);
    ui.spinUp(id::SubwooferLowPassSpin);
    EXPECT_EQ(image.get(sys::subLowPass), 11);
    EXPECT_EQ(ui.text(id::SubwooferLowPassField), "35.5Hz");
}

TEST_F(SystemSettingsTest, AttenuationDownArrowWalksToMuteAndUpArrowBack)
{
    std::vector<QString> shown;
    for (int i = 0; i < 6; ++i) {
        ui.spinDown(id::SubwooferAutoAttenuationSpin);
        shown.push_back(ui.text(id::SubwooferAutoAttenuationField));
    }
    EXPECT_EQ(shown, (std::vector<QString>{"-3dB", "-6dB", "-9dB", "-12dB", "MUTE", "MUTE"}));
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 5);
    EXPECT_EQ(channel.last(), "(01$007013005)");
    shown.clear();
    for (int i = 0; i < 6; ++i) {
        ui.spinUp(id::SubwooferAutoAttenuationSpin);
        shown.push_back(ui.text(id::SubwooferAutoAttenuationField));
    }
    EXPECT_EQ(shown, (std::vector<QString>{"-12dB", "-9dB", "-6dB", "-3dB", "OFF", "OFF"}));
    EXPECT_EQ(channel.last(), "(01$007013000)");
}

TEST_F(SystemSettingsTest, AttenuationSpinLowersOnItsUpArrowOtherSpinsOnTheirDownArrow)
{
    store(sys::subAutoAttenuation, 3);
    emit ui.find<SpinArrows>(id::SubwooferAutoAttenuationSpin)->stepped(SpinDirection::Up);
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 2);
    emit ui.find<SpinArrows>(id::DisplayContrastSpin)->stepped(SpinDirection::Down);
    EXPECT_EQ(image.get(glb::displayContrast), 0);
}

TEST_F(SystemSettingsTest, OnlyTheCrossoverSpinsRedrawTheGraph)
{
    int expected = ui.redraws();
    for (int spin : {id::EffectProgramSpin, id::PanelLockSpin, id::DisplayContrastSpin, id::Aux1DelaySpin,
                     id::Aux1DistanceSpin, id::Aux2DelaySpin, id::Aux2DistanceSpin, id::SubwooferPhaseSpin,
                     id::SubwooferAutoAttenuationSpin})
        ui.spinUp(spin);
    EXPECT_EQ(ui.redraws(), expected);
    ui.spinUp(id::SubwooferHighPassSpin);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinDown(id::SubwooferLowPassSpin);  // also at its bound
    EXPECT_EQ(ui.redraws(), ++expected);
}

TEST_F(SystemSettingsTest, EasySetAndRefreshLeaveTheSettingsAlone)
{
    ui.spinUp(id::PanelLockSpin);
    ui.find<QLineEdit>(id::PanelLockField)->setText("typed");  // typing into a read-out is allowed, never read
    image.set(glb::controlMode, 0);
    page.applyControlMode();
    EXPECT_EQ(ui.text(id::PanelLockField), "typed");
    for (int field : {id::EffectProgramField, id::PanelLockField, id::DisplayContrastField, id::Aux1DelayField,
                      id::SubwooferPhaseField, id::SubwooferHighPassField, id::SubwooferLowPassField,
                      id::SubwooferAutoAttenuationField})
        EXPECT_TRUE(ui.enabled(field)) << field;
    image.set(glb::controlMode, 1);
    page.applyControlMode();
    EXPECT_EQ(ui.text(id::PanelLockField), "ON ");
}

TEST_F(SystemSettingsTest, NothingIsSentWhileDisconnected)
{
    channel.isConnected = false;
    ui.spinUp(id::PanelLockSpin);
    ui.spinUp(id::EffectProgramSpin);
    ui.spinDown(id::SubwooferAutoAttenuationSpin);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(image.get(glb::panelLock), 1);
    EXPECT_EQ(image.get(glb::effectProgram), 1);
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 1);
    EXPECT_EQ(ui.text(id::SubwooferAutoAttenuationField), "-3dB");
}

}  // namespace
}  // namespace tonel::testing

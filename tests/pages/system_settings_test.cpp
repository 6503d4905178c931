// The System page's settings: program, panel lock, contrast, delays and the subwoofer.
#include "model/Fields.h"
#include "pages/SystemPage.h"
#include "tests/pages/PageFixture.h"

#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace sys = fields::system;
namespace glb = fields::global;

class SystemSettingsTest : public PageFixture<SystemPage> {
protected:
    void store(std::size_t offset, int byte) { load({{offset, byte}}); }
};

TEST_F(SystemSettingsTest, ShowsTheDefaults)
{
    const std::pair<int, const char*> expected[] = {
        {1012, "甜美"}, {1079, "OFF"},  {1081, "1"},      {1083, "0.0ms"}, {1085, "0.0m"}, {1087, "0.0ms"},
        {1089, "0.0m"}, {1190, "Normal"}, {1191, "OFF"}, {1198, "80.0Hz"}, {1192, "OFF"},
    };
    for (auto [field, text] : expected)
        EXPECT_EQ(ui.text(field), QString::fromUtf8(text)) << field;
}

// Each field at its rectangle x2, with its spin in the field's right 16 pixels.
TEST_F(SystemSettingsTest, FieldsAndSpinsStandAtTheirRectangles)
{
    struct Case { int field, spin, x, y, w; };
    const Case cases[] = {
        {1012, 1078, 461, 11, 41}, {1079, 1080, 461, 26, 41},  {1081, 1082, 461, 41, 41},
        {1083, 1084, 442, 77, 49}, {1085, 1086, 442, 91, 49},  {1087, 1088, 442, 108, 49},
        {1089, 1090, 442, 122, 49}, {1190, 1194, 452, 172, 40}, {1191, 1195, 452, 201, 41},
        {1198, 1196, 452, 229, 42}, {1192, 1197, 452, 257, 41},
    };
    for (const Case& c : cases) {
        const int right = 2 * (c.x + c.w);
        EXPECT_EQ(ui.find(c.field)->geometry(), QRect(2 * c.x, 2 * c.y, 2 * c.w - 16, 24)) << c.field;
        EXPECT_EQ(ui.find(c.spin)->geometry(), QRect(right - 16, 2 * c.y, 16, 24)) << c.spin;
    }
}

TEST_F(SystemSettingsTest, EffectProgramStopsAtTheThirdAndResends)
{
    const int before = ui.redraws();
    ui.spinUp(1078);
    EXPECT_EQ(ui.text(1012), "豪迈");
    EXPECT_EQ(channel.last(), "(01$001000001)");
    ui.spinUp(1078);
    EXPECT_EQ(ui.text(1012), "激情");
    ui.spinUp(1078);
    EXPECT_EQ(ui.text(1012), "激情");
    EXPECT_EQ(image.get(glb::effectProgram), 2);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$001000001)", "(01$001000002)", "(01$001000002)"}));
    EXPECT_EQ(ui.redraws(), before);
}

TEST_F(SystemSettingsTest, PanelLockSendsItsLiteralCommands)
{
    ui.spinUp(1080);
    EXPECT_EQ(ui.text(1079), "ON ");
    EXPECT_EQ(channel.last(), "(01CD)");
    ui.spinDown(1080);
    ui.spinDown(1080);  // at 0: stays OFF and sends again
    EXPECT_EQ(ui.text(1079), "OFF");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01CD)", "(01CE)", "(01CE)"}));
}

TEST_F(SystemSettingsTest, ContrastSendsTheDigitOfTheByte)
{
    ui.spinDown(1082);
    EXPECT_EQ(ui.text(1081), "0");
    EXPECT_EQ(channel.last(), "(01T0)");
    for (int i = 0; i < 4; ++i)
        ui.spinUp(1082);
    EXPECT_EQ(ui.text(1081), "3");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01T0)", "(01T1)", "(01T2)", "(01T3)", "(01T3)"}));
}

TEST_F(SystemSettingsTest, NothingIsSentForALockOrContrastOutsideItsList)
{
    store(glb::panelLock, 7);
    store(glb::displayContrast, 9);
    ui.spinUp(1080);   // above its maximum: stays 7
    ui.spinDown(1080); // one step back towards the range, still outside
    EXPECT_EQ(image.get(glb::panelLock), 6);
    ui.spinUp(1082);
    ui.spinDown(1082);
    EXPECT_EQ(image.get(glb::displayContrast), 8);
    EXPECT_EQ(ui.text(1081), "8");
    EXPECT_TRUE(channel.sent.empty());
    store(glb::displayContrast, 4);
    ui.spinDown(1082);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01T3)"}));
}

TEST_F(SystemSettingsTest, StoredValuesOutsideTheListsShowEmptyFields)
{
    store(glb::effectProgram, 3);
    store(glb::panelLock, 2);
    store(sys::subPhase, 200);
    EXPECT_EQ(ui.text(1012), "");
    EXPECT_EQ(ui.text(1079), "");
    EXPECT_EQ(ui.text(1190), "");
    ui.spinDown(1078);
    EXPECT_EQ(ui.text(1012), "激情");
    EXPECT_EQ(channel.last(), "(01$001000002)");
}

TEST_F(SystemSettingsTest, DelayTextsInMillisecondsAndMetres)
{
    struct Case { int byte; const char* ms; const char* m; };
    for (const Case& c : {Case{0, "0.0ms", "0.0m"}, Case{1, "0.5ms", "0.2m"}, Case{100, "50.0ms", "17.0m"}}) {
        store(sys::aux2Delay, c.byte);
        EXPECT_EQ(ui.text(1087), c.ms) << c.byte;
        EXPECT_EQ(ui.text(1089), c.m) << c.byte;
    }
    ui.spinUp(1090);  // at 100: unchanged, sent again
    EXPECT_EQ(image.get(sys::aux2Delay), 100);
    EXPECT_EQ(channel.last(), "(01$007025100)");
}

TEST_F(SystemSettingsTest, BothDelaySpinsStepTheSameByteAndRewriteBothFields)
{
    ui.spinUp(1084);
    EXPECT_EQ(image.get(sys::aux1Delay), 1);
    EXPECT_EQ(ui.text(1083), "0.5ms");
    EXPECT_EQ(ui.text(1085), "0.2m");
    ui.spinUp(1086);
    EXPECT_EQ(image.get(sys::aux1Delay), 2);
    EXPECT_EQ(ui.text(1083), "1.0ms");
    EXPECT_EQ(ui.text(1085), "0.3m");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"(01$007023001)", "(01$007023002)"}));
    ui.spinUp(1088);
    ui.spinUp(1090);
    EXPECT_EQ(image.get(sys::aux2Delay), 2);
    EXPECT_EQ(image.get(sys::aux1Delay), 2);
    EXPECT_EQ(ui.text(1089), "0.3m");
    EXPECT_EQ(channel.last(), "(01$007025002)");
}

TEST_F(SystemSettingsTest, PhaseUpShowsReverse)
{
    ui.spinUp(1194);
    EXPECT_EQ(ui.text(1190), "Reverse");
    EXPECT_EQ(channel.last(), "(01$007012001)");
}

TEST_F(SystemSettingsTest, HighPassRangeAndTexts)
{
    store(sys::subHighPass, 1);
    EXPECT_EQ(ui.text(1191), "20.0Hz");
    ui.spinDown(1195);
    EXPECT_EQ(ui.text(1191), "OFF");
    EXPECT_EQ(channel.last(), "(01$007010000)");
    store(sys::subHighPass, 25);
    ui.spinUp(1195);
    EXPECT_EQ(ui.text(1191), "80.0Hz");
    EXPECT_EQ(image.get(sys::subHighPass), 25);
    EXPECT_EQ(channel.last(), "(01$007010025)");
}

TEST_F(SystemSettingsTest, LowPassBounds)
{
    ui.spinDown(1196);  // at 25
    EXPECT_EQ(ui.text(1198), "80.0Hz");
    EXPECT_EQ(image.get(sys::subLowPass), 25);
    EXPECT_EQ(channel.last(), "(01$007011025)");
    ui.spinUp(1196);
    EXPECT_EQ(ui.text(1198), "85.0Hz");
    store(sys::subLowPass, 50);
    EXPECT_EQ(ui.text(1198), "335.0Hz");
    ui.spinUp(1196);
    EXPECT_EQ(ui.text(1198), "335.0Hz");
    EXPECT_EQ(channel.last(), "(01$007011050)");
    store(sys::subLowPass, 10);  // from a file: shown as it is, the down arrow does nothing below the range
    EXPECT_EQ(ui.text(1198), "33.5Hz");
    ui.spinDown(1196);
    EXPECT_EQ(image.get(sys::subLowPass), 10);
    ui.spinUp(1196);
    EXPECT_EQ(image.get(sys::subLowPass), 11);
    EXPECT_EQ(ui.text(1198), "35.5Hz");
}

TEST_F(SystemSettingsTest, AttenuationDownArrowWalksToMuteAndUpArrowBack)
{
    std::vector<QString> shown;
    for (int i = 0; i < 6; ++i) {
        ui.spinDown(1197);
        shown.push_back(ui.text(1192));
    }
    EXPECT_EQ(shown, (std::vector<QString>{"-3dB", "-6dB", "-9dB", "-12dB", "MUTE", "MUTE"}));
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 5);
    EXPECT_EQ(channel.last(), "(01$007013005)");
    shown.clear();
    for (int i = 0; i < 6; ++i) {
        ui.spinUp(1197);
        shown.push_back(ui.text(1192));
    }
    EXPECT_EQ(shown, (std::vector<QString>{"-12dB", "-9dB", "-6dB", "-3dB", "OFF", "OFF"}));
    EXPECT_EQ(channel.last(), "(01$007013000)");
}

TEST_F(SystemSettingsTest, AttenuationSpinLowersOnItsUpArrowOtherSpinsOnTheirDownArrow)
{
    store(sys::subAutoAttenuation, 3);
    emit ui.find<SpinArrows>(1197)->stepped(SpinDirection::Up);
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 2);
    emit ui.find<SpinArrows>(1082)->stepped(SpinDirection::Down);
    EXPECT_EQ(image.get(glb::displayContrast), 0);
}

TEST_F(SystemSettingsTest, OnlyTheCrossoverSpinsRedrawTheGraph)
{
    int expected = ui.redraws();
    for (int spin : {1078, 1080, 1082, 1084, 1086, 1088, 1090, 1194, 1197})
        ui.spinUp(spin);
    EXPECT_EQ(ui.redraws(), expected);
    ui.spinUp(1195);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinDown(1196);  // also at its bound
    EXPECT_EQ(ui.redraws(), ++expected);
}

TEST_F(SystemSettingsTest, EasySetAndRefreshLeaveTheSettingsAlone)
{
    ui.spinUp(1080);
    ui.find<QLineEdit>(1079)->setText("typed");  // typing into a read-out is allowed, never read
    image.set(glb::controlMode, 0);
    page.applyControlMode();
    EXPECT_EQ(ui.text(1079), "typed");
    for (int id : {1012, 1079, 1081, 1083, 1190, 1191, 1198, 1192})
        EXPECT_TRUE(ui.enabled(id)) << id;
    image.set(glb::controlMode, 1);
    page.applyControlMode();
    EXPECT_EQ(ui.text(1079), "ON ");
}

TEST_F(SystemSettingsTest, NothingIsSentWhileDisconnected)
{
    channel.isConnected = false;
    ui.spinUp(1080);
    ui.spinUp(1078);
    ui.spinDown(1197);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(image.get(glb::panelLock), 1);
    EXPECT_EQ(image.get(glb::effectProgram), 1);
    EXPECT_EQ(image.get(sys::subAutoAttenuation), 1);
    EXPECT_EQ(ui.text(1192), "-3dB");
}

}  // namespace
}  // namespace tonel::testing

// The Microphone page: its texts, the maximum-level bound, the microphone link and its graph.
#include "model/Fields.h"
#include "pages/MicrophonePage.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace mic = fields::mic;
using Sent = std::vector<std::string>;

class MicPageTest : public PageFixture<WithCurves<MicrophonePage>> {
protected:
    void setLink(int on) { load({{mic::link, on}}); }
};

TEST_F(MicPageTest, ShowsTheDefaults)
{
    EXPECT_EQ(ui.text(1093), "39");
    EXPECT_EQ(ui.position(1094), 11);
    EXPECT_EQ(ui.text(1154), "50");
    EXPECT_EQ(ui.position(1157), 0);
    EXPECT_EQ(ui.text(1162), "50");
    EXPECT_EQ(ui.text(1170), "OFF");
    EXPECT_EQ(ui.text(1171), " ON");
    EXPECT_EQ(ui.text(1172), "OFF");
    EXPECT_EQ(ui.text(1173), "OFF");
    EXPECT_EQ(ui.text(1174), " ON");
    EXPECT_EQ(ui.text(1175), "FB.EX0");
    EXPECT_EQ(ui.text(1158), "1.00KHz");
    EXPECT_EQ(ui.text(1122), "118.00Hz");
    EXPECT_EQ(ui.text(1150), "3.15KHz");
    EXPECT_EQ(ui.text(1123), "4.33");
    EXPECT_EQ(ui.caption(1124), "Lo-shelf");
    EXPECT_EQ(ui.caption(1152), "Hi-shelf");
    EXPECT_EQ(ui.caption(1116), "Peaking");
}

TEST_F(MicPageTest, MainLevelNeverRisesAboveTheMaximum)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 30}});
    ui.moveSlider(1094, 19);  // 31
    EXPECT_EQ(image.get(mic::mainLevel), 30);
    EXPECT_EQ(ui.position(1094), 20);
    EXPECT_EQ(ui.text(1093), "30");
    EXPECT_TRUE(channel.sent.empty());
    ui.moveSlider(1094, 21);  // lowering is allowed
    EXPECT_EQ(channel.sent, Sent{"(01$005000029)"});
}

TEST_F(MicPageTest, LoweringTheMaximumPullsTheMainLevelDownWithoutSendingIt)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 30}});
    ui.spinDown(1164);
    EXPECT_EQ(image.get(mic::maxLevel), 29);
    EXPECT_EQ(image.get(mic::mainLevel), 29);
    EXPECT_EQ(ui.position(1094), 21);
    EXPECT_EQ(ui.text(1093), "29");
    EXPECT_EQ(ui.text(1162), "29");
    EXPECT_EQ(channel.sent, Sent{"(01$005001029)"});
}

TEST_F(MicPageTest, AMainLevelAboveTheMaximumFromAFileFollowsTheFirstDownClick)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 10}});
    EXPECT_EQ(ui.position(1094), 20);
    ui.spinDown(1164);
    EXPECT_EQ(image.get(mic::maxLevel), 9);
    EXPECT_EQ(image.get(mic::mainLevel), 9);
    EXPECT_EQ(ui.text(1093), "9");
    EXPECT_EQ(channel.sent, Sent{"(01$005001009)"});
}

TEST_F(MicPageTest, RaisingTheMaximumLeavesTheMainLevel)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 30}});
    ui.spinUp(1164);
    EXPECT_EQ(image.get(mic::maxLevel), 31);
    EXPECT_EQ(image.get(mic::mainLevel), 30);
    EXPECT_EQ(channel.sent, Sent{"(01$005001031)"});
}

TEST_F(MicPageTest, LinkOnCopiesMicrophoneOneAndRefreshes)
{
    image.setBand(mic::micEq(0), {5, 40, 30, 10});
    image.setBand(mic::micEq(1), {3, 90, 10, 60});
    load({{mic::link, 0}, {mic::inputGain(0), 20}, {mic::inputGain(1), 45}});
    const int redraws = ui.redraws();
    ui.spinUp(1169);
    EXPECT_EQ(image.get(mic::link), 1);
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{5, 40, 30, 10}));
    EXPECT_EQ(image.get(mic::inputGain(1)), 20);
    EXPECT_EQ(ui.text(1174), " ON");
    EXPECT_EQ(ui.caption(1117), "Notch");
    EXPECT_EQ(ui.text(1160), "190.00Hz");
    EXPECT_EQ(ui.text(1161), "0.55");
    EXPECT_EQ(ui.text(1156), "20");
    EXPECT_EQ(ui.position(1157), 30);
    EXPECT_GT(ui.redraws(), redraws);
    EXPECT_EQ(channel.sent, Sent{"(01$005002001)"});
}

TEST_F(MicPageTest, LinkUpWhileOnCopiesNothingButResends)
{
    image.setBand(mic::micEq(1), {3, 90, 10, 60});
    load({{mic::inputGain(1), 45}});
    ui.spinUp(1169);
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{3, 90, 10, 60}));
    EXPECT_EQ(image.get(mic::inputGain(1)), 45);
    EXPECT_EQ(channel.sent, Sent{"(01$005002001)"});
}

TEST_F(MicPageTest, LinkOffCopiesNothing)
{
    image.setBand(mic::micEq(1), {3, 90, 10, 60});
    load({{mic::inputGain(1), 45}});
    ui.spinDown(1169);
    EXPECT_EQ(image.get(mic::link), 0);
    EXPECT_EQ(ui.text(1174), "OFF");
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{3, 90, 10, 60}));
    EXPECT_EQ(channel.sent, Sent{"(01$005002000)"});
    ui.spinDown(1169);  // at its bound: sent again
    EXPECT_EQ(channel.sent, (Sent{"(01$005002000)", "(01$005002000)"}));
}

TEST_F(MicPageTest, LinkedTypedFrequencyChangesBothBandsAndSendsOnlyItsOwn)
{
    ui.typeFrequency(1160, "2.5k");
    EXPECT_EQ(image.get(mic::micEq(1) + 1), 85);
    EXPECT_EQ(image.get(mic::micEq(0) + 1), 85);
    EXPECT_EQ(ui.text(1160), "2.50KHz");
    EXPECT_EQ(ui.text(1158), "2.50KHz");
    EXPECT_EQ(channel.sent, Sent{"(01$008101001085024046)"});
}

// Every way of changing a microphone band, on either band, while linked.
TEST_F(MicPageTest, LinkedMicrophoneBandChangesAreCopiedButNotSent)
{
    struct Column { int gainSlider, freqField, freqSpin, qSpin, typeButton; std::size_t own, other; const char* item; };
    const Column columns[] = {{1110, 1158, 1113, 1114, 1116, mic::micEq(0), mic::micEq(1), "(01$008100"},
                              {1111, 1160, 1112, 1115, 1117, mic::micEq(1), mic::micEq(0), "(01$008101"}};
    for (const Column& c : columns) {
        const std::function<void()> actions[] = {
            [&] { ui.moveSlider(c.gainSlider, 3); }, [&] { ui.spinUp(c.freqSpin); },
            [&] { ui.spinDown(c.qSpin); },           [&] { ui.click(c.typeButton); },
            [&] { ui.typeFrequency(c.freqField, "300"); },
        };
        for (std::size_t a = 0; a < std::size(actions); ++a) {
            image.resetToDefaults();
            image.setBand(c.other, {5, 10, 0, 2});
            page.refreshFromImage();
            channel.sent.clear();
            actions[a]();
            EXPECT_EQ(image.band(c.other), image.band(c.own)) << c.item << " action " << a;
            EXPECT_NE(image.band(c.own), (EqBand{1, 69, 24, 46})) << c.item << " action " << a;
            ASSERT_EQ(channel.sent.size(), 1u) << c.item << " action " << a;
            EXPECT_EQ(channel.sent[0].substr(0, 10), c.item) << " action " << a;
        }
    }
}

TEST_F(MicPageTest, UnlinkedMicrophoneBandsStayApart)
{
    setLink(0);
    ui.spinUp(1113);
    ui.moveSlider(1155, 5);
    EXPECT_EQ(image.get(mic::micEq(0) + 1), 70);
    EXPECT_EQ(image.get(mic::micEq(1) + 1), 69);
    EXPECT_EQ(image.get(mic::inputGain(0)), 45);
    EXPECT_EQ(image.get(mic::inputGain(1)), 50);
    EXPECT_EQ(channel.sent, (Sent{"(01$008100001070024046)", "(01$005003045)"}));
}

TEST_F(MicPageTest, SharedBandsAreNeverCopied)
{
    image.setBand(mic::eq(1), {2, 30, 20, 5});
    page.refreshFromImage();
    ui.spinUp(1120);
    ui.click(1124);
    EXPECT_EQ(image.band(mic::micEq(0)), (EqBand{1, 69, 24, 46}));
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{1, 69, 24, 46}));
    EXPECT_EQ(image.band(mic::eq(1)), (EqBand{2, 30, 20, 5}));
    EXPECT_EQ(channel.sent, (Sent{"(01$008102004033024046)", "(01$008102005033024046)"}));
}

TEST_F(MicPageTest, LinkedInputGainMoveCopiesAndSendsOnlyTheMovedSlider)
{
    ui.moveSlider(1157, 10);
    EXPECT_EQ(image.get(mic::inputGain(1)), 40);
    EXPECT_EQ(image.get(mic::inputGain(0)), 40);
    EXPECT_EQ(ui.position(1155), 10);
    EXPECT_EQ(ui.text(1154), "40");
    EXPECT_EQ(channel.sent, Sent{"(01$005004040)"});
    ui.moveSlider(1155, 2);
    EXPECT_EQ(image.get(mic::inputGain(1)), 48);
    EXPECT_EQ(ui.text(1156), "48");
    EXPECT_EQ(channel.sent.back(), "(01$005003048)");
}

TEST_F(MicPageTest, QSpinsStopAtOneOnMicrophoneBandsAndZeroOnSharedBands)
{
    load({{mic::micEq(0) + 3, 1}, {mic::eq(0) + 3, 1}});
    ui.spinDown(1121);
    EXPECT_EQ(image.get(mic::eq(0) + 3), 0);
    EXPECT_EQ(ui.text(1123), "0.31");
    ui.spinDown(1121);
    EXPECT_EQ(image.get(mic::eq(0) + 3), 0);
    ui.spinDown(1114);
    EXPECT_EQ(image.get(mic::micEq(0) + 3), 1);
    EXPECT_EQ(ui.text(1159), "0.32");
    EXPECT_EQ(channel.sent.back(), "(01$008100001069024001)");
}

TEST_F(MicPageTest, FeedbackSpinStopsAtThreeAndPadsWithBlanks)
{
    load({{mic::feedback, 3}});
    EXPECT_EQ(ui.text(1175), "FB.EX3");
    ui.spinUp(1176);
    EXPECT_EQ(image.get(mic::feedback), 3);
    EXPECT_EQ(ui.text(1175), "FB.EX3");
    EXPECT_EQ(channel.sent, Sent{"(01$003000  3)"});
    ui.spinDown(1176);
    EXPECT_EQ(ui.text(1175), "FB.EX2");
    EXPECT_EQ(channel.sent.back(), "(01$003000  2)");
}

TEST_F(MicPageTest, FeedbackByteBeyondTheModesShowsItsNumber)
{
    load({{mic::feedback, 200}});
    EXPECT_EQ(ui.text(1175), "FB.EX200");
    ui.spinUp(1176);
    EXPECT_EQ(image.get(mic::feedback), 200);
    ui.spinDown(1176);
    EXPECT_EQ(ui.text(1175), "FB.EX199");
    EXPECT_EQ(channel.sent, (Sent{"(01$003000200)", "(01$003000199)"}));
}

TEST_F(MicPageTest, SwitchTextsHaveALeadingBlank)
{
    struct Case { int spin, field; std::size_t byte; };
    for (const Case& c : {Case{1165, 1170, mic::exciter}, Case{1166, 1171, mic::noiseGate}, Case{1168, 1173, mic::autoGain}}) {
        ui.spinUp(c.spin);
        EXPECT_EQ(ui.text(c.field), " ON") << c.spin;
        EXPECT_EQ(image.get(c.byte), 1) << c.spin;
        ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), "OFF") << c.spin;
        load({{c.byte, 7}});
        EXPECT_EQ(ui.text(c.field), "OFF") << c.spin;
        load({{c.byte, 1}});
        EXPECT_EQ(ui.text(c.field), " ON") << c.spin;
    }
}

TEST_F(MicPageTest, LimiterTexts)
{
    struct Case { int byte; const char* text; };
    for (const Case& c : {Case{25, "OFF"}, Case{0, "-18dBV"}, Case{18, "0dBV"}, Case{24, "6dBV"}, Case{30, "12dBV"}}) {
        load({{mic::limiter, c.byte}});
        EXPECT_EQ(ui.text(1172), c.text) << c.byte;
    }
    load({{mic::limiter, 25}});
    ui.spinUp(1167);
    EXPECT_EQ(image.get(mic::limiter), 25);
    ui.spinDown(1167);
    EXPECT_EQ(ui.text(1172), "6dBV");
    EXPECT_EQ(channel.sent, (Sent{"(01$005008025)", "(01$005008024)"}));
}

TEST_F(MicPageTest, MicrophoneBandRefreshEnablingInTheFullSet)
{
    image.set(fields::global::controlMode, 1);
    image.setBand(mic::micEq(0), {ByPass, 69, 24, 46});
    image.setBand(mic::micEq(1), {HiShelf, 69, 24, 46});
    page.refreshMicBands();
    EXPECT_TRUE(ui.enabled(1116));
    EXPECT_TRUE(ui.enabled(1117));
    for (int id : {1108, 1110, 1158, 1159})  // byPass: nothing
        EXPECT_FALSE(ui.enabled(id)) << id;
    for (int id : {1109, 1111, 1160})
        EXPECT_TRUE(ui.enabled(id)) << id;
    EXPECT_FALSE(ui.enabled(1161));  // a shelf has no Q
    EXPECT_EQ(ui.caption(1116), "byPass");
    EXPECT_EQ(ui.caption(1117), "Hi-shelf");
}

TEST_F(MicPageTest, MicrophoneBandRefreshEnablingInTheEasySet)
{
    image.set(fields::global::controlMode, 0);
    image.setBand(mic::micEq(0), {Peaking, 69, 24, 46});
    image.setBand(mic::micEq(1), {Notch, 69, 24, 46});
    page.applyControlMode();
    page.refreshMicBands();
    EXPECT_FALSE(ui.enabled(1116));
    EXPECT_FALSE(ui.enabled(1117));
    // The Full-set enabling of the type is applied on top of the Easy set.
    for (int id : {1108, 1110, 1158, 1159})
        EXPECT_TRUE(ui.enabled(id)) << id;
    EXPECT_FALSE(ui.enabled(1109));
    EXPECT_FALSE(ui.enabled(1111));
    EXPECT_TRUE(ui.enabled(1160));
    EXPECT_TRUE(ui.enabled(1161));
    EXPECT_EQ(ui.caption(1117), "Notch");
    // The shared bands keep the Easy set.
    EXPECT_FALSE(ui.enabled(1122));
    EXPECT_FALSE(ui.enabled(1124));
}

TEST_F(MicPageTest, LinkedChangeInTheEasySetRefreshesTheMicrophoneEnabling)
{
    image.set(fields::global::controlMode, 0);
    page.applyControlMode();
    EXPECT_FALSE(ui.enabled(1160));
    ui.moveSlider(1110, 4);
    EXPECT_EQ(ui.text(1109), "8");
    EXPECT_EQ(ui.position(1111), 4);
    EXPECT_TRUE(ui.enabled(1160));  // Peaking: frequency enabled by the Full-set table
    EXPECT_FALSE(ui.enabled(1117));
}

TEST_F(MicPageTest, MicrophoneSpinsShowOneDecimalWhenUnlinked)
{
    setLink(0);
    struct Case { int spin, field; std::size_t byte; int start; bool up; const char* text; };
    const Case cases[] = {
        {1113, 1158, mic::micEq(0) + 1, 68, true, "1.0KHz"},   {1113, 1158, mic::micEq(0) + 1, 30, true, "112.0Hz"},
        {1113, 1158, mic::micEq(0) + 1, 70, false, "1.0KHz"},  {1113, 1158, mic::micEq(0) + 1, 69, false, "950.0Hz"},
        {1112, 1160, mic::micEq(1) + 1, 68, true, "1.00KHz"},  {1112, 1160, mic::micEq(1) + 1, 30, true, "112.0Hz"},
        {1112, 1160, mic::micEq(1) + 1, 70, false, "1.0KHz"},  {1112, 1160, mic::micEq(1) + 1, 69, false, "950.0Hz"},
        {1112, 1160, mic::micEq(1) + 1, 89, true, "3.35KHz"},  {1113, 1158, mic::micEq(0) + 1, 89, true, "3.4KHz"},
        {1120, 1122, mic::eq(0) + 1, 68, true, "1.00KHz"},     {1120, 1122, mic::eq(0) + 1, 69, false, "950.00Hz"},
        {1144, 1141, mic::eq(3) + 1, 89, true, "3.35KHz"},
    };
    for (const Case& c : cases) {
        load({{c.byte, c.start}});
        c.up ? ui.spinUp(c.spin) : ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), c.text) << c.spin << " from " << c.start;
    }
    page.refreshFromImage();
    EXPECT_EQ(ui.text(1158), "3.35KHz");
}

TEST_F(MicPageTest, LinkedSpinsShowTheRefreshedTwoDecimalForm)
{
    ui.spinUp(1113);  // the link's band refresh rewrites both fields
    EXPECT_EQ(ui.text(1158), "1.06KHz");
    EXPECT_EQ(ui.text(1160), "1.06KHz");
}

TEST_F(MicPageTest, NothingIsSentWhileDisconnectedButTheImageChanges)
{
    channel.isConnected = false;
    ui.moveSlider(1096, 5);
    ui.spinUp(1176);
    ui.click(1131);
    ui.spinDown(1164);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(image.get(mic::sendLR), 45);
    EXPECT_EQ(image.get(mic::feedback), 1);
    EXPECT_EQ(image.get(mic::eq(1)), 3);
    EXPECT_EQ(image.get(mic::maxLevel), 49);
}

TEST_F(MicPageTest, ThreeCurvesSharedThenMicrophoneTwoThenOne)
{
    image.setBand(mic::micEq(0), {1, 20, 30, 40});
    image.setBand(mic::micEq(1), {3, 121, 10, 5});
    const std::vector<EqCurve> curves = page.curves();
    ASSERT_EQ(curves.size(), 3u);
    EXPECT_EQ(curves[0].colour, QColor(255, 255, 0));
    EXPECT_EQ(curves[0].labels, (std::vector<QString>{"2", "3", "4", "5", "6"}));
    ASSERT_EQ(curves[0].bands.size(), 5u);
    EXPECT_EQ(curves[0].bands[0], image.band(mic::eq(0)));
    EXPECT_EQ(curves[0].bands[4], image.band(mic::eq(4)));
    EXPECT_EQ(curves[1].colour, QColor(0, 0, 255));
    EXPECT_EQ(curves[1].labels, std::vector<QString>{"MIC2"});
    EXPECT_EQ(curves[1].bands, std::vector<EqBand>{image.band(mic::micEq(1))});
    EXPECT_EQ(curves[2].colour, QColor(0, 255, 0));
    EXPECT_EQ(curves[2].labels, std::vector<QString>{"MIC1"});
    EXPECT_EQ(curves[2].bands, std::vector<EqBand>{image.band(mic::micEq(0))});
    for (const EqCurve& c : curves) {
        EXPECT_EQ(c.handleLeftOffset, 3);
        EXPECT_TRUE(c.handleFurtherLeftAtTopFrequency);
        EXPECT_DOUBLE_EQ(c.xShift, -1.5);
    }
}

TEST_F(MicPageTest, GraphRedrawsOnBandChangesAndMouseMovesOnly)
{
    const int before = ui.redraws();
    ui.moveSlider(1094, 20);
    ui.moveSlider(1155, 3);
    ui.spinUp(1165);
    EXPECT_EQ(ui.redraws(), before + 1);  // the linked input gain refreshes the microphones
    setLink(0);
    const int unlinked = ui.redraws();
    ui.moveSlider(1157, 3);
    ui.spinUp(1176);
    EXPECT_EQ(ui.redraws(), unlinked);
    ui.spinUp(1148);
    ui.click(1116);
    EXPECT_EQ(ui.redraws(), unlinked + 2);
    ui.expectRedrawOnEveryMouseMove("tonel::MicrophonePage");
}

}  // namespace
}  // namespace tonel::testing

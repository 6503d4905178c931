// The Microphone page: its texts, the maximum-level bound, the microphone link and its graph.
#include "model/Fields.h"
#include "pages/MicrophonePage.h"
#include "res/MicrophoneControls.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace mic = fields::mic;
using namespace res::mic;
using Sent = std::vector<std::string>;

class MicPageTest : public PageFixture<WithCurves<MicrophonePage>> {
protected:
    void setLink(int on) { load({{mic::link, on}}); }
};

TEST_F(MicPageTest, ShowsTheDefaults)
{
    EXPECT_EQ(ui.text(MainLevelField), "39");
    EXPECT_EQ(ui.position(MainLevelSlider), 11);
    EXPECT_EQ(ui.text(Mic1InputGainField), "50");
    EXPECT_EQ(ui.position(Mic2InputGainSlider), 0);
    EXPECT_EQ(ui.text(MaxLevelField), "50");
    EXPECT_EQ(ui.text(ExciterField), "OFF");
    EXPECT_EQ(ui.text(NoiseGateField), " ON");
    EXPECT_EQ(ui.text(LimiterField), "OFF");
    EXPECT_EQ(ui.text(AutoGainField), "OFF");
    EXPECT_EQ(ui.text(MicLinkField), " ON");
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX0");
    EXPECT_EQ(ui.text(Mic1BandFreqField), "1.00KHz");
    EXPECT_EQ(ui.text(SharedBand1FreqField), "118.00Hz");
    EXPECT_EQ(ui.text(SharedBand5FreqField), "3.15KHz");
    EXPECT_EQ(ui.text(SharedBand1QField), "4.33");
    EXPECT_EQ(ui.caption(SharedBand1TypeButton), "Lo-shelf");
    EXPECT_EQ(ui.caption(SharedBand5TypeButton), "Hi-shelf");
    EXPECT_EQ(ui.caption(Mic1BandTypeButton), "Peaking");
}

TEST_F(MicPageTest, LoweringTheMaximumPullsTheMainLevelDownWithoutSendingIt)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 30}});
    ui.spinDown(MaxLevelSpin);
    EXPECT_EQ(image.get(mic::maxLevel), 29);
    EXPECT_EQ(image.get(mic::mainLevel), 29);
    EXPECT_EQ(ui.position(MainLevelSlider), 21);
    EXPECT_EQ(ui.text(MainLevelField), "29");
    EXPECT_EQ(ui.text(MaxLevelField), "29");
    EXPECT_EQ(channel.sent, Sent{"(01$005001029)"});
}

TEST_F(MicPageTest, AMainLevelAboveTheMaximumFromAFileFollowsTheFirstDownClick)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 10}});
    EXPECT_EQ(ui.position(MainLevelSlider), 20);
    ui.spinDown(MaxLevelSpin);
    EXPECT_EQ(image.get(mic::maxLevel), 9);
    EXPECT_EQ(image.get(mic::mainLevel), 9);
    EXPECT_EQ(ui.text(MainLevelField), "9");
    EXPECT_EQ(channel.sent, Sent{"(01$005001009)"});
}

TEST_F(MicPageTest, RaisingTheMaximumLeavesTheMainLevel)
{
    load({{mic::mainLevel, 30}, {mic::maxLevel, 30}});
    ui.spinUp(MaxLevelSpin);
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
    ui.spinUp(MicLinkSpin);
    EXPECT_EQ(image.get(mic::link), 1);
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{5, 40, 30, 10}));
    EXPECT_EQ(image.get(mic::inputGain(1)), 20);
    EXPECT_EQ(ui.text(MicLinkField), " ON");
    EXPECT_EQ(ui.caption(Mic2BandTypeButton), "Notch");
    EXPECT_EQ(ui.text(Mic2BandFreqField), "190.00Hz");
    EXPECT_EQ(ui.text(Mic2BandQField), "0.55");
    EXPECT_EQ(ui.text(Mic2InputGainField), "20");
    EXPECT_EQ(ui.position(Mic2InputGainSlider), 30);
    EXPECT_GT(ui.redraws(), redraws);
    EXPECT_EQ(channel.sent, Sent{"(01$005002001)"});
}

TEST_F(MicPageTest, LinkUpWhileOnCopiesNothingButResends)
{
    image.setBand(mic::micEq(1), {3, 90, 10, 60});
    load({{mic::inputGain(1), 45}});
    ui.spinUp(MicLinkSpin);
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{3, 90, 10, 60}));
    EXPECT_EQ(image.get(mic::inputGain(1)), 45);
    EXPECT_EQ(channel.sent, Sent{"(01$005002001)"});
}

TEST_F(MicPageTest, LinkOffCopiesNothing)
{
    image.setBand(mic::micEq(1), {3, 90, 10, 60});
    load({{mic::inputGain(1), 45}});
    ui.spinDown(MicLinkSpin);
    EXPECT_EQ(image.get(mic::link), 0);
    EXPECT_EQ(ui.text(MicLinkField), "OFF");
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{3, 90, 10, 60}));
    EXPECT_EQ(channel.sent, Sent{"(01$005002000)"});
    ui.spinDown(MicLinkSpin);  // at its bound: sent again
    EXPECT_EQ(channel.sent, (Sent{"(01$005002000)", "(01$005002000)"}));
}

TEST_F(MicPageTest, LinkedTypedFrequencyChangesBothBandsAndSendsOnlyItsOwn)
{
    ui.typeFrequency(Mic2BandFreqField, "2.5k");
    EXPECT_EQ(image.get(mic::micEq(1) + 1), 85);
    EXPECT_EQ(image.get(mic::micEq(0) + 1), 85);
    EXPECT_EQ(ui.text(Mic2BandFreqField), "2.50KHz");
    EXPECT_EQ(ui.text(Mic1BandFreqField), "2.50KHz");
    EXPECT_EQ(channel.sent, Sent{"(01$008101001085024046)"});
}

// Every way of changing a microphone band, on either band, while linked.
TEST_F(MicPageTest, LinkedMicrophoneBandChangesAreCopiedButNotSent)
{
    struct Column { int gainSlider, freqField, freqSpin, qSpin, typeButton; std::size_t own, other; const char* item; };
    const Column columns[] = {{Mic1BandGainSlider, Mic1BandFreqField, Mic1BandFreqSpin, Mic1BandQSpin,
                               Mic1BandTypeButton, mic::micEq(0), mic::micEq(1), "(01$008100"},
                              {Mic2BandGainSlider, Mic2BandFreqField, Mic2BandFreqSpin, Mic2BandQSpin,
                               Mic2BandTypeButton, mic::micEq(1), mic::micEq(0), "(01$008101"}};
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
    ui.spinUp(Mic1BandFreqSpin);
    ui.moveSlider(Mic1InputGainSlider, 5);
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
    ui.spinUp(SharedBand1FreqSpin);
    ui.click(SharedBand1TypeButton);
    EXPECT_EQ(image.band(mic::micEq(0)), (EqBand{1, 69, 24, 46}));
    EXPECT_EQ(image.band(mic::micEq(1)), (EqBand{1, 69, 24, 46}));
    EXPECT_EQ(image.band(mic::eq(1)), (EqBand{2, 30, 20, 5}));
    EXPECT_EQ(channel.sent, (Sent{"(01$008102004033024046)", "(01$008102005033024046)"}));
}

TEST_F(MicPageTest, LinkedInputGainMoveCopiesAndSendsOnlyTheMovedSlider)
{
    ui.moveSlider(Mic2InputGainSlider, 10);
    EXPECT_EQ(image.get(mic::inputGain(1)), 40);
    EXPECT_EQ(image.get(mic::inputGain(0)), 40);
    EXPECT_EQ(ui.position(Mic1InputGainSlider), 10);
    EXPECT_EQ(ui.text(Mic1InputGainField), "40");
    EXPECT_EQ(channel.sent, Sent{"(01$005004040)"});
    ui.moveSlider(Mic1InputGainSlider, 2);
    EXPECT_EQ(image.get(mic::inputGain(1)), 48);
    EXPECT_EQ(ui.text(Mic2InputGainField), "48");
    EXPECT_EQ(channel.sent.back(), "(01$005003048)");
}

TEST_F(MicPageTest, FeedbackSpinStopsAtThreeAndPadsWithBlanks)
{
    load({{mic::feedback, 3}});
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX3");
    ui.spinUp(FeedbackSuppressionSpin);
    EXPECT_EQ(image.get(mic::feedback), 3);
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX3");
    EXPECT_EQ(channel.sent, Sent{"(01$003000  3)"});
    ui.spinDown(FeedbackSuppressionSpin);
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX2");
    EXPECT_EQ(channel.sent.back(), "(01$003000  2)");
}

TEST_F(MicPageTest, FeedbackByteBeyondTheModesShowsItsNumber)
{
    load({{mic::feedback, 200}});
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX200");
    ui.spinUp(FeedbackSuppressionSpin);
    EXPECT_EQ(image.get(mic::feedback), 200);
    ui.spinDown(FeedbackSuppressionSpin);
    EXPECT_EQ(ui.text(FeedbackSuppressionField), "FB.EX199");
    EXPECT_EQ(channel.sent, (Sent{"(01$003000200)", "(01$003000199)"}));
}

TEST_F(MicPageTest, SwitchTextsHaveALeadingBlank)
{
    struct Case { int spin, field; std::size_t byte; };
    for (const Case& c : {Case{ExciterSpin, ExciterField, mic::exciter},
                          Case{NoiseGateSpin, NoiseGateField, mic::noiseGate},
                          Case{AutoGainSpin, AutoGainField, mic::autoGain}}) {
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
        EXPECT_EQ(ui.text(LimiterField), c.text) << c.byte;
    }
    load({{mic::limiter, 25}});
    ui.spinUp(LimiterSpin);
    EXPECT_EQ(image.get(mic::limiter), 25);
    ui.spinDown(LimiterSpin);
    EXPECT_EQ(ui.text(LimiterField), "6dBV");
    EXPECT_EQ(channel.sent, (Sent{"(01$005008025)", "(01$005008024)"}));
}

TEST_F(MicPageTest, MicrophoneBandRefreshEnablingInTheFullSet)
{
    image.set(fields::global::controlMode, 1);
    image.setBand(mic::micEq(0), {ByPass, 69, 24, 46});
    image.setBand(mic::micEq(1), {HiShelf, 69, 24, 46});
    page.refreshMicBands();
    EXPECT_TRUE(ui.enabled(Mic1BandTypeButton));
    EXPECT_TRUE(ui.enabled(Mic2BandTypeButton));
    for (int id : {Mic1BandGainField, Mic1BandGainSlider, Mic1BandFreqField, Mic1BandQField})  // byPass: nothing
        EXPECT_FALSE(ui.enabled(id)) << id;
    for (int id : {Mic2BandGainField, Mic2BandGainSlider, Mic2BandFreqField})
        EXPECT_TRUE(ui.enabled(id)) << id;
    EXPECT_FALSE(ui.enabled(Mic2BandQField));  // a shelf has no Q
    EXPECT_EQ(ui.caption(Mic1BandTypeButton), "byPass");
    EXPECT_EQ(ui.caption(Mic2BandTypeButton), "Hi-shelf");
}

TEST_F(MicPageTest, MicrophoneBandRefreshEnablingInTheEasySet)
{
    image.set(fields::global::controlMode, 0);
    image.setBand(mic::micEq(0), {Peaking, 69, 24, 46});
    image.setBand(mic::micEq(1), {Notch, 69, 24, 46});
    page.applyControlMode();
    page.refreshMicBands();
    EXPECT_FALSE(ui.enabled(Mic1BandTypeButton));
    EXPECT_FALSE(ui.enabled(Mic2BandTypeButton));
    // The Full-set enabling of the type is applied on top of the Easy set.
    for (int id : {Mic1BandGainField, Mic1BandGainSlider, Mic1BandFreqField, Mic1BandQField})
        EXPECT_TRUE(ui.enabled(id)) << id;
    EXPECT_FALSE(ui.enabled(Mic2BandGainField));
    EXPECT_FALSE(ui.enabled(Mic2BandGainSlider));
    EXPECT_TRUE(ui.enabled(Mic2BandFreqField));
    EXPECT_TRUE(ui.enabled(Mic2BandQField));
    EXPECT_EQ(ui.caption(Mic2BandTypeButton), "Notch");
    // The shared bands keep the Easy set.
    EXPECT_FALSE(ui.enabled(SharedBand1FreqField));
    EXPECT_FALSE(ui.enabled(SharedBand1TypeButton));
}

TEST_F(MicPageTest, LinkedChangeInTheEasySetRefreshesTheMicrophoneEnabling)
{
    image.set(fields::global::controlMode, 0);
    page.applyControlMode();
    EXPECT_FALSE(ui.enabled(Mic2BandFreqField));
    ui.moveSlider(Mic1BandGainSlider, 4);
    EXPECT_EQ(ui.text(Mic2BandGainField), "8");
    EXPECT_EQ(ui.position(Mic2BandGainSlider), 4);
    EXPECT_TRUE(ui.enabled(Mic2BandFreqField));  // Peaking: frequency enabled by the Full-set table
    EXPECT_FALSE(ui.enabled(Mic2BandTypeButton));
}

TEST_F(MicPageTest, MicrophoneSpinsShowOneDecimalWhenUnlinked)
{
    setLink(0);
    struct Case { int spin, field; std::size_t byte; int start; bool up; const char* text; };
    const Case cases[] = {
        {Mic1BandFreqSpin, Mic1BandFreqField, mic::micEq(0) + 1, 68, true, "1.0KHz"},
        {Mic1BandFreqSpin, Mic1BandFreqField, mic::micEq(0) + 1, 30, true, "112.0Hz"},
        {Mic1BandFreqSpin, Mic1BandFreqField, mic::micEq(0) + 1, 70, false, "1.0KHz"},
        {Mic1BandFreqSpin, Mic1BandFreqField, mic::micEq(0) + 1, 69, false, "950.0Hz"},
        {Mic2BandFreqSpin, Mic2BandFreqField, mic::micEq(1) + 1, 68, true, "1.00KHz"},
        {Mic2BandFreqSpin, Mic2BandFreqField, mic::micEq(1) + 1, 30, true, "112.0Hz"},
        {Mic2BandFreqSpin, Mic2BandFreqField, mic::micEq(1) + 1, 70, false, "1.0KHz"},
        {Mic2BandFreqSpin, Mic2BandFreqField, mic::micEq(1) + 1, 69, false, "950.0Hz"},
        {Mic2BandFreqSpin, Mic2BandFreqField, mic::micEq(1) + 1, 89, true, "3.35KHz"},
        {Mic1BandFreqSpin, Mic1BandFreqField, mic::micEq(0) + 1, 89, true, "3.4KHz"},
        {SharedBand1FreqSpin, SharedBand1FreqField, mic::eq(0) + 1, 68, true, "1.00KHz"},
        {SharedBand1FreqSpin, SharedBand1FreqField, mic::eq(0) + 1, 69, false, "950.00Hz"},
        {SharedBand4FreqSpin, SharedBand4FreqField, mic::eq(3) + 1, 89, true, "3.35KHz"},
    };
    for (const Case& c : cases) {
        load({{c.byte, c.start}});
        c.up ? ui.spinUp(c.spin) : ui.spinDown(c.spin);
        EXPECT_EQ(ui.text(c.field), c.text) << c.spin << " from " << c.start;
    }
    page.refreshFromImage();
    EXPECT_EQ(ui.text(Mic1BandFreqField), "3.35KHz");
}

TEST_F(MicPageTest, LinkedSpinsShowTheRefreshedTwoDecimalForm)
{
    ui.spinUp(Mic1BandFreqSpin);  // the link's band refresh rewrites both fields
    EXPECT_EQ(ui.text(Mic1BandFreqField), "1.06KHz");
    EXPECT_EQ(ui.text(Mic2BandFreqField), "1.06KHz");
}

TEST_F(MicPageTest, NothingIsSentWhileDisconnectedButTheImageChanges)
{
    channel.isConnected = false;
    ui.moveSlider(SendLeftRightSlider, 5);
    ui.spinUp(FeedbackSuppressionSpin);
    ui.click(SharedBand2TypeButton);
    ui.spinDown(MaxLevelSpin);
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

}  // namespace
}  // namespace tonel::testing

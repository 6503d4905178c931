// The Microphone and Music pages live against the virtual processor: after every action the
// device's image equals the panel's, including the rules the device applies on its own (the
// microphone link and the maximum levels pulling the main levels down).
#include "model/Fields.h"
#include "pages/BoundPage.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
#include "tests/app/DemoFixture.h"
#include "tests/pages/PageDriver.h"

#include <functional>

namespace tonel::testing {
namespace {

using MicMusicEndToEnd = DemoFixture;

TEST_F(MicMusicEndToEnd, MicrophonePageKeepsTheDeviceInStep)
{
    readFromDevice();
    switchToFullSet();
    const PageDriver ui = showPage(res::view::MicrophonePageButton, kMicPage);

    step("link off", [&] { ui.spinDown(res::mic::MicLinkSpin); });
    step("mic 1 frequency", [&] { ui.spinUp(res::mic::Mic1BandFreqSpin); });
    step("mic 2 type", [&] { ui.click(res::mic::Mic2BandTypeButton); });
    step("mic 2 typed frequency", [&] { ui.typeFrequency(res::mic::Mic2BandFreqField, "2.5k"); });
    step("mic 1 input gain", [&] { ui.moveSlider(res::mic::Mic1InputGainSlider, 10); });
    step("link on copies microphone 1", [&] { ui.spinUp(res::mic::MicLinkSpin); });
    step("linked gain", [&] { ui.moveSlider(res::mic::Mic2BandGainSlider, 2); });
    step("linked typed frequency", [&] { ui.typeFrequency(res::mic::Mic1BandFreqField, "300"); });
    step("linked Q", [&] { ui.spinDown(res::mic::Mic2BandQSpin); });
    step("linked input gain", [&] { ui.moveSlider(res::mic::Mic2InputGainSlider, 20); });
    for (int i = 0; i < 15; ++i)
        step("maximum level down " + std::to_string(i), [&] { ui.spinDown(res::mic::MaxLevelSpin); });
    EXPECT_EQ(app.image().get(fields::mic::mainLevel), 35);
    step("main level above the maximum", [&] { ui.moveSlider(res::mic::MainLevelSlider, 0); });
    for (int i = 0; i < 4; ++i)
        step("feedback up " + std::to_string(i), [&] { ui.spinUp(res::mic::FeedbackSuppressionSpin); });
    step("shared type", [&] { ui.click(res::mic::SharedBand1TypeButton); });
    step("shared frequency", [&] { ui.spinUp(res::mic::SharedBand4FreqSpin); });
    step("limiter", [&] { ui.spinDown(res::mic::LimiterSpin); });
    step("send level", [&] { ui.moveSlider(res::mic::SendCentreSlider, 7); });
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(MicMusicEndToEnd, MusicPageKeepsTheDeviceInStep)
{
    readFromDevice();
    switchToFullSet();
    const PageDriver ui = showPage(res::view::MusicPageButton, kMusicPage);

    for (int i = 0; i < 25; ++i)
        step("maximum level down " + std::to_string(i), [&] { ui.spinDown(res::music::MaxLevelSpin); });
    EXPECT_EQ(app.image().get(fields::music::mainLevel), 25);
    step("input select up", [&] { ui.spinUp(res::music::InputSourceSpin); });
    for (int i = 0; i < 4; ++i)
        step("input select down " + std::to_string(i), [&] { ui.spinDown(res::music::InputSourceSpin); });
    step("band 4 type", [&] { ui.click(res::music::Eq4TypeButton); });
    step("band 4 frequency", [&] { ui.spinUp(res::music::Eq4FreqSpin); });
    step("band 5 typed frequency", [&] { ui.typeFrequency(res::music::Eq5FreqField, "19000"); });
    step("band 1 Q", [&] { ui.spinDown(res::music::Eq1QSpin); });
    step("band 2 gain", [&] { ui.moveSlider(res::music::Eq2GainSlider, 20); });
    step("subwoofer", [&] { ui.moveSlider(res::music::SendSubSlider, 10); });
    step("noise gate", [&] { ui.spinDown(res::music::NoiseGateSpin); });
    step("automatic gain", [&] { ui.spinUp(res::music::AutoGainSpin); });
    step("background music", [&] { ui.moveSlider(res::music::BgmGainSlider, 30); });
    EXPECT_EQ(device().image(), app.image().bytes());
}

}  // namespace
}  // namespace tonel::testing

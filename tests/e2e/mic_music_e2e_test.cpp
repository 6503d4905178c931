// The Microphone and Music pages live against the virtual processor: after every action the
// device's image equals the panel's, including the rules the device applies on its own (the
// microphone link and the maximum levels pulling the main levels down).
#include "model/Fields.h"
#include "pages/BoundPage.h"
#include "tests/e2e/DemoFixture.h"
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

    step("link off", [&] { ui.spinDown(1169); });
    step("mic 1 frequency", [&] { ui.spinUp(1113); });
    step("mic 2 type", [&] { ui.click(1117); });
    step("mic 2 typed frequency", [&] { ui.typeFrequency(1160, "2.5k"); });
    step("mic 1 input gain", [&] { ui.moveSlider(1155, 10); });
    step("link on copies microphone 1", [&] { ui.spinUp(1169); });
    step("linked gain", [&] { ui.moveSlider(1111, 2); });
    step("linked typed frequency", [&] { ui.typeFrequency(1158, "300"); });
    step("linked Q", [&] { ui.spinDown(1115); });
    step("linked input gain", [&] { ui.moveSlider(1157, 20); });
    for (int i = 0; i < 15; ++i)
        step("maximum level down " + std::to_string(i), [&] { ui.spinDown(1164); });
    EXPECT_EQ(app.image().get(fields::mic::mainLevel), 35);
    step("main level above the maximum", [&] { ui.moveSlider(1094, 0); });
    for (int i = 0; i < 4; ++i)
        step("feedback up " + std::to_string(i), [&] { ui.spinUp(1176); });
    step("shared type", [&] { ui.click(1124); });
    step("shared frequency", [&] { ui.spinUp(1144); });
    step("limiter", [&] { ui.spinDown(1167); });
    step("send level", [&] { ui.moveSlider(1098, 7); });
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(MicMusicEndToEnd, MusicPageKeepsTheDeviceInStep)
{
    readFromDevice();
    switchToFullSet();
    const PageDriver ui = showPage(res::view::MusicPageButton, kMusicPage);

    for (int i = 0; i < 25; ++i)
        step("maximum level down " + std::to_string(i), [&] { ui.spinDown(1184); });
    EXPECT_EQ(app.image().get(fields::music::mainLevel), 25);
    step("input select up", [&] { ui.spinUp(1186); });
    for (int i = 0; i < 4; ++i)
        step("input select down " + std::to_string(i), [&] { ui.spinDown(1186); });
    step("band 4 type", [&] { ui.click(1143); });
    step("band 4 frequency", [&] { ui.spinUp(1144); });
    step("band 5 typed frequency", [&] { ui.typeFrequency(1150, "19000"); });
    step("band 1 Q", [&] { ui.spinDown(1121); });
    step("band 2 gain", [&] { ui.moveSlider(1126, 20); });
    step("subwoofer", [&] { ui.moveSlider(1005, 10); });
    step("noise gate", [&] { ui.spinDown(1166); });
    step("automatic gain", [&] { ui.spinUp(1168); });
    step("background music", [&] { ui.moveSlider(1050, 30); });
    EXPECT_EQ(device().image(), app.image().bytes());
}

}  // namespace
}  // namespace tonel::testing

// The System page live against the virtual processor: after every action the device's image
// equals the panel's — levels, the three equalisers, the settings with their literal lock and
// contrast commands, and the effect program the Effect page then edits.
#include "model/Fields.h"
#include "pages/BoundPage.h"
#include "tests/e2e/DemoFixture.h"
#include "tests/pages/PageDriver.h"

#include <functional>

namespace tonel::testing {
namespace {

namespace sys = fields::system;
namespace glb = fields::global;

using SystemEndToEnd = DemoFixture;

TEST_F(SystemEndToEnd, LevelsAndEqualisersKeepTheDeviceInStep)
{
    readFromDevice();
    switchToFullSet();
    const PageDriver ui = showPage(res::view::SystemPageButton, kSystemPage);

    step("centre level", [&] { ui.moveSlider(1179, 12); });
    step("subwoofer level", [&] { ui.moveSlider(1005, 50); });
    step("aux 1 level", [&] { ui.moveSlider(1181, 1); });
    step("aux 2 level", [&] { ui.moveSlider(1011, 30); });
    step("room 1 gain", [&] { ui.moveSlider(1013, 3); });
    step("room 3 frequency", [&] { ui.spinDown(1189); });
    step("room 4 typed frequency", [&] { ui.typeFrequency(1188, "4.5k"); });
    step("room 7 type", [&] { ui.click(1122); });
    step("room 2 Q to zero", [&] {
        for (int i = 0; i < 47; ++i)
            ui.spinDown(1077);
    });
    step("centre 2 type", [&] { ui.click(1105); });
    step("centre 1 frequency", [&] { ui.spinUp(1125); });
    step("subwoofer 1 gain", [&] { ui.moveSlider(1107, 24); });
    step("subwoofer 2 typed frequency", [&] { ui.typeFrequency(1110, "45"); });
    EXPECT_EQ(app.image().get(sys::roomEq(1) + 3), 0);
    EXPECT_EQ(app.image().get(sys::subEq(1) + 1), 15);
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(SystemEndToEnd, SettingsKeepTheDeviceInStep)
{
    readFromDevice();
    const PageDriver ui = showPage(res::view::SystemPageButton, kSystemPage);

    step("panel lock on", [&] { ui.spinUp(1080); });
    step("contrast up", [&] { ui.spinUp(1082); });
    step("contrast to 0", [&] {
        for (int i = 0; i < 3; ++i)
            ui.spinDown(1082);
    });
    step("aux 1 delay, both spins", [&] {
        ui.spinUp(1084);
        ui.spinUp(1086);
    });
    step("aux 2 delay", [&] { ui.spinUp(1090); });
    step("phase", [&] { ui.spinUp(1194); });
    step("high-pass", [&] { ui.spinUp(1195); });
    step("low-pass", [&] { ui.spinUp(1196); });
    step("attenuation towards mute", [&] { ui.spinDown(1197); });
    step("panel lock off", [&] { ui.spinDown(1080); });
    EXPECT_EQ(app.image().get(glb::displayContrast), 0);
    EXPECT_EQ(app.image().get(sys::aux1Delay), 2);
    EXPECT_EQ(app.image().get(sys::subAutoAttenuation), 1);
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(SystemEndToEnd, TheSelectedProgramIsTheOneTheEffectPageEdits)
{
    readFromDevice();
    switchToFullSet();
    showPage(res::view::SystemPageButton, kSystemPage);
    step("program 2", [&] {
        driver(kSystemPage).spinUp(1078);
        driver(kSystemPage).spinUp(1078);
    });
    const PageDriver effect = showPage(res::view::EffectPageButton, kEffectPage);
    step("program 2's master level", [&] { effect.moveSlider(1094, 5); });
    step("program 2's first band", [&] { effect.spinUp(1089); });
    EXPECT_EQ(app.image().get(fields::effect::at(2, fields::effect::masterLevel)), 45);
    EXPECT_EQ(device().image(), app.image().bytes());
}

}  // namespace
}  // namespace tonel::testing

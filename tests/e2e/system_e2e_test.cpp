// The System page live against the virtual processor: after every action the device's image
// equals the panel's — levels, the three equalisers, the settings with their literal lock and
// contrast commands, and the effect program the Effect page then edits.
#include "model/Fields.h"
#include "pages/BoundPage.h"
#include "res/EffectControls.h"
#include "res/SystemControls.h"
#include "tests/app/DemoFixture.h"
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

    step("centre level", [&] { ui.moveSlider(res::system::CentreLevelSlider, 12); });
    step("subwoofer level", [&] { ui.moveSlider(res::system::SubwooferLevelSlider, 50); });
    step("aux 1 level", [&] { ui.moveSlider(res::system::Aux1LevelSlider, 1); });
    step("aux 2 level", [&] { ui.moveSlider(res::system::Aux2LevelSlider, 30); });
    step("room 1 gain", [&] { ui.moveSlider(res::system::RoomEq1GainSlider, 3); });
    step("room 3 frequency", [&] { ui.spinDown(res::system::RoomEq3FreqSpin); });
    step("room 4 typed frequency", [&] { ui.typeFrequency(res::system::RoomEq4FreqField, "4.5k"); });
    step("room 7 type", [&] { ui.click(res::system::RoomEq7TypeButton); });
    step("room 2 Q to zero", [&] {
        for (int i = 0; i < 47; ++i)
            ui.spinDown(res::system::RoomEq2QSpin);
    });
    step("centre 2 type", [&] { ui.click(res::system::CentreEq2TypeButton); });
    step("centre 1 frequency", [&] { ui.spinUp(res::system::CentreEq1FreqSpin); });
    step("subwoofer 1 gain", [&] { ui.moveSlider(res::system::SubwooferEq1GainSlider, 24); });
    step("subwoofer 2 typed frequency", [&] { ui.typeFrequency(res::system::SubwooferEq2FreqField, "45"); });
    EXPECT_EQ(app.image().get(sys::roomEq(1) + 3), 0);
    EXPECT_EQ(app.image().get(sys::subEq(1) + 1), 15);
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(SystemEndToEnd, SettingsKeepTheDeviceInStep)
{
    readFromDevice();
    const PageDriver ui = showPage(res::view::SystemPageButton, kSystemPage);

    step("panel lock on", [&] { ui.spinUp(res::system::PanelLockSpin); });
    step("contrast up", [&] { ui.spinUp(res::system::DisplayContrastSpin); });
    step("contrast to 0", [&] {
        for (int i = 0; i < 3; ++i)
            ui.spinDown(res::system::DisplayContrastSpin);
    });
    step("aux 1 delay, both spins", [&] {
        ui.spinUp(res::system::Aux1DelaySpin);
        ui.spinUp(res::system::Aux1DistanceSpin);
    });
    step("aux 2 delay", [&] { ui.spinUp(res::system::Aux2DistanceSpin); });
    step("phase", [&] { ui.spinUp(res::system::SubwooferPhaseSpin); });
    step("high-pass", [&] { ui.spinUp(res::system::SubwooferHighPassSpin); });
    step("low-pass", [&] { ui.spinUp(res::system::SubwooferLowPassSpin); });
    step("attenuation towards mute", [&] { ui.spinDown(res::system::SubwooferAutoAttenuationSpin); });
    step("panel lock off", [&] { ui.spinDown(res::system::PanelLockSpin); });
    EXPECT_EQ(app.image().get(glb::displayContrast), 0);
    EXPECT_EQ(app.image().get(sys::aux1Delay), 2);
    EXPECT_EQ(app.image().get(sys::subAutoAttenuation), 1);
    EXPECT_EQ(device().image(), app.image().bytes());
}

TEST_F(SystemEndToEnd, TheSelectedProgramIsTheOneTheEffectPageEdits)
{
    readFromDevice();
    switchToFullSet();
    const PageDriver systemPage = showPage(res::view::SystemPageButton, kSystemPage);
    step("program 2", [&] {
        systemPage.spinUp(res::system::EffectProgramSpin);
        systemPage.spinUp(res::system::EffectProgramSpin);
    });
    const PageDriver effect = showPage(res::view::EffectPageButton, kEffectPage);
    step("program 2's master level", [&] { effect.moveSlider(res::effect::MainLevelSlider, 5); });
    step("program 2's first band", [&] { effect.spinUp(res::effect::Eq1FreqSpin); });
    EXPECT_EQ(app.image().get(fields::effect::at(2, fields::effect::masterLevel)), 45);
    EXPECT_EQ(device().image(), app.image().bytes());
}

}  // namespace
}  // namespace tonel::testing

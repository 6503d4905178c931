// The pages live against the virtual processor: after every action the device's image equals the
// panel's, including the rules the device applies on its own (the microphone link, the maximum
// levels pulling the main levels down, the effect program the Effect page then edits, the
// literal lock and contrast commands). One walk per row.
#include "model/Fields.h"
#include "res/EffectControls.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
#include "res/SystemControls.h"
#include "tests/app/DemoFixture.h"

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace tonel::testing {
namespace {

namespace f = fields;

// One action on the page shown last (Show: `id` is the page button, `value` the page), then the
// device is checked, `runs` times; Byte checks the panel's byte `id` is `value`.
enum class Op { Show, Up, Down, Click, Slide, Type, Byte };
struct Step {
    Op op;
    const char* what;
    int id;
    int value = 1;  // Up, Down: clicks; Slide: position
    int runs = 1;
    const char* text = nullptr;
};
struct Walk {
    const char* name;
    bool fullSet;
    std::vector<Step> steps;
};

void PrintTo(const Walk& walk, std::ostream* out) { *out << walk.name; }

class PagesInStep : public DemoFixture, public ::testing::WithParamInterface<Walk> {
protected:
    void perform(const Step& s)
    {
        for (int click = 0; click < (s.op == Op::Up || s.op == Op::Down ? s.value : 1); ++click) {
            switch (s.op) {
            case Op::Show: ui_.emplace(showPage(s.id, s.value)); return;
            case Op::Up: ui_->spinUp(s.id); break;
            case Op::Down: ui_->spinDown(s.id); break;
            case Op::Click: ui_->click(s.id); break;
            case Op::Slide: ui_->moveSlider(s.id, s.value); break;
            case Op::Type: ui_->typeFrequency(s.id, QString::fromUtf8(s.text)); break;
            case Op::Byte: EXPECT_EQ(app.image().get(static_cast<std::size_t>(s.id)), s.value) << s.what; return;
            }
        }
        EXPECT_TRUE(deviceCatchesUp()) << s.what;
    }
    std::optional<PageDriver> ui_;
};

TEST_P(PagesInStep, AfterEveryActionTheDeviceHasThePanelsImage)
{
    readFromDevice();
    if (GetParam().fullSet)
        switchToFullSet();
    for (const Step& s : GetParam().steps)
        for (int run = 0; run < s.runs; ++run)
            perform(s);
    EXPECT_EQ(device().image(), app.image().bytes());
}

constexpr int kEffectPage = 0, kMicPage = 1, kMusicPage = 2, kSystemPage = 3;  // the view's order
namespace mic = res::mic;
namespace music = res::music;
namespace sys = res::system;

const Walk kMicrophone{"Microphone", true, {
    {Op::Show, "show", res::view::MicrophonePageButton, kMicPage},
    {Op::Down, "link off", mic::MicLinkSpin},
    {Op::Up, "mic 1 frequency", mic::Mic1BandFreqSpin},
    {Op::Click, "mic 2 type", mic::Mic2BandTypeButton},
    {Op::Type, "mic 2 typed frequency", mic::Mic2BandFreqField, 1, 1, "2.5k"},
    {Op::Slide, "mic 1 input gain", mic::Mic1InputGainSlider, 10},
    {Op::Up, "link on copies microphone 1", mic::MicLinkSpin},
    {Op::Slide, "linked gain", mic::Mic2BandGainSlider, 2},
    {Op::Type, "linked typed frequency", mic::Mic1BandFreqField, 1, 1, "300"},
    {Op::Down, "linked Q", mic::Mic2BandQSpin},
    {Op::Slide, "linked input gain", mic::Mic2InputGainSlider, 20},
    {Op::Down, "maximum level down", mic::MaxLevelSpin, 1, 15},
    {Op::Byte, "main level pulled down", f::mic::mainLevel, 35},
    {Op::Slide, "main level above the maximum", mic::MainLevelSlider, 0},
    {Op::Up, "feedback up", mic::FeedbackSuppressionSpin, 1, 4},
    {Op::Click, "shared type", mic::SharedBand1TypeButton},
    {Op::Up, "shared frequency", mic::SharedBand4FreqSpin},
    {Op::Down, "limiter", mic::LimiterSpin},
    {Op::Slide, "send level", mic::SendCentreSlider, 7}}};

const Walk kMusic{"Music", true, {
    {Op::Show, "show", res::view::MusicPageButton, kMusicPage},
    {Op::Down, "maximum level down", music::MaxLevelSpin, 1, 25},
    {Op::Byte, "main level pulled down", f::music::mainLevel, 25},
    {Op::Up, "input select up", music::InputSourceSpin},
    {Op::Down, "input select down", music::InputSourceSpin, 1, 4},
    {Op::Click, "band 4 type", music::Eq4TypeButton},
    {Op::Up, "band 4 frequency", music::Eq4FreqSpin},
    {Op::Type, "band 5 typed frequency", music::Eq5FreqField, 1, 1, "19000"},
    {Op::Down, "band 1 Q", music::Eq1QSpin},
    {Op::Slide, "band 2 gain", music::Eq2GainSlider, 20},
    {Op::Slide, "subwoofer", music::SendSubSlider, 10},
    {Op::Down, "noise gate", music::NoiseGateSpin},
    {Op::Up, "automatic gain", music::AutoGainSpin},
    {Op::Slide, "background music", music::BgmGainSlider, 30}}};

const Walk kSystemLevelsAndEqualisers{"SystemLevelsAndEqualisers", true, {
    {Op::Show, "show", res::view::SystemPageButton, kSystemPage},
    {Op::Slide, "centre level", sys::CentreLevelSlider, 12},
    {Op::Slide, "subwoofer level", sys::SubwooferLevelSlider, 50},
    {Op::Slide, "aux 1 level", sys::Aux1LevelSlider, 1},
    {Op::Slide, "aux 2 level", sys::Aux2LevelSlider, 30},
    {Op::Slide, "room 1 gain", sys::RoomEq1GainSlider, 3},
    {Op::Down, "room 3 frequency", sys::RoomEq3FreqSpin},
    {Op::Type, "room 4 typed frequency", sys::RoomEq4FreqField, 1, 1, "4.5k"},
    {Op::Click, "room 7 type", sys::RoomEq7TypeButton},
    {Op::Down, "room 2 Q to zero", sys::RoomEq2QSpin, 47},
    {Op::Click, "centre 2 type", sys::CentreEq2TypeButton},
    {Op::Up, "centre 1 frequency", sys::CentreEq1FreqSpin},
    {Op::Slide, "subwoofer 1 gain", sys::SubwooferEq1GainSlider, 24},
    {Op::Type, "subwoofer 2 typed frequency", sys::SubwooferEq2FreqField, 1, 1, "45"},
    {Op::Byte, "room 2 Q", f::system::roomEq(1) + 3, 0},
    {Op::Byte, "subwoofer 2 frequency", f::system::subEq(1) + 1, 15}}};

const Walk kSystemSettings{"SystemSettings", false, {
    {Op::Show, "show", res::view::SystemPageButton, kSystemPage},
    {Op::Up, "panel lock on", sys::PanelLockSpin},
    {Op::Up, "contrast up", sys::DisplayContrastSpin},
    {Op::Down, "contrast to 0", sys::DisplayContrastSpin, 3},
    {Op::Up, "aux 1 delay", sys::Aux1DelaySpin},
    {Op::Up, "aux 1 distance", sys::Aux1DistanceSpin},
    {Op::Up, "aux 2 delay", sys::Aux2DistanceSpin},
    {Op::Up, "phase", sys::SubwooferPhaseSpin},
    {Op::Up, "high-pass", sys::SubwooferHighPassSpin},
    {Op::Up, "low-pass", sys::SubwooferLowPassSpin},
    {Op::Down, "attenuation towards mute", sys::SubwooferAutoAttenuationSpin},
    {Op::Down, "panel lock off", sys::PanelLockSpin},
    {Op::Byte, "contrast", f::global::displayContrast, 0},
    {Op::Byte, "aux 1 delay", f::system::aux1Delay, 2},
    {Op::Byte, "attenuation", f::system::subAutoAttenuation, 1}}};

const Walk kSelectedProgram{"TheSelectedProgramIsTheOneTheEffectPageEdits", true, {
    {Op::Show, "show", res::view::SystemPageButton, kSystemPage},
    {Op::Up, "program 2", sys::EffectProgramSpin, 2},
    {Op::Show, "show", res::view::EffectPageButton, kEffectPage},
    {Op::Slide, "program 2's master level", res::effect::MainLevelSlider, 5},
    {Op::Up, "program 2's first band", res::effect::Eq1FreqSpin},
    {Op::Byte, "program 2's master level", f::effect::at(2, f::effect::masterLevel), 45}}};

INSTANTIATE_TEST_SUITE_P(Walks, PagesInStep,
                         ::testing::Values(kMicrophone, kMusic, kSystemLevelsAndEqualisers, kSystemSettings,
                                           kSelectedProgram),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonel::testing

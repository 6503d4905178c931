// The Effect page's template (504 x 296 template units).
#include "res/PageTemplate.h"
#include "res/EffectControls.h"

#include <array>

namespace tonel::res {

namespace {

using K = ControlKind;
using namespace effect;

constexpr std::array kControls = std::to_array<TemplateControl>({
    {GraphFrame, K::Frame, 14, 9, 477, 132, ""},

    // Effect parametric EQ: two band columns with the gain scale between them.
    {-1, K::GroupBox, 5, 145, 150, 148, "效果参量均衡"},
    {-1, K::Label, 16, 157, 40, 10, "均衡1:"},
    {-1, K::Label, 96, 157, 40, 10, "均衡2:"},
    {-1, K::Label, 62, 180, 28, 9, "+12dB"},
    {-1, K::Label, 62, 207, 28, 9, "0   dB"},
    {-1, K::Label, 62, 234, 28, 9, "-12dB"},
    {Eq1GainField, K::ValueField, 20, 168, 24, 12, ""},
    {Eq1GainSlider, K::Slider, 22, 181, 20, 64, ""},
    {Eq1FreqField, K::FrequencyField, 10, 248, 48, 12, ""},
    {Eq1FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq1QField, K::FrequencyField, 10, 261, 48, 12, ""},
    {Eq1QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq1TypeButton, K::Button, 10, 276, 48, 13, "Peaking"},
    {Eq2GainField, K::ValueField, 100, 168, 24, 12, ""},
    {Eq2GainSlider, K::Slider, 102, 181, 20, 64, ""},
    {Eq2FreqField, K::FrequencyField, 90, 248, 48, 12, ""},
    {Eq2FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq2QField, K::FrequencyField, 90, 261, 48, 12, ""},
    {Eq2QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq2TypeButton, K::Button, 90, 276, 48, 13, "L-Shelf"},

    // Effect volume: five level sliders.
    {-1, K::GroupBox, 160, 145, 170, 148, "效果音量"},
    {-1, K::Label, 165, 183, 14, 9, "50"},
    {-1, K::Label, 165, 229, 14, 9, "25"},
    {-1, K::Label, 165, 276, 14, 9, "0"},
    {-1, K::Label, 180, 157, 30, 10, "主音量"},
    {MainLevelField, K::ValueField, 181, 168, 22, 12, ""},
    {MainLevelSlider, K::Slider, 182, 182, 20, 104, ""},
    {-1, K::Label, 210, 157, 30, 10, "到左右"},
    {SendLeftRightField, K::ValueField, 211, 168, 22, 12, ""},
    {SendLeftRightSlider, K::Slider, 212, 182, 20, 104, ""},
    {-1, K::Label, 240, 157, 30, 10, "到中置"},
    {SendCentreField, K::ValueField, 241, 168, 22, 12, ""},
    {SendCentreSlider, K::Slider, 242, 182, 20, 104, ""},
    {-1, K::Label, 268, 157, 32, 10, "到辅助1"},
    {SendAux1Field, K::ValueField, 271, 168, 22, 12, ""},
    {SendAux1Slider, K::Slider, 272, 182, 20, 104, ""},
    {-1, K::Label, 298, 157, 32, 10, "到辅助2"},
    {SendAux2Field, K::ValueField, 301, 168, 22, 12, ""},
    {SendAux2Slider, K::Slider, 302, 182, 20, 104, ""},

    // Effect parameters: the extension switch and four amount sliders.
    {-1, K::GroupBox, 335, 145, 164, 148, "效果参数"},
    {-1, K::Label, 345, 158, 44, 10, "效果扩展:"},
    {ExtensionField, K::Field, 392, 156, 44, 12, ""},
    {ExtensionSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 340, 196, 16, 9, "100"},
    {-1, K::Label, 340, 238, 16, 9, "50"},
    {-1, K::Label, 340, 280, 16, 9, "0"},
    {-1, K::Label, 358, 174, 30, 10, "延时"},
    {DelayField, K::ValueField, 359, 183, 22, 12, ""},
    {DelaySlider, K::Slider, 360, 197, 20, 90, ""},
    {-1, K::Label, 392, 174, 30, 10, "重复"},
    {RepeatField, K::ValueField, 393, 183, 22, 12, ""},
    {RepeatSlider, K::Slider, 394, 197, 20, 90, ""},
    {-1, K::Label, 422, 174, 34, 10, "混响时间"},
    {ReverbTimeField, K::ValueField, 427, 183, 22, 12, ""},
    {ReverbTimeSlider, K::Slider, 428, 197, 20, 90, ""},
    {-1, K::Label, 456, 174, 38, 10, "混响/回声"},
    {ReverbEchoMixField, K::ValueField, 461, 183, 22, 12, ""},
    {ReverbEchoMixSlider, K::Slider, 462, 197, 20, 90, ""},
});

}  // namespace

const PageTemplate& effectTemplate()
{
    static const PageTemplate layout{EffectTemplateId, 504, 296, kControls};
    return layout;
}

}  // namespace tonel::res

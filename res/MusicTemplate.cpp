// The Music page (504 x 296 template units).
#include "res/PageTemplate.h"
#include "res/MusicControls.h"

#include <array>

namespace tonel::res {

namespace {

using K = ControlKind;
using namespace music;

constexpr std::array kControls = std::to_array<TemplateControl>({
    {GraphFrame, K::Frame, 14, 9, 292, 132, ""},

    // Music volume: six level sliders, each with its scale, value field and caption.
    {-1, K::GroupBox, 311, 8, 191, 136, "音乐音量"},
    {-1, K::Label, 324, 23, 30, 10, "主音量"},
    {-1, K::Label, 358, 23, 27, 10, "到左右"},
    {-1, K::Label, 385, 23, 27, 10, "到中置"},
    {-1, K::Label, 412, 23, 30, 10, "超低音"},
    {-1, K::Label, 443, 23, 30, 10, "到辅助1"},
    {-1, K::Label, 474, 23, 27, 10, "到辅助2"},
    {-1, K::Label, 315, 48, 10, 9, "50"},
    {-1, K::Label, 315, 88, 11, 9, "25"},
    {-1, K::Label, 315, 129, 11, 9, "0"},
    {-1, K::Label, 349, 48, 10, 9, "50"},
    {-1, K::Label, 349, 88, 11, 9, "25"},
    {-1, K::Label, 349, 129, 11, 9, "0"},
    {-1, K::Label, 379, 48, 8, 9, "50"},
    {-1, K::Label, 379, 88, 8, 9, "25"},
    {-1, K::Label, 379, 129, 8, 9, "0"},
    {-1, K::Label, 406, 48, 8, 9, "50"},
    {-1, K::Label, 406, 88, 8, 9, "25"},
    {-1, K::Label, 406, 129, 8, 9, "0"},
    {-1, K::Label, 435, 48, 10, 9, "50"},
    {-1, K::Label, 435, 88, 10, 9, "25"},
    {-1, K::Label, 435, 129, 10, 9, "0"},
    {-1, K::Label, 466, 48, 10, 9, "50"},
    {-1, K::Label, 466, 88, 10, 9, "25"},
    {-1, K::Label, 466, 129, 10, 9, "0"},
    {MainLevelField, K::ValueField, 325, 36, 22, 12, ""},
    {MainLevelSlider, K::Slider, 326, 48, 19, 91, ""},
    {SendLeftRightField, K::ValueField, 359, 36, 22, 12, ""},
    {SendLeftRightSlider, K::Slider, 360, 48, 19, 91, ""},
    {SendCentreField, K::ValueField, 386, 36, 22, 12, ""},
    {SendCentreSlider, K::Slider, 387, 48, 19, 91, ""},
    {SendSubField, K::ValueField, 413, 36, 22, 12, ""},
    {SendSubSlider, K::Slider, 414, 48, 19, 91, ""},
    {SendAux1Field, K::ValueField, 444, 36, 22, 12, ""},
    {SendAux1Slider, K::Slider, 445, 48, 19, 91, ""},
    {SendAux2Field, K::ValueField, 475, 36, 22, 12, ""},
    {SendAux2Slider, K::Slider, 476, 48, 19, 91, ""},

    // Music parametric EQ: five band columns with the gain scale on their left.
    {-1, K::GroupBox, 5, 147, 268, 146, "音乐参量均衡"},
    {-1, K::Label, 12, 181, 24, 9, "+12dB"},
    {-1, K::Label, 14, 208, 22, 9, "0 dB"},
    {-1, K::Label, 12, 235, 24, 9, "-12dB"},
    {-1, K::Label, 45, 157, 28, 10, "均衡1"},
    {-1, K::Label, 86, 157, 28, 10, "均衡2"},
    {-1, K::Label, 127, 157, 28, 10, "均衡3"},
    {-1, K::Label, 168, 157, 28, 10, "均衡4"},
    {-1, K::Label, 208, 157, 28, 10, "均衡5"},
    // Band 1
    {Eq1GainField, K::ValueField, 46, 167, 22, 12, ""},
    {Eq1GainSlider, K::Slider, 47, 180, 19, 66, ""},
    {Eq1FreqField, K::FrequencyField, 38, 249, 37, 12, ""},
    {Eq1FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq1QField, K::Field, 38, 261, 37, 12, ""},
    {Eq1QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq1TypeButton, K::Button, 38, 276, 37, 13, "Lo-shelf"},
    // Band 2
    {Eq2GainField, K::ValueField, 87, 167, 22, 12, ""},
    {Eq2GainSlider, K::Slider, 88, 180, 19, 66, ""},
    {Eq2FreqField, K::FrequencyField, 79, 249, 37, 12, ""},
    {Eq2FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq2QField, K::Field, 79, 261, 37, 12, ""},
    {Eq2QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq2TypeButton, K::Button, 79, 276, 37, 13, "Peaking"},
    // Band 3
    {Eq3GainField, K::ValueField, 128, 167, 22, 12, ""},
    {Eq3GainSlider, K::Slider, 129, 180, 19, 66, ""},
    {Eq3FreqField, K::FrequencyField, 120, 249, 37, 12, ""},
    {Eq3FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq3QField, K::Field, 120, 261, 37, 12, ""},
    {Eq3QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq3TypeButton, K::Button, 120, 276, 37, 13, "Peaking"},
    // Band 4
    {Eq4GainField, K::ValueField, 169, 167, 22, 12, ""},
    {Eq4GainSlider, K::Slider, 170, 180, 19, 66, ""},
    {Eq4FreqField, K::FrequencyField, 161, 249, 37, 12, ""},
    {Eq4FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq4QField, K::Field, 161, 261, 37, 12, ""},
    {Eq4QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq4TypeButton, K::Button, 161, 276, 37, 13, "Peaking"},
    // Band 5
    {Eq5GainField, K::ValueField, 209, 167, 22, 12, ""},
    {Eq5GainSlider, K::Slider, 210, 180, 19, 66, ""},
    {Eq5FreqField, K::FrequencyField, 201, 249, 37, 12, ""},
    {Eq5FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq5QField, K::Field, 201, 261, 37, 12, ""},
    {Eq5QSpin, K::Spin, 0, 0, 0, 0, ""},
    {Eq5TypeButton, K::Button, 201, 276, 37, 13, "Hi-shelf"},

    // Music parameters: caption, read-out and spin per row.
    {-1, K::GroupBox, 278, 147, 125, 146, "音乐参数"},
    {-1, K::Label, 280, 188, 74, 10, "音乐最大音量"},
    {MaxLevelField, K::Field, 358, 186, 36, 12, ""},
    {MaxLevelSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 280, 205, 74, 10, "音乐噪声门"},
    {NoiseGateField, K::Field, 358, 203, 36, 12, ""},
    {NoiseGateSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 280, 220, 74, 10, "音乐限幅"},
    {LimiterField, K::Field, 358, 218, 36, 12, ""},
    {LimiterSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 280, 233, 74, 10, "音乐自动增益"},
    {AutoGainField, K::Field, 358, 231, 36, 12, ""},
    {AutoGainSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 280, 248, 74, 10, "输入选择"},
    {InputSourceField, K::Field, 358, 246, 36, 12, ""},
    {InputSourceSpin, K::Spin, 0, 0, 0, 0, ""},

    // Input gain: the music input and the background music.
    {-1, K::GroupBox, 408, 147, 88, 146, "输入增益"},
    {-1, K::Label, 428, 157, 24, 10, "输入"},
    {-1, K::Label, 467, 157, 24, 10, "BGM"},
    {-1, K::Label, 413, 182, 11, 9, "50"},
    {-1, K::Label, 413, 232, 11, 9, "25"},
    {-1, K::Label, 413, 282, 11, 9, "0"},
    {-1, K::Label, 453, 182, 11, 9, "50"},
    {-1, K::Label, 453, 232, 11, 9, "25"},
    {-1, K::Label, 453, 282, 11, 9, "0"},
    {InputGainField, K::ValueField, 424, 168, 22, 12, ""},
    {InputGainSlider, K::Slider, 425, 182, 20, 109, ""},
    {BgmGainField, K::ValueField, 464, 168, 22, 12, ""},
    {BgmGainSlider, K::Slider, 465, 182, 20, 109, ""},
});

}  // namespace

const PageTemplate& musicTemplate()
{
    static const PageTemplate layout{MusicTemplateId, 504, 296, kControls};
    return layout;
}

}  // namespace tonel::res

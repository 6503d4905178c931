// The Microphone page (504 x 296 template units).
#include "res/PageTemplate.h"
#include "res/MicrophoneControls.h"

#include <array>

namespace tonel::res {

namespace {

using K = ControlKind;
using namespace mic;

constexpr std::array kControls = std::to_array<TemplateControl>({
    {GraphFrame, K::Frame, 14, 9, 306, 132, ""},

    // Microphone volume: five level sliders, each with its scale, value field and caption.
    {-1, K::GroupBox, 328, 4, 172, 136, "       话筒音量    "},
    {-1, K::Label, 341, 23, 28, 10, "主音量"},
    {-1, K::Label, 374, 23, 28, 10, "到左右"},
    {-1, K::Label, 407, 23, 28, 10, "到中置"},
    {-1, K::Label, 439, 23, 30, 10, "到辅助1"},
    {-1, K::Label, 472, 23, 27, 10, "到辅助2"},
    {-1, K::Label, 331, 48, 10, 9, "50"},
    {-1, K::Label, 331, 88, 11, 9, "25"},
    {-1, K::Label, 331, 129, 11, 9, "0"},
    {-1, K::Label, 364, 48, 10, 9, "50"},
    {-1, K::Label, 364, 88, 11, 9, "25"},
    {-1, K::Label, 364, 129, 11, 9, "0"},
    {-1, K::Label, 397, 48, 10, 9, "50"},
    {-1, K::Label, 397, 88, 11, 9, "25"},
    {-1, K::Label, 397, 129, 11, 9, "0"},
    {-1, K::Label, 430, 48, 10, 9, "50"},
    {-1, K::Label, 430, 88, 11, 9, "25"},
    {-1, K::Label, 430, 129, 11, 9, "0"},
    {-1, K::Label, 463, 48, 10, 9, "50"},
    {-1, K::Label, 463, 88, 11, 9, "25"},
    {-1, K::Label, 463, 129, 11, 9, "0"},
    {MainLevelField, K::ValueField, 341, 36, 22, 12, ""},
    {MainLevelSlider, K::Slider, 342, 48, 20, 91, ""},
    {SendLeftRightField, K::ValueField, 374, 36, 22, 12, ""},
    {SendLeftRightSlider, K::Slider, 375, 48, 20, 91, ""},
    {SendCentreField, K::ValueField, 407, 36, 22, 12, ""},
    {SendCentreSlider, K::Slider, 408, 48, 20, 91, ""},
    {SendAux1Field, K::ValueField, 440, 36, 22, 12, ""},
    {SendAux1Slider, K::Slider, 441, 48, 20, 91, ""},
    {SendAux2Field, K::ValueField, 473, 36, 22, 12, ""},
    {SendAux2Slider, K::Slider, 474, 48, 20, 91, ""},

    // Microphone parametric EQ: the two microphone bands, then the five shared ones.
    {-1, K::GroupBox, 5, 147, 285, 146, "话筒参量均衡"},
    {-1, K::Label, 12, 157, 32, 10, "话筒1："},
    {-1, K::Label, 55, 157, 30, 10, "话筒2"},
    {-1, K::Label, 168, 157, 50, 10, "话筒共亨均衡"},
    {-1, K::Label, 78, 181, 22, 9, "+12dB"},
    {-1, K::Label, 80, 208, 20, 9, "0 dB"},
    {-1, K::Label, 78, 235, 22, 9, "-12dB"},
    // Microphone 1
    {Mic1BandGainField, K::ValueField, 16, 167, 22, 12, ""},
    {Mic1BandGainSlider, K::Slider, 17, 180, 20, 66, ""},
    {Mic1BandFreqField, K::FrequencyField, 8, 249, 37, 12, ""},
    {Mic1BandFreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Mic1BandQField, K::Field, 8, 261, 37, 12, ""},
    {Mic1BandQSpin, K::Spin, 0, 0, 0, 0, ""},
    {Mic1BandTypeButton, K::Button, 8, 276, 37, 13, "Peaking"},
    // Microphone 2
    {Mic2BandGainField, K::ValueField, 56, 167, 22, 12, ""},
    {Mic2BandGainSlider, K::Slider, 57, 180, 20, 66, ""},
    {Mic2BandFreqField, K::FrequencyField, 48, 249, 37, 12, ""},
    {Mic2BandFreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {Mic2BandQField, K::Field, 48, 261, 37, 12, ""},
    {Mic2BandQSpin, K::Spin, 0, 0, 0, 0, ""},
    {Mic2BandTypeButton, K::Button, 48, 276, 37, 13, "Peaking"},
    // Shared band 1
    {SharedBand1GainField, K::ValueField, 99, 167, 22, 12, ""},
    {SharedBand1GainSlider, K::Slider, 100, 180, 20, 66, ""},
    {SharedBand1FreqField, K::FrequencyField, 91, 249, 37, 12, ""},
    {SharedBand1FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand1QField, K::Field, 91, 261, 37, 12, ""},
    {SharedBand1QSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand1TypeButton, K::Button, 91, 276, 37, 13, "Lo-shelf"},
    // Shared band 2
    {SharedBand2GainField, K::ValueField, 139, 167, 22, 12, ""},
    {SharedBand2GainSlider, K::Slider, 140, 180, 20, 66, ""},
    {SharedBand2FreqField, K::FrequencyField, 131, 249, 37, 12, ""},
    {SharedBand2FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand2QField, K::Field, 131, 261, 37, 12, ""},
    {SharedBand2QSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand2TypeButton, K::Button, 131, 276, 37, 13, "Peaking"},
    // Shared band 3
    {SharedBand3GainField, K::ValueField, 179, 167, 22, 12, ""},
    {SharedBand3GainSlider, K::Slider, 180, 180, 20, 66, ""},
    {SharedBand3FreqField, K::FrequencyField, 171, 249, 37, 12, ""},
    {SharedBand3FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand3QField, K::Field, 171, 261, 37, 12, ""},
    {SharedBand3QSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand3TypeButton, K::Button, 171, 276, 37, 13, "Peaking"},
    // Shared band 4
    {SharedBand4GainField, K::ValueField, 219, 167, 22, 12, ""},
    {SharedBand4GainSlider, K::Slider, 220, 180, 20, 66, ""},
    {SharedBand4FreqField, K::FrequencyField, 211, 249, 37, 12, ""},
    {SharedBand4FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand4QField, K::Field, 211, 261, 37, 12, ""},
    {SharedBand4QSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand4TypeButton, K::Button, 211, 276, 37, 13, "Peaking"},
    // Shared band 5
    {SharedBand5GainField, K::ValueField, 259, 167, 22, 12, ""},
    {SharedBand5GainSlider, K::Slider, 260, 180, 20, 66, ""},
    {SharedBand5FreqField, K::FrequencyField, 251, 249, 37, 12, ""},
    {SharedBand5FreqSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand5QField, K::Field, 251, 261, 37, 12, ""},
    {SharedBand5QSpin, K::Spin, 0, 0, 0, 0, ""},
    {SharedBand5TypeButton, K::Button, 251, 276, 37, 13, "Hi-shelf"},

    // Microphone parameters: caption, read-out and spin per row.
    {-1, K::GroupBox, 294, 147, 109, 146, "话筒参数"},
    {-1, K::Label, 300, 173, 57, 10, "话筒最大音量"},
    {MaxLevelField, K::Field, 359, 171, 36, 12, ""},
    {MaxLevelSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 188, 57, 10, "话筒激励"},
    {ExciterField, K::Field, 359, 186, 36, 12, ""},
    {ExciterSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 205, 57, 10, "话筒噪声门"},
    {NoiseGateField, K::Field, 359, 203, 36, 12, ""},
    {NoiseGateSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 220, 57, 10, "话筒限幅"},
    {LimiterField, K::Field, 359, 218, 36, 12, ""},
    {LimiterSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 233, 57, 10, "话筒自动增益"},
    {AutoGainField, K::Field, 359, 231, 36, 12, ""},
    {AutoGainSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 248, 57, 10, "话筒12组链接"},
    {MicLinkField, K::Field, 359, 246, 36, 12, ""},
    {MicLinkSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 262, 57, 10, "话筒反馈抑制"},
    {FeedbackSuppressionField, K::Field, 359, 260, 36, 12, ""},
    {FeedbackSuppressionSpin, K::Spin, 0, 0, 0, 0, ""},

    // Input gain of the two microphones.
    {-1, K::GroupBox, 408, 147, 88, 146, "输入增益"},
    {-1, K::Label, 425, 157, 24, 10, "话筒1"},
    {-1, K::Label, 465, 157, 24, 10, "话筒2"},
    {-1, K::Label, 413, 182, 11, 9, "50"},
    {-1, K::Label, 413, 232, 11, 9, "25"},
    {-1, K::Label, 413, 282, 11, 9, "0"},
    {-1, K::Label, 453, 182, 11, 9, "50"},
    {-1, K::Label, 453, 232, 11, 9, "25"},
    {-1, K::Label, 453, 282, 11, 9, "0"},
    {Mic1InputGainField, K::ValueField, 424, 168, 22, 12, ""},
    {Mic1InputGainSlider, K::Slider, 425, 182, 20, 109, ""},
    {Mic2InputGainField, K::ValueField, 464, 168, 22, 12, ""},
    {Mic2InputGainSlider, K::Slider, 465, 182, 20, 109, ""},
});

}  // namespace

const PageTemplate& microphoneTemplate()
{
    static const PageTemplate layout{MicrophoneTemplateId, 504, 296, kControls};
    return layout;
}

}  // namespace tonel::res

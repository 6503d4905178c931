// The System page's template (505 x 296 template units).
#include "res/PageTemplate.h"
#include "res/SystemControls.h"

#include <array>
#include <cstddef>

namespace tonel::res {

namespace {

using K = ControlKind;
using namespace system;

constexpr std::array kFixed = std::to_array<TemplateControl>({
    {GraphFrame, K::Frame, 13, 8, 258, 132, ""},

    // Output volume: four level columns, each with its 50 / 25 / 0 scale on its left.
    {-1, K::GroupBox, 282, 4, 126, 136, "输出音量"},
    {-1, K::Label, 291, 24, 24, 10, "中置"},
    {-1, K::Label, 321, 24, 28, 10, "超低音"},
    {-1, K::Label, 352, 24, 26, 10, "辅助1"},
    {-1, K::Label, 380, 24, 26, 10, "辅助2"},
    {-1, K::Label, 286, 49, 12, 9, "50"},
    {-1, K::Label, 286, 89, 12, 9, "25"},
    {-1, K::Label, 286, 129, 12, 9, "0"},
    {-1, K::Label, 316, 49, 12, 9, "50"},
    {-1, K::Label, 316, 89, 12, 9, "25"},
    {-1, K::Label, 316, 129, 12, 9, "0"},
    {-1, K::Label, 345, 49, 12, 9, "50"},
    {-1, K::Label, 345, 89, 12, 9, "25"},
    {-1, K::Label, 345, 129, 12, 9, "0"},
    {-1, K::Label, 373, 49, 12, 9, "50"},
    {-1, K::Label, 373, 89, 12, 9, "25"},
    {-1, K::Label, 373, 129, 12, 9, "0"},
    {CentreLevelField, K::ValueField, 291, 36, 22, 12, ""},
    {CentreLevelSlider, K::Slider, 299, 48, 12, 91, ""},
    {SubwooferLevelField, K::ValueField, 323, 36, 22, 12, ""},
    {SubwooferLevelSlider, K::Slider, 329, 48, 15, 91, ""},
    {Aux1LevelField, K::ValueField, 352, 36, 22, 12, ""},
    {Aux1LevelSlider, K::Slider, 357, 48, 15, 91, ""},
    {Aux2LevelField, K::ValueField, 380, 36, 22, 12, ""},
    {Aux2LevelSlider, K::Slider, 385, 48, 15, 91, ""},

    // System settings: effect program, panel lock, contrast and the two surround delays.
    {-1, K::GroupBox, 410, 4, 92, 136, ""},
    {-1, K::Label, 413, 11, 47, 12, "效果模式"},
    {-1, K::Label, 413, 26, 47, 12, "面板锁"},
    {-1, K::Label, 413, 41, 47, 12, "显示对比度"},
    {-1, K::Line, 414, 58, 88, 1, ""},
    {-1, K::Label, 415, 63, 60, 10, "环绕延时"},
    {-1, K::Label, 413, 78, 29, 12, "辅助1："},
    {-1, K::Label, 413, 109, 29, 12, "辅助2"},
    {EffectProgramField, K::Field, 461, 11, 41, 12, ""},
    {EffectProgramSpin, K::Spin, 0, 0, 0, 0, ""},
    {PanelLockField, K::Field, 461, 26, 41, 12, ""},
    {PanelLockSpin, K::Spin, 0, 0, 0, 0, ""},
    {DisplayContrastField, K::Field, 461, 41, 41, 12, ""},
    {DisplayContrastSpin, K::Spin, 0, 0, 0, 0, ""},
    {Aux1DelayField, K::Field, 442, 77, 49, 12, ""},
    {Aux1DelaySpin, K::Spin, 0, 0, 0, 0, ""},
    {Aux1DistanceField, K::Field, 442, 91, 49, 12, ""},
    {Aux1DistanceSpin, K::Spin, 0, 0, 0, 0, ""},
    {Aux2DelayField, K::Field, 442, 108, 49, 12, ""},
    {Aux2DelaySpin, K::Spin, 0, 0, 0, 0, ""},
    {Aux2DistanceField, K::Field, 442, 122, 49, 12, ""},
    {Aux2DistanceSpin, K::Spin, 0, 0, 0, 0, ""},

    // Subwoofer settings: phase, high-pass, low-pass and automatic attenuation.
    {-1, K::GroupBox, 444, 143, 56, 150, ""},
    {-1, K::Label, 451, 160, 44, 10, "低音相位"},
    {SubwooferPhaseField, K::Field, 452, 172, 40, 12, ""},
    {SubwooferPhaseSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 190, 44, 10, "低音高通"},
    {SubwooferHighPassField, K::Field, 452, 201, 41, 12, ""},
    {SubwooferHighPassSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 217, 44, 10, "低音低通"},
    {SubwooferLowPassField, K::Field, 452, 229, 42, 12, ""},
    {SubwooferLowPassSpin, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 244, 44, 10, "自动衰减"},
    {SubwooferAutoAttenuationField, K::Field, 452, 257, 41, 12, ""},
    {SubwooferAutoAttenuationSpin, K::Spin, 0, 0, 0, 0, ""},

    // The equaliser box with the captions of its three equalisers.
    {-1, K::GroupBox, 1, 142, 440, 151, ""},
    {-1, K::Label, 103, 148, 50, 10, "房间均衡"},
    {-1, K::Label, 297, 148, 50, 10, "中置均衡"},
    {-1, K::Label, 383, 148, 50, 10, "低音均衡"},
});

// One band column, placed by the x of its type button.
struct BandColumn {
    int x;
    bool room;  // room columns are narrower: 16-wide slider, 36-wide type button
    std::string_view label;
    std::string_view typeCaption;
    int type, gainSlider, gainField, freqField, freqSpin, qField, qSpin;
};

constexpr std::array kColumns = std::to_array<BandColumn>({
    {4, true, "均衡1", "Peaking", RoomEq1TypeButton, RoomEq1GainSlider, RoomEq1GainField,
     RoomEq1FreqField, RoomEq1FreqSpin, RoomEq1QField, RoomEq1QSpin},
    {42, true, "均衡2", "L-Shelf", RoomEq2TypeButton, RoomEq2GainSlider, RoomEq2GainField,
     RoomEq2FreqField, RoomEq2FreqSpin, RoomEq2QField, RoomEq2QSpin},
    {81, true, "均衡3", "L-Shelf", RoomEq3TypeButton, RoomEq3GainSlider, RoomEq3GainField,
     RoomEq3FreqField, RoomEq3FreqSpin, RoomEq3QField, RoomEq3QSpin},
    {120, true, "均衡4", "L-Shelf", RoomEq4TypeButton, RoomEq4GainSlider, RoomEq4GainField,
     RoomEq4FreqField, RoomEq4FreqSpin, RoomEq4QField, RoomEq4QSpin},
    {158, true, "均衡5", "L-Shelf", RoomEq5TypeButton, RoomEq5GainSlider, RoomEq5GainField,
     RoomEq5FreqField, RoomEq5FreqSpin, RoomEq5QField, RoomEq5QSpin},
    {196, true, "均衡6", "L-Shelf", RoomEq6TypeButton, RoomEq6GainSlider, RoomEq6GainField,
     RoomEq6FreqField, RoomEq6FreqSpin, RoomEq6QField, RoomEq6QSpin},
    {234, true, "均衡7", "L-Shelf", RoomEq7TypeButton, RoomEq7GainSlider, RoomEq7GainField,
     RoomEq7FreqField, RoomEq7FreqSpin, RoomEq7QField, RoomEq7QSpin},
    {277, false, "均衡1", "L-Shelf", CentreEq1TypeButton, CentreEq1GainSlider, CentreEq1GainField,
     CentreEq1FreqField, CentreEq1FreqSpin, CentreEq1QField, CentreEq1QSpin},
    {317, false, "均衡2", "L-Shelf", CentreEq2TypeButton, CentreEq2GainSlider, CentreEq2GainField,
     CentreEq2FreqField, CentreEq2FreqSpin, CentreEq2QField, CentreEq2QSpin},
    {361, false, "均衡1", "L-Shelf", SubwooferEq1TypeButton, SubwooferEq1GainSlider, SubwooferEq1GainField,
     SubwooferEq1FreqField, SubwooferEq1FreqSpin, SubwooferEq1QField, SubwooferEq1QSpin},
    {400, false, "均衡2", "L-Shelf", SubwooferEq2TypeButton, SubwooferEq2GainSlider, SubwooferEq2GainField,
     SubwooferEq2FreqField, SubwooferEq2FreqSpin, SubwooferEq2QField, SubwooferEq2QSpin},
});

constexpr std::size_t kPerColumn = 11;

// Top to bottom: label, gain field, gain slider with its scale, frequency and Q fields with
// their spins, type button.
constexpr std::array<TemplateControl, kPerColumn> columnControls(const BandColumn& c)
{
    const int sliderWidth = c.room ? 16 : 19;
    const int scaleX = c.x + 1 + sliderWidth + 1;
    return {{
        {-1, K::Label, c.x + 6, 158, 28, 10, c.label},
        {-1, K::Label, scaleX, 182, 20, 9, "+12dB"},
        {-1, K::Label, scaleX, 211, 20, 9, "0 dB"},
        {-1, K::Label, scaleX, 239, 20, 9, "-12dB"},
        {c.gainField, K::ValueField, c.x, 169, 29, 12, ""},
        {c.gainSlider, K::Slider, c.x + 1, 182, sliderWidth, 66, ""},
        {c.freqField, K::FrequencyField, c.x, 249, 38, 12, ""},
        {c.freqSpin, K::Spin, 0, 0, 0, 0, ""},
        {c.qField, K::Field, c.x, 261, 38, 12, ""},
        {c.qSpin, K::Spin, 0, 0, 0, 0, ""},
        {c.type, K::Button, c.x, 276, c.room ? 36 : 38, 13, c.typeCaption},
    }};
}

constexpr auto kControls = [] {
    std::array<TemplateControl, kFixed.size() + kColumns.size() * kPerColumn> all{};
    std::size_t n = 0;
    for (const auto& c : kFixed)
        all[n++] = c;
    for (const auto& column : kColumns)
        for (const auto& c : columnControls(column))
            all[n++] = c;
    return all;
}();

}  // namespace

const PageTemplate& systemTemplate()
{
    static const PageTemplate layout{SystemTemplateId, 505, 296, kControls};
    return layout;
}

}  // namespace tonel::res

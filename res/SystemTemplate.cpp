// Template 135, the System page (505 x 296 dialog units).
#include "res/DialogTemplate.h"

#include <array>
#include <cstddef>

namespace tonel::res {

namespace {

using K = ControlKind;

constexpr std::array kFixed = std::to_array<TemplateControl>({
    {1000, K::Frame, 13, 8, 258, 132, ""},

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
    {1178, K::ValueField, 291, 36, 22, 12, ""},
    {1179, K::Slider, 299, 48, 12, 91, ""},
    {1006, K::ValueField, 323, 36, 22, 12, ""},
    {1005, K::Slider, 329, 48, 15, 91, ""},
    {1180, K::ValueField, 352, 36, 22, 12, ""},
    {1181, K::Slider, 357, 48, 15, 91, ""},
    {1182, K::ValueField, 380, 36, 22, 12, ""},
    {1011, K::Slider, 385, 48, 15, 91, ""},

    // System settings: effect program, panel lock, contrast and the two surround delays.
    {-1, K::GroupBox, 410, 4, 92, 136, ""},
    {-1, K::Label, 413, 11, 47, 12, "效果模式"},
    {-1, K::Label, 413, 26, 47, 12, "面板锁"},
    {-1, K::Label, 413, 41, 47, 12, "显示对比度"},
    {-1, K::Line, 414, 58, 88, 1, ""},
    {-1, K::Label, 415, 63, 60, 10, "环绕延时"},
    {-1, K::Label, 413, 78, 29, 12, "辅助1："},
    {-1, K::Label, 413, 109, 29, 12, "辅助2"},
    {1012, K::Field, 461, 11, 41, 12, ""},
    {1078, K::Spin, 0, 0, 0, 0, ""},
    {1079, K::Field, 461, 26, 41, 12, ""},
    {1080, K::Spin, 0, 0, 0, 0, ""},
    {1081, K::Field, 461, 41, 41, 12, ""},
    {1082, K::Spin, 0, 0, 0, 0, ""},
    {1083, K::Field, 442, 77, 49, 12, ""},
    {1084, K::Spin, 0, 0, 0, 0, ""},
    {1085, K::Field, 442, 91, 49, 12, ""},
    {1086, K::Spin, 0, 0, 0, 0, ""},
    {1087, K::Field, 442, 108, 49, 12, ""},
    {1088, K::Spin, 0, 0, 0, 0, ""},
    {1089, K::Field, 442, 122, 49, 12, ""},
    {1090, K::Spin, 0, 0, 0, 0, ""},

    // Subwoofer settings: phase, high-pass, low-pass and automatic attenuation.
    {-1, K::GroupBox, 444, 143, 56, 150, ""},
    {-1, K::Label, 451, 160, 44, 10, "低音相位"},
    {1190, K::Field, 452, 172, 40, 12, ""},
    {1194, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 190, 44, 10, "低音高通"},
    {1191, K::Field, 452, 201, 41, 12, ""},
    {1195, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 217, 44, 10, "低音低通"},
    {1198, K::Field, 452, 229, 42, 12, ""},
    {1196, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 452, 244, 44, 10, "自动衰减"},
    {1192, K::Field, 452, 257, 41, 12, ""},
    {1197, K::Spin, 0, 0, 0, 0, ""},

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
    {4, true, "均衡1", "Peaking", 1017, 1013, 1026, 1027, 1064, 1028, 1065},
    {42, true, "均衡2", "L-Shelf", 1021, 1014, 1031, 1029, 1066, 1030, 1077},
    {81, true, "均衡3", "L-Shelf", 1022, 1015, 1034, 1032, 1189, 1033, 1068},
    {120, true, "均衡4", "L-Shelf", 1023, 1016, 1187, 1188, 1069, 1036, 1070},
    {158, true, "均衡5", "L-Shelf", 1024, 1018, 1040, 1038, 1071, 1039, 1072},
    {196, true, "均衡6", "L-Shelf", 1025, 1019, 1043, 1041, 1073, 1042, 1074},
    {234, true, "均衡7", "L-Shelf", 1122, 1121, 1123, 1117, 1118, 1119, 1120},
    {277, false, "均衡1", "L-Shelf", 1129, 1128, 1130, 1124, 1125, 1126, 1127},
    {317, false, "均衡2", "L-Shelf", 1105, 1104, 1106, 1093, 1094, 1095, 1096},
    {361, false, "均衡1", "L-Shelf", 1108, 1107, 1109, 1097, 1098, 1099, 1100},
    {400, false, "均衡2", "L-Shelf", 1115, 1114, 1116, 1110, 1111, 1112, 1113},
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
        {c.freqField, K::FilterField, c.x, 249, 38, 12, ""},
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

const DialogTemplate& systemTemplate()
{
    static const DialogTemplate dialog{135, 505, 296, kControls};
    return dialog;
}

}  // namespace tonel::res

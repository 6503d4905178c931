// Template 131, the Microphone page (504 x 296 dialog units).
#include "res/DialogTemplate.h"

#include <array>

namespace tonel::res {

namespace {

using K = ControlKind;

constexpr std::array kControls = std::to_array<TemplateControl>({
    {1000, K::Frame, 14, 9, 306, 132, ""},

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
    {1093, K::ValueField, 341, 36, 22, 12, ""},
    {1094, K::Slider, 342, 48, 20, 91, ""},
    {1095, K::ValueField, 374, 36, 22, 12, ""},
    {1096, K::Slider, 375, 48, 20, 91, ""},
    {1097, K::ValueField, 407, 36, 22, 12, ""},
    {1098, K::Slider, 408, 48, 20, 91, ""},
    {1099, K::ValueField, 440, 36, 22, 12, ""},
    {1100, K::Slider, 441, 48, 20, 91, ""},
    {1101, K::ValueField, 473, 36, 22, 12, ""},
    {1102, K::Slider, 474, 48, 20, 91, ""},

    // Microphone parametric EQ: the two microphone bands, then the five shared ones.
    {-1, K::GroupBox, 5, 147, 285, 146, "话筒参量均衡"},
    {-1, K::Label, 12, 157, 32, 10, "话筒1："},
    {-1, K::Label, 55, 157, 30, 10, "话筒2"},
    {-1, K::Label, 168, 157, 50, 10, "话筒共亨均衡"},
    {-1, K::Label, 78, 181, 22, 9, "+12dB"},
    {-1, K::Label, 80, 208, 20, 9, "0 dB"},
    {-1, K::Label, 78, 235, 22, 9, "-12dB"},
    // Microphone 1
    {1108, K::ValueField, 16, 167, 22, 12, ""},
    {1110, K::Slider, 17, 180, 20, 66, ""},
    {1158, K::FilterField, 8, 249, 37, 12, ""},
    {1113, K::Spin, 0, 0, 0, 0, ""},
    {1159, K::Field, 8, 261, 37, 12, ""},
    {1114, K::Spin, 0, 0, 0, 0, ""},
    {1116, K::Button, 8, 276, 37, 13, "Peaking"},
    // Microphone 2
    {1109, K::ValueField, 56, 167, 22, 12, ""},
    {1111, K::Slider, 57, 180, 20, 66, ""},
    {1160, K::FilterField, 48, 249, 37, 12, ""},
    {1112, K::Spin, 0, 0, 0, 0, ""},
    {1161, K::Field, 48, 261, 37, 12, ""},
    {1115, K::Spin, 0, 0, 0, 0, ""},
    {1117, K::Button, 48, 276, 37, 13, "Peaking"},
    // Shared band 1
    {1118, K::ValueField, 99, 167, 22, 12, ""},
    {1119, K::Slider, 100, 180, 20, 66, ""},
    {1122, K::FilterField, 91, 249, 37, 12, ""},
    {1120, K::Spin, 0, 0, 0, 0, ""},
    {1123, K::Field, 91, 261, 37, 12, ""},
    {1121, K::Spin, 0, 0, 0, 0, ""},
    {1124, K::Button, 91, 276, 37, 13, "Lo-shelf"},
    // Shared band 2
    {1125, K::ValueField, 139, 167, 22, 12, ""},
    {1126, K::Slider, 140, 180, 20, 66, ""},
    {1129, K::FilterField, 131, 249, 37, 12, ""},
    {1127, K::Spin, 0, 0, 0, 0, ""},
    {1130, K::Field, 131, 261, 37, 12, ""},
    {1128, K::Spin, 0, 0, 0, 0, ""},
    {1131, K::Button, 131, 276, 37, 13, "Peaking"},
    // Shared band 3
    {1132, K::ValueField, 179, 167, 22, 12, ""},
    {1133, K::Slider, 180, 180, 20, 66, ""},
    {1136, K::FilterField, 171, 249, 37, 12, ""},
    {1134, K::Spin, 0, 0, 0, 0, ""},
    {1137, K::Field, 171, 261, 37, 12, ""},
    {1135, K::Spin, 0, 0, 0, 0, ""},
    {1138, K::Button, 171, 276, 37, 13, "Peaking"},
    // Shared band 4
    {1139, K::ValueField, 219, 167, 22, 12, ""},
    {1140, K::Slider, 220, 180, 20, 66, ""},
    {1141, K::FilterField, 211, 249, 37, 12, ""},
    {1144, K::Spin, 0, 0, 0, 0, ""},
    {1142, K::Field, 211, 261, 37, 12, ""},
    {1145, K::Spin, 0, 0, 0, 0, ""},
    {1143, K::Button, 211, 276, 37, 13, "Peaking"},
    // Shared band 5
    {1146, K::ValueField, 259, 167, 22, 12, ""},
    {1147, K::Slider, 260, 180, 20, 66, ""},
    {1150, K::FilterField, 251, 249, 37, 12, ""},
    {1148, K::Spin, 0, 0, 0, 0, ""},
    {1151, K::Field, 251, 261, 37, 12, ""},
    {1149, K::Spin, 0, 0, 0, 0, ""},
    {1152, K::Button, 251, 276, 37, 13, "Hi-shelf"},

    // Microphone parameters: caption, read-out and spin per row.
    {-1, K::GroupBox, 294, 147, 109, 146, "话筒参数"},
    {-1, K::Label, 300, 173, 57, 10, "话筒最大音量"},
    {1162, K::Field, 359, 171, 36, 12, ""},
    {1164, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 188, 57, 10, "话筒激励"},
    {1170, K::Field, 359, 186, 36, 12, ""},
    {1165, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 205, 57, 10, "话筒噪声门"},
    {1171, K::Field, 359, 203, 36, 12, ""},
    {1166, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 220, 57, 10, "话筒限幅"},
    {1172, K::Field, 359, 218, 36, 12, ""},
    {1167, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 233, 57, 10, "话筒自动增益"},
    {1173, K::Field, 359, 231, 36, 12, ""},
    {1168, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 248, 57, 10, "话筒12组链接"},
    {1174, K::Field, 359, 246, 36, 12, ""},
    {1169, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 300, 262, 57, 10, "话筒反馈抑制"},
    {1175, K::Field, 359, 260, 36, 12, ""},
    {1176, K::Spin, 0, 0, 0, 0, ""},

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
    {1154, K::ValueField, 424, 168, 22, 12, ""},
    {1155, K::Slider, 425, 182, 20, 109, ""},
    {1156, K::ValueField, 464, 168, 22, 12, ""},
    {1157, K::Slider, 465, 182, 20, 109, ""},
});

}  // namespace

const DialogTemplate& micTemplate()
{
    static const DialogTemplate dialog{131, 504, 296, kControls};
    return dialog;
}

}  // namespace tonel::res

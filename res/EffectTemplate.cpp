// Template 130, the Effect page (504 x 296 dialog units).
#include "res/DialogTemplate.h"

#include <array>

namespace tonel::res {

namespace {

using K = ControlKind;

constexpr std::array kControls = std::to_array<TemplateControl>({
    {1000, K::Frame, 14, 9, 477, 132, ""},

    // Effect parametric EQ: two band columns with the gain scale between them.
    {-1, K::GroupBox, 5, 145, 150, 148, "效果参量均衡"},
    {-1, K::Label, 16, 157, 40, 10, "均衡1:"},
    {-1, K::Label, 96, 157, 40, 10, "均衡2:"},
    {-1, K::Label, 62, 180, 28, 9, "+12dB"},
    {-1, K::Label, 62, 207, 28, 9, "0   dB"},
    {-1, K::Label, 62, 234, 28, 9, "-12dB"},
    {1079, K::ValueField, 20, 168, 24, 12, ""},
    {1081, K::Slider, 22, 181, 20, 64, ""},
    {1083, K::FilterField, 10, 248, 48, 12, ""},
    {1089, K::Spin, 0, 0, 0, 0, ""},
    {1084, K::FilterField, 10, 261, 48, 12, ""},
    {1090, K::Spin, 0, 0, 0, 0, ""},
    {1085, K::Button, 10, 276, 48, 13, "Peaking"},
    {1080, K::ValueField, 100, 168, 24, 12, ""},
    {1082, K::Slider, 102, 181, 20, 64, ""},
    {1086, K::FilterField, 90, 248, 48, 12, ""},
    {1091, K::Spin, 0, 0, 0, 0, ""},
    {1087, K::FilterField, 90, 261, 48, 12, ""},
    {1092, K::Spin, 0, 0, 0, 0, ""},
    {1088, K::Button, 90, 276, 48, 13, "L-Shelf"},

    // Effect volume: five level sliders.
    {-1, K::GroupBox, 160, 145, 170, 148, "效果音量"},
    {-1, K::Label, 165, 183, 14, 9, "50"},
    {-1, K::Label, 165, 229, 14, 9, "25"},
    {-1, K::Label, 165, 276, 14, 9, "0"},
    {-1, K::Label, 180, 157, 30, 10, "主音量"},
    {1093, K::ValueField, 181, 168, 22, 12, ""},
    {1094, K::Slider, 182, 182, 20, 104, ""},
    {-1, K::Label, 210, 157, 30, 10, "到左右"},
    {1095, K::ValueField, 211, 168, 22, 12, ""},
    {1096, K::Slider, 212, 182, 20, 104, ""},
    {-1, K::Label, 240, 157, 30, 10, "到中置"},
    {1097, K::ValueField, 241, 168, 22, 12, ""},
    {1098, K::Slider, 242, 182, 20, 104, ""},
    {-1, K::Label, 268, 157, 32, 10, "到辅助1"},
    {1099, K::ValueField, 271, 168, 22, 12, ""},
    {1100, K::Slider, 272, 182, 20, 104, ""},
    {-1, K::Label, 298, 157, 32, 10, "到辅助2"},
    {1101, K::ValueField, 301, 168, 22, 12, ""},
    {1102, K::Slider, 302, 182, 20, 104, ""},

    // Effect parameters: the extension switch and four amount sliders.
    {-1, K::GroupBox, 335, 145, 164, 148, "效果参数"},
    {-1, K::Label, 345, 158, 44, 10, "效果扩展:"},
    {1103, K::Field, 392, 156, 44, 12, ""},
    {1104, K::Spin, 0, 0, 0, 0, ""},
    {-1, K::Label, 340, 196, 16, 9, "100"},
    {-1, K::Label, 340, 238, 16, 9, "50"},
    {-1, K::Label, 340, 280, 16, 9, "0"},
    {-1, K::Label, 358, 174, 30, 10, "延时"},
    {1016, K::ValueField, 359, 183, 22, 12, ""},
    {1105, K::Slider, 360, 197, 20, 90, ""},
    {-1, K::Label, 392, 174, 30, 10, "重复"},
    {1019, K::ValueField, 393, 183, 22, 12, ""},
    {1106, K::Slider, 394, 197, 20, 90, ""},
    {-1, K::Label, 422, 174, 34, 10, "混响时间"},
    {1022, K::ValueField, 427, 183, 22, 12, ""},
    {1107, K::Slider, 428, 197, 20, 90, ""},
    {-1, K::Label, 456, 174, 38, 10, "混响/回声"},
    {1024, K::ValueField, 461, 183, 22, 12, ""},
    {1023, K::Slider, 462, 197, 20, 90, ""},
});

}  // namespace

const DialogTemplate& effectTemplate()
{
    static const DialogTemplate dialog{130, 504, 296, kControls};
    return dialog;
}

}  // namespace tonel::res

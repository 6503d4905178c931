#include "tests/sweep/SweepRules.h"

#include "model/ValueScales.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tonel::testing {

namespace {

constexpr std::size_t kEffectProgramByte = 4;
constexpr std::size_t kFirstProgram = 5;
constexpr std::size_t kProgramSize = 18;
constexpr int kLastProgram = 2;

std::string printed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The table entry for display: indices past the table show its last entry.
double tableHz(int index) { return FrequencyTable[static_cast<std::size_t>(std::min(index, 121))]; }

std::string frequencyText(int index, const char* khzUnit)
{
    if (index <= 68)
        return printed("%.2fHz", tableHz(index));  // index 0 holds 0 Hz: "0.00Hz"
    return printed("%.2f", tableHz(index) / 1000.0) + khzUnit;
}

std::string wholeDecibels(int gain)
{
    const int halfDb = gain - 24;
    const int db = halfDb % 2 == 0 ? halfDb / 2 : (halfDb > 0 ? (halfDb + 1) / 2 : (halfDb - 1) / 2);
    return std::to_string(db);
}

template <std::size_t N>
std::string listed(const std::array<const char*, N>& names, int byte)
{
    return byte < static_cast<int>(N) ? names[static_cast<std::size_t>(byte)] : "";
}

std::string onOff(int byte, const char* on) { return byte == 1 ? on : "OFF"; }

}  // namespace

std::size_t resolve(const ImageBytes& image, ByteAt byte)
{
    if (!byte.inProgram)
        return byte.offset;
    const int program = std::min<int>(image[kEffectProgramByte], kLastProgram);
    return kFirstProgram + kProgramSize * static_cast<std::size_t>(program) + byte.offset;
}

std::string expectedText(Shown shown, int byte)
{
    switch (shown) {
    case Shown::Number: return std::to_string(byte);
    case Shown::Gain: return wholeDecibels(byte);
    case Shown::Q: return printed("%.2f", QTable[static_cast<std::size_t>(std::min(byte, 72))]);
    case Shown::EffectFrequency: return frequencyText(byte, "KH");
    case Shown::PageFrequency: return frequencyText(byte, "KHz");
    case Shown::EffectSwitch: return onOff(byte, "ON ");
    case Shown::MicSwitch: return onOff(byte, " ON");
    case Shown::MusicSwitch: return onOff(byte, "ON ");
    case Shown::Limiter: return byte == 25 ? "OFF" : std::to_string(byte - 18) + "dBV";
    case Shown::Feedback: return "FB.EX" + std::to_string(byte);
    case Shown::InputSource: return listed(std::array{"AUTO", "DIGIT", "VOD", "BGM"}, byte);
    case Shown::Program: return listed(std::array{"甜美", "豪迈", "激情"}, byte);
    case Shown::PanelLock: return listed(std::array{"OFF", "ON "}, byte);
    case Shown::Phase: return listed(std::array{"Normal", "Reverse"}, byte);
    case Shown::Delay: return printed("%.1fms", byte * 0.5);
    case Shown::Distance: return printed("%.1fm", byte * 0.5 * 0.34);
    case Shown::HighPass: return byte == 0 ? "OFF" : printed("%.1fHz", tableHz(std::min(byte, 121)));
    case Shown::LowPass: return printed("%.1fHz", tableHz(std::min(byte, 121)));
    case Shown::Attenuation:
        if (byte == 0)
            return "OFF";
        return byte >= 5 ? "MUTE" : "-" + std::to_string(byte * 3) + "dB";
    }
    return "?";
}

std::string expectedCaption(int type, const std::string& before)
{
    static constexpr std::array kNames{"byPass", "Peaking", "bandpass", "Hi-shelf", "Lo-shelf", "Notch"};
    return type < static_cast<int>(kNames.size()) ? kNames[static_cast<std::size_t>(type)] : before;
}

int expectedLevelPosition(int byte, int max) { return std::clamp(max - byte, 0, max); }

int expectedGainPosition(int gain) { return std::clamp((48 - gain) / 2, 0, 24); }

// ---- The pages' controls, as the operator's manual gives them

namespace {

ByteAt at(std::size_t offset) { return {offset, false}; }
ByteAt inProgram(std::size_t offset) { return {offset, true}; }

BandRule band(ByteAt b, int type, int gainSlider, int gainField, int freqField, int freqSpin, int qField, int qSpin,
              Shown frequency = Shown::PageFrequency)
{
    return {b, type, gainSlider, gainField, freqField, freqSpin, qField, qSpin, frequency};
}

SpinRule spin(int id, ByteAt byte, int field, Shown shown) { return {{id}, byte, {{field, shown}}}; }

// The five-band column ids the microphone (shared bands) and music pages have in common.
std::vector<BandRule> fiveBands(std::size_t first)
{
    return {
        band(at(first), 1124, 1119, 1118, 1122, 1120, 1123, 1121),
        band(at(first + 4), 1131, 1126, 1125, 1129, 1127, 1130, 1128),
        band(at(first + 8), 1138, 1133, 1132, 1136, 1134, 1137, 1135),
        band(at(first + 12), 1143, 1140, 1139, 1141, 1144, 1142, 1145),
        band(at(first + 16), 1152, 1147, 1146, 1150, 1148, 1151, 1149),
    };
}

}  // namespace

const PageRules& effectRules()
{
    static const PageRules rules{
        "effect", 130, 5, 58,
        {{1094, 1093, inProgram(0), 50}, {1096, 1095, inProgram(6), 50}, {1098, 1097, inProgram(7), 50},
         {1100, 1099, inProgram(8), 50}, {1102, 1101, inProgram(9), 50}, {1105, 1016, inProgram(2), 100},
         {1106, 1019, inProgram(3), 100}, {1107, 1022, inProgram(4), 100}, {1023, 1024, inProgram(5), 100}},
        {spin(1104, inProgram(1), 1103, Shown::EffectSwitch)},
        {band(inProgram(10), 1085, 1081, 1079, 1083, 1089, 1084, 1090, Shown::EffectFrequency),
         band(inProgram(14), 1088, 1082, 1080, 1086, 1091, 1087, 1092, Shown::EffectFrequency)},
    };
    return rules;
}

const PageRules& micRules()
{
    static const PageRules rules = [] {
        PageRules r{
            "mic", 131, 59, 100,
            {{1094, 1093, at(59), 50}, {1096, 1095, at(68), 50}, {1098, 1097, at(69), 50}, {1100, 1099, at(70), 50},
             {1102, 1101, at(71), 50}, {1155, 1154, at(61), 50}, {1157, 1156, at(62), 50}},
            {spin(1164, at(60), 1162, Shown::Number), spin(1165, at(63), 1170, Shown::MicSwitch),
             spin(1166, at(64), 1171, Shown::MicSwitch), spin(1167, at(66), 1172, Shown::Limiter),
             spin(1168, at(65), 1173, Shown::MicSwitch), spin(1169, at(72), 1174, Shown::MicSwitch),
             spin(1176, at(67), 1175, Shown::Feedback)},
            {band(at(73), 1116, 1110, 1108, 1158, 1113, 1159, 1114),
             band(at(77), 1117, 1111, 1109, 1160, 1112, 1161, 1115)},
        };
        for (const BandRule& b : fiveBands(81))
            r.bands.push_back(b);
        return r;
    }();
    return rules;
}

const PageRules& musicRules()
{
    static const PageRules rules{
        "music", 134, 101, 133,
        {{1094, 1175, at(101), 50}, {1177, 1176, at(109), 50}, {1179, 1178, at(112), 50}, {1005, 1006, at(113), 50},
         {1181, 1180, at(110), 50}, {1011, 1182, at(111), 50}, {1048, 1049, at(103), 50}, {1050, 1051, at(105), 50}},
        {spin(1184, at(102), 1183, Shown::Number), spin(1166, at(106), 1171, Shown::MusicSwitch),
         spin(1167, at(108), 1172, Shown::Limiter), spin(1168, at(107), 1173, Shown::MusicSwitch),
         spin(1186, at(104), 1185, Shown::InputSource)},
        fiveBands(114),
    };
    return rules;
}

const PageRules& systemRules()
{
    static const PageRules rules{
        "system", 135, 134, 187,
        {{1179, 1178, at(162), 50}, {1005, 1006, at(175), 50}, {1181, 1180, at(171), 50}, {1011, 1182, at(173), 50}},
        {spin(1078, at(4), 1012, Shown::Program), spin(1080, at(3), 1079, Shown::PanelLock),
         spin(1082, at(2), 1081, Shown::Number),
         {{1084, 1086}, at(172), {{1083, Shown::Delay}, {1085, Shown::Distance}}},
         {{1088, 1090}, at(174), {{1087, Shown::Delay}, {1089, Shown::Distance}}},
         spin(1194, at(178), 1190, Shown::Phase), spin(1195, at(176), 1191, Shown::HighPass),
         spin(1196, at(177), 1198, Shown::LowPass), spin(1197, at(179), 1192, Shown::Attenuation)},
        {band(at(134), 1017, 1013, 1026, 1027, 1064, 1028, 1065), band(at(138), 1021, 1014, 1031, 1029, 1066, 1030, 1077),
         band(at(142), 1022, 1015, 1034, 1032, 1189, 1033, 1068), band(at(146), 1023, 1016, 1187, 1188, 1069, 1036, 1070),
         band(at(150), 1024, 1018, 1040, 1038, 1071, 1039, 1072), band(at(154), 1025, 1019, 1043, 1041, 1073, 1042, 1074),
         band(at(158), 1122, 1121, 1123, 1117, 1118, 1119, 1120), band(at(163), 1129, 1128, 1130, 1124, 1125, 1126, 1127),
         band(at(167), 1105, 1104, 1106, 1093, 1094, 1095, 1096), band(at(180), 1108, 1107, 1109, 1097, 1098, 1099, 1100),
         band(at(184), 1115, 1114, 1116, 1110, 1111, 1112, 1113)},
    };
    return rules;
}

Coupling couplingOf(int templateId, int controlId)
{
    struct Entry {
        int templateId;
        int control;
        Coupling coupling;
    };
    static constexpr Entry kCouplings[] = {
        {131, 1116, Coupling::MicBand}, {131, 1110, Coupling::MicBand},      {131, 1158, Coupling::MicBand},
        {131, 1113, Coupling::MicBand}, {131, 1114, Coupling::MicBand},      {131, 1117, Coupling::MicBand},
        {131, 1111, Coupling::MicBand}, {131, 1160, Coupling::MicBand},      {131, 1112, Coupling::MicBand},
        {131, 1115, Coupling::MicBand}, {131, 1155, Coupling::MicInputGain}, {131, 1157, Coupling::MicInputGain},
        {131, 1169, Coupling::MicLink}, {131, 1164, Coupling::MaxLevel},     {134, 1184, Coupling::MaxLevel},
    };
    for (const Entry& e : kCouplings)
        if (e.templateId == templateId && e.control == controlId)
            return e.coupling;
    return Coupling::None;
}

}  // namespace tonel::testing

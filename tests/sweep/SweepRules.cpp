#include "tests/sweep/SweepRules.h"

#include "model/ValueScales.h"
#include "res/EffectControls.h"
#include "res/PageTemplate.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
#include "res/SystemControls.h"

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

BandRule band(ByteAt b, const res::BandColumn& c, Shown frequency = Shown::PageFrequency)
{
    return {b, c.typeButton, c.gainSlider, c.gainField, c.freqField, c.freqSpin, c.qField, c.qSpin, frequency};
}

SpinRule spin(int id, ByteAt byte, int field, Shown shown) { return {{id}, byte, {{field, shown}}}; }

}  // namespace

const PageRules& effectRules()
{
    using enum res::effect::Control;
    static const PageRules rules{
        "effect", res::EffectTemplateId, 5, 58,
        {{MainLevelSlider, MainLevelField, inProgram(0), 50},
         {SendLeftRightSlider, SendLeftRightField, inProgram(6), 50},
         {SendCentreSlider, SendCentreField, inProgram(7), 50},
         {SendAux1Slider, SendAux1Field, inProgram(8), 50},
         {SendAux2Slider, SendAux2Field, inProgram(9), 50},
         {DelaySlider, DelayField, inProgram(2), 100},
         {RepeatSlider, RepeatField, inProgram(3), 100},
         {ReverbTimeSlider, ReverbTimeField, inProgram(4), 100},
         {ReverbEchoMixSlider, ReverbEchoMixField, inProgram(5), 100}},
        {spin(ExtensionSpin, inProgram(1), ExtensionField, Shown::EffectSwitch)},
        {band(inProgram(10), res::effect::kEqColumns[0], Shown::EffectFrequency),
         band(inProgram(14), res::effect::kEqColumns[1], Shown::EffectFrequency)},
    };
    return rules;
}

const PageRules& micRules()
{
    using enum res::mic::Control;
    static const PageRules rules{
        "mic", res::MicrophoneTemplateId, 59, 100,
        {{MainLevelSlider, MainLevelField, at(59), 50},
         {SendLeftRightSlider, SendLeftRightField, at(68), 50},
         {SendCentreSlider, SendCentreField, at(69), 50},
         {SendAux1Slider, SendAux1Field, at(70), 50},
         {SendAux2Slider, SendAux2Field, at(71), 50},
         {Mic1InputGainSlider, Mic1InputGainField, at(61), 50},
         {Mic2InputGainSlider, Mic2InputGainField, at(62), 50}},
        {spin(MaxLevelSpin, at(60), MaxLevelField, Shown::Number),
         spin(ExciterSpin, at(63), ExciterField, Shown::MicSwitch),
         spin(NoiseGateSpin, at(64), NoiseGateField, Shown::MicSwitch),
         spin(LimiterSpin, at(66), LimiterField, Shown::Limiter),
         spin(AutoGainSpin, at(65), AutoGainField, Shown::MicSwitch),
         spin(MicLinkSpin, at(72), MicLinkField, Shown::MicSwitch),
         spin(FeedbackSuppressionSpin, at(67), FeedbackSuppressionField, Shown::Feedback)},
        {band(at(73), res::mic::kMicBandColumns[0]),
         band(at(77), res::mic::kMicBandColumns[1]),
         band(at(81), res::mic::kSharedBandColumns[0]),
         band(at(85), res::mic::kSharedBandColumns[1]),
         band(at(89), res::mic::kSharedBandColumns[2]),
         band(at(93), res::mic::kSharedBandColumns[3]),
         band(at(97), res::mic::kSharedBandColumns[4])},
    };
    return rules;
}

const PageRules& musicRules()
{
    using enum res::music::Control;
    static const PageRules rules{
        "music", res::MusicTemplateId, 101, 133,
        {{MainLevelSlider, MainLevelField, at(101), 50},
         {SendLeftRightSlider, SendLeftRightField, at(109), 50},
         {SendCentreSlider, SendCentreField, at(112), 50},
         {SendSubSlider, SendSubField, at(113), 50},
         {SendAux1Slider, SendAux1Field, at(110), 50},
         {SendAux2Slider, SendAux2Field, at(111), 50},
         {InputGainSlider, InputGainField, at(103), 50},
         {BgmGainSlider, BgmGainField, at(105), 50}},
        {spin(MaxLevelSpin, at(102), MaxLevelField, Shown::Number),
         spin(NoiseGateSpin, at(106), NoiseGateField, Shown::MusicSwitch),
         spin(LimiterSpin, at(108), LimiterField, Shown::Limiter),
         spin(AutoGainSpin, at(107), AutoGainField, Shown::MusicSwitch),
         spin(InputSourceSpin, at(104), InputSourceField, Shown::InputSource)},
        {band(at(114), res::music::kEqColumns[0]),
         band(at(118), res::music::kEqColumns[1]),
         band(at(122), res::music::kEqColumns[2]),
         band(at(126), res::music::kEqColumns[3]),
         band(at(130), res::music::kEqColumns[4])},
    };
    return rules;
}

const PageRules& systemRules()
{
    using enum res::system::Control;
    static const PageRules rules{
        "system", res::SystemTemplateId, 134, 187,
        {{CentreLevelSlider, CentreLevelField, at(162), 50},
         {SubwooferLevelSlider, SubwooferLevelField, at(175), 50},
         {Aux1LevelSlider, Aux1LevelField, at(171), 50},
         {Aux2LevelSlider, Aux2LevelField, at(173), 50}},
        {spin(EffectProgramSpin, at(4), EffectProgramField, Shown::Program),
         spin(PanelLockSpin, at(3), PanelLockField, Shown::PanelLock),
         spin(DisplayContrastSpin, at(2), DisplayContrastField, Shown::Number),
         {{Aux1DelaySpin, Aux1DistanceSpin},
          at(172),
          {{Aux1DelayField, Shown::Delay}, {Aux1DistanceField, Shown::Distance}}},
         {{Aux2DelaySpin, Aux2DistanceSpin},
          at(174),
          {{Aux2DelayField, Shown::Delay}, {Aux2DistanceField, Shown::Distance}}},
         spin(SubwooferPhaseSpin, at(178), SubwooferPhaseField, Shown::Phase),
         spin(SubwooferHighPassSpin, at(176), SubwooferHighPassField, Shown::HighPass),
         spin(SubwooferLowPassSpin, at(177), SubwooferLowPassField, Shown::LowPass),
         spin(SubwooferAutoAttenuationSpin, at(179), SubwooferAutoAttenuationField, Shown::Attenuation)},
        {band(at(134), res::system::kRoomEqColumns[0]),
         band(at(138), res::system::kRoomEqColumns[1]),
         band(at(142), res::system::kRoomEqColumns[2]),
         band(at(146), res::system::kRoomEqColumns[3]),
         band(at(150), res::system::kRoomEqColumns[4]),
         band(at(154), res::system::kRoomEqColumns[5]),
         band(at(158), res::system::kRoomEqColumns[6]),
         band(at(163), res::system::kCentreEqColumns[0]),
         band(at(167), res::system::kCentreEqColumns[1]),
         band(at(180), res::system::kSubwooferEqColumns[0]),
         band(at(184), res::system::kSubwooferEqColumns[1])},
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
    namespace mic = res::mic;
    constexpr int kMic = res::MicrophoneTemplateId;
    constexpr int kMusic = res::MusicTemplateId;
    static constexpr Entry kCouplings[] = {
        {kMic, mic::Mic1BandTypeButton, Coupling::MicBand}, {kMic, mic::Mic1BandGainSlider, Coupling::MicBand},
        {kMic, mic::Mic1BandFreqField, Coupling::MicBand},  {kMic, mic::Mic1BandFreqSpin, Coupling::MicBand},
        {kMic, mic::Mic1BandQSpin, Coupling::MicBand},      {kMic, mic::Mic2BandTypeButton, Coupling::MicBand},
        {kMic, mic::Mic2BandGainSlider, Coupling::MicBand}, {kMic, mic::Mic2BandFreqField, Coupling::MicBand},
        {kMic, mic::Mic2BandFreqSpin, Coupling::MicBand},   {kMic, mic::Mic2BandQSpin, Coupling::MicBand},
        {kMic, mic::Mic1InputGainSlider, Coupling::MicInputGain},
        {kMic, mic::Mic2InputGainSlider, Coupling::MicInputGain},
        {kMic, mic::MicLinkSpin, Coupling::MicLink},
        {kMic, mic::MaxLevelSpin, Coupling::MaxLevel},
        {kMusic, res::music::MaxLevelSpin, Coupling::MaxLevel},
    };
    for (const Entry& e : kCouplings)
        if (e.templateId == templateId && e.control == controlId)
            return e.coupling;
    return Coupling::None;
}

}  // namespace tonel::testing

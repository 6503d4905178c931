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

BandRule band(ByteAt b, int type, int gainSlider, int gainField, int freqField, int freqSpin, int qField, int qSpin,
              Shown frequency = Shown::PageFrequency)
{
    return {b, type, gainSlider, gainField, freqField, freqSpin, qField, qSpin, frequency};
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
        {band(inProgram(10), Eq1TypeButton, Eq1GainSlider, Eq1GainField, Eq1FreqField, Eq1FreqSpin, Eq1QField,
              Eq1QSpin, Shown::EffectFrequency),
         band(inProgram(14), Eq2TypeButton, Eq2GainSlider, Eq2GainField, Eq2FreqField, Eq2FreqSpin, Eq2QField,
              Eq2QSpin, Shown::EffectFrequency)},
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
        {band(at(73), Mic1BandTypeButton, Mic1BandGainSlider, Mic1BandGainField, Mic1BandFreqField, Mic1BandFreqSpin,
              Mic1BandQField, Mic1BandQSpin),
         band(at(77), Mic2BandTypeButton, Mic2BandGainSlider, Mic2BandGainField, Mic2BandFreqField, Mic2BandFreqSpin,
              Mic2BandQField, Mic2BandQSpin),
         band(at(81), SharedBand1TypeButton, SharedBand1GainSlider, SharedBand1GainField, SharedBand1FreqField,
              SharedBand1FreqSpin, SharedBand1QField, SharedBand1QSpin),
         band(at(85), SharedBand2TypeButton, SharedBand2GainSlider, SharedBand2GainField, SharedBand2FreqField,
              SharedBand2FreqSpin, SharedBand2QField, SharedBand2QSpin),
         band(at(89), SharedBand3TypeButton, SharedBand3GainSlider, SharedBand3GainField, SharedBand3FreqField,
              SharedBand3FreqSpin, SharedBand3QField, SharedBand3QSpin),
         band(at(93), SharedBand4TypeButton, SharedBand4GainSlider, SharedBand4GainField, SharedBand4FreqField,
              SharedBand4FreqSpin, SharedBand4QField, SharedBand4QSpin),
         band(at(97), SharedBand5TypeButton, SharedBand5GainSlider, SharedBand5GainField, SharedBand5FreqField,
              SharedBand5FreqSpin, SharedBand5QField, SharedBand5QSpin)},
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
        {band(at(114), Eq1TypeButton, Eq1GainSlider, Eq1GainField, Eq1FreqField, Eq1FreqSpin, Eq1QField, Eq1QSpin),
         band(at(118), Eq2TypeButton, Eq2GainSlider, Eq2GainField, Eq2FreqField, Eq2FreqSpin, Eq2QField, Eq2QSpin),
         band(at(122), Eq3TypeButton, Eq3GainSlider, Eq3GainField, Eq3FreqField, Eq3FreqSpin, Eq3QField, Eq3QSpin),
         band(at(126), Eq4TypeButton, Eq4GainSlider, Eq4GainField, Eq4FreqField, Eq4FreqSpin, Eq4QField, Eq4QSpin),
         band(at(130), Eq5TypeButton, Eq5GainSlider, Eq5GainField, Eq5FreqField, Eq5FreqSpin, Eq5QField, Eq5QSpin)},
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
        {band(at(134), RoomEq1TypeButton, RoomEq1GainSlider, RoomEq1GainField, RoomEq1FreqField, RoomEq1FreqSpin,
              RoomEq1QField, RoomEq1QSpin),
         band(at(138), RoomEq2TypeButton, RoomEq2GainSlider, RoomEq2GainField, RoomEq2FreqField, RoomEq2FreqSpin,
              RoomEq2QField, RoomEq2QSpin),
         band(at(142), RoomEq3TypeButton, RoomEq3GainSlider, RoomEq3GainField, RoomEq3FreqField, RoomEq3FreqSpin,
              RoomEq3QField, RoomEq3QSpin),
         band(at(146), RoomEq4TypeButton, RoomEq4GainSlider, RoomEq4GainField, RoomEq4FreqField, RoomEq4FreqSpin,
              RoomEq4QField, RoomEq4QSpin),
         band(at(150), RoomEq5TypeButton, RoomEq5GainSlider, RoomEq5GainField, RoomEq5FreqField, RoomEq5FreqSpin,
              RoomEq5QField, RoomEq5QSpin),
         band(at(154), RoomEq6TypeButton, RoomEq6GainSlider, RoomEq6GainField, RoomEq6FreqField, RoomEq6FreqSpin,
              RoomEq6QField, RoomEq6QSpin),
         band(at(158), RoomEq7TypeButton, RoomEq7GainSlider, RoomEq7GainField, RoomEq7FreqField, RoomEq7FreqSpin,
              RoomEq7QField, RoomEq7QSpin),
         band(at(163), CentreEq1TypeButton, CentreEq1GainSlider, CentreEq1GainField, CentreEq1FreqField,
              CentreEq1FreqSpin, CentreEq1QField, CentreEq1QSpin),
         band(at(167), CentreEq2TypeButton, CentreEq2GainSlider, CentreEq2GainField, CentreEq2FreqField,
              CentreEq2FreqSpin, CentreEq2QField, CentreEq2QSpin),
         band(at(180), SubwooferEq1TypeButton, SubwooferEq1GainSlider, SubwooferEq1GainField, SubwooferEq1FreqField,
              SubwooferEq1FreqSpin, SubwooferEq1QField, SubwooferEq1QSpin),
         band(at(184), SubwooferEq2TypeButton, SubwooferEq2GainSlider, SubwooferEq2GainField, SubwooferEq2FreqField,
              SubwooferEq2FreqSpin, SubwooferEq2QField, SubwooferEq2QSpin)},
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

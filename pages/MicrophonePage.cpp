#include "pages/MicrophonePage.h"

#include "model/Fields.h"
#include "model/ParameterSetting.h"
#include "model/ValueTexts.h"
#include "pages/FieldFont.h"
#include "res/MicrophoneControls.h"

#include <QWidget>

namespace tonel {

namespace {

namespace mic = fields::mic;
using namespace res::mic;

constexpr int kInputGainSliders[2] = {Mic1InputGainSlider, Mic2InputGainSlider};

// The two microphone bands' own spins show one decimal in part of their cases.
constexpr FrequencyFormat kOneDecimal{1, 1, "KHz", KhzFactor::Single};
constexpr FrequencyFormat kOneDecimalHzTwoDecimalsKhz{1, 2, "KHz", KhzFactor::Single};
constexpr FrequencyTexts kMic1Texts{kOneDecimal, kOneDecimal, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kMic2Texts{kOneDecimalHzTwoDecimalsKhz, kOneDecimal, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kSharedTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};

BandBinding sharedBand(int k) { return {"mic.eq" + std::to_string(k + 1), kSharedBandColumns[k], kSharedTexts}; }

// "ON" stands right-aligned under "OFF".
Readout onOff(int fieldId)
{
    return readout::switchByArrow(fieldId, " " + switchName(1), switchName(0), switchName(0));
}

}  // namespace

MicrophonePage::MicrophonePage(PageContext context, QWidget* parent)
    : BoundPage(context, res::microphoneTemplate(), parent)
{
    bindLevels({
        {MainLevelSlider, MainLevelField, "mic.main_level"},
        {SendLeftRightSlider, SendLeftRightField, "mic.send_lr"},
        {SendCentreSlider, SendCentreField, "mic.send_centre"},
        {SendAux1Slider, SendAux1Field, "mic.send_aux1"},
        {SendAux2Slider, SendAux2Field, "mic.send_aux2"},
        {Mic1InputGainSlider, Mic1InputGainField, "mic.input_gain1", [this] { inputGainMoved(mic::inputGain(0)); }},
        {Mic2InputGainSlider, Mic2InputGainField, "mic.input_gain2", [this] { inputGainMoved(mic::inputGain(1)); }},
    });
    bindSpins({
        {MaxLevelSpin, "mic.max_level", {readout::number(MaxLevelField)}},
        {ExciterSpin, "mic.exciter", {onOff(ExciterField)}},
        {NoiseGateSpin, "mic.noise_gate", {onOff(NoiseGateField)}},
        {LimiterSpin, "mic.limiter", {readout::byByte(LimiterField, formatThreshold)}},
        {AutoGainSpin, "mic.auto_gain", {onOff(AutoGainField)}},
        {MicLinkSpin, "mic.link", {onOff(MicLinkField)}, false,
         [this](SpinArrow arrow) { linkStepped(arrow); }},
        // The device's modes are 0..3; a larger byte from a file keeps the same form.
        {FeedbackSuppressionSpin, "mic.feedback", {readout::byByte(FeedbackSuppressionField, formatFeedbackMode)}},
    });
    bindBands({
        {"mic.mic1_eq", kMicBandColumns[0], kMic1Texts},
        {"mic.mic2_eq", kMicBandColumns[1], kMic2Texts},
        sharedBand(0), sharedBand(1), sharedBand(2), sharedBand(3), sharedBand(4),
    });
    fitBandFieldFonts();
    // A mode byte beyond 3 shows its number.
    fitFieldFont(controls_, {FeedbackSuppressionField}, {QString::fromStdString(formatFeedbackMode(255))});
    redrawGraphOnEveryMouseMove();
}

// Switching the link on makes microphone 2 a copy of microphone 1; switching it off copies nothing.
void MicrophonePage::linkStepped(SpinArrow arrow)
{
    if (arrow != SpinArrow::Up || !stepChanged())
        return;
    copyMic1ToMic2(image());
    refreshFromImage();
    redrawGraph();
    applyControlMode();
}

// While linked, the other microphone follows; the shared bands are never copied.
void MicrophonePage::afterBandChange(const BandBinding& changed)
{
    if (followMicLink(image(), changed.band.resolve(image())))
        refreshMicBands();
}

void MicrophonePage::inputGainMoved(std::size_t offset)
{
    if (!followMicLink(image(), offset))
        return;
    refreshMicBands();
    redrawGraph();
}

void MicrophonePage::refreshMicBands()
{
    const bool fullSet = image().get(fields::global::controlMode) == 1;
    for (int typeButton : {Mic1BandTypeButton, Mic2BandTypeButton}) {
        const BandBinding& b = band(typeButton);
        refreshBand(b);  // fields, gain slider, everything enabled, then the Full-set enabling
        if (fullSet)
            continue;
        for (int id : {b.ids.typeButton, b.ids.freqField, b.ids.qField})
            controls_.widget(id)->setEnabled(false);
        for (int id : {b.ids.gainField, b.ids.gainSlider})
            controls_.widget(id)->setEnabled(true);
        applyFullSetEnabling(b);
    }
    for (int slider : kInputGainSliders)
        refreshLevel(level(slider));
}

std::vector<EqCurve> MicrophonePage::curves() const { return curvesOf(GraphPage::Microphone); }

}  // namespace tonel

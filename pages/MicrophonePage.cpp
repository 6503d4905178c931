#include "pages/MicrophonePage.h"

#include "model/Fields.h"
#include "model/ParameterSetting.h"
#include "model/ValueTexts.h"
#include "pages/FieldFont.h"

#include <QWidget>

namespace tonel {

namespace {

namespace mic = fields::mic;

constexpr int kMic1TypeButton = 1116;
constexpr int kMic2TypeButton = 1117;
constexpr int kInputGainSliders[2] = {1155, 1157};

// The two microphone bands' own spins show one decimal in part of their cases.
constexpr FrequencyFormat kOneDecimal{1, 1, "KHz", KhzFactor::Single};
constexpr FrequencyFormat kOneDecimalHzTwoDecimalsKhz{1, 2, "KHz", KhzFactor::Single};
constexpr FrequencyTexts kMic1Texts{kOneDecimal, kOneDecimal, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kMic2Texts{kOneDecimalHzTwoDecimalsKhz, kOneDecimal, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kSharedTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};

BandBinding sharedBand(int k, int type, int gainSlider, int gainField, int freqField, int freqSpin, int qField, int qSpin)
{
    return {at(mic::eq(k)), type, gainSlider, gainField, freqField, freqSpin, qField, qSpin, 0, kSharedTexts};
}

// "ON" stands right-aligned under "OFF".
Readout onOff(int fieldId)
{
    return readout::switchByArrow(fieldId, " " + switchName(1), switchName(0), switchName(0));
}

}  // namespace

MicrophonePage::MicrophonePage(PageContext context, QWidget* parent) : BoundPage(context, res::micTemplate(), parent)
{
    bindLevels({
        {1094, 1093, at(mic::mainLevel)},
        {1096, 1095, at(mic::sendLR)},
        {1098, 1097, at(mic::sendCentre)},
        {1100, 1099, at(mic::sendAux1)},
        {1102, 1101, at(mic::sendAux2)},
        {kInputGainSliders[0], 1154, at(mic::inputGain(0)), kLevelMax, [this] { inputGainMoved(mic::inputGain(0)); }},
        {kInputGainSliders[1], 1156, at(mic::inputGain(1)), kLevelMax, [this] { inputGainMoved(mic::inputGain(1)); }},
    });
    bindSpins({
        {1164, at(mic::maxLevel), 0, kLevelMax, {readout::number(1162)}},
        {1165, at(mic::exciter), 0, 1, {onOff(1170)}},
        {1166, at(mic::noiseGate), 0, 1, {onOff(1171)}},
        {1167, at(mic::limiter), 0, 25, {readout::byByte(1172, formatThreshold)}},
        {1168, at(mic::autoGain), 0, 1, {onOff(1173)}},
        {1169, at(mic::link), 0, 1, {onOff(1174)}, false,
         [this](SpinArrow arrow) { linkStepped(arrow); }},
        // The device's modes are 0..3; a larger byte from a file keeps the same form.
        {1176, at(mic::feedback), 0, 3, {readout::byByte(1175, formatFeedbackMode)}},
    });
    bindBands({
        {at(mic::micEq(0)), kMic1TypeButton, 1110, 1108, 1158, 1113, 1159, 1114, 1, kMic1Texts},
        {at(mic::micEq(1)), kMic2TypeButton, 1111, 1109, 1160, 1112, 1161, 1115, 1, kMic2Texts},
        sharedBand(0, 1124, 1119, 1118, 1122, 1120, 1123, 1121),
        sharedBand(1, 1131, 1126, 1125, 1129, 1127, 1130, 1128),
        sharedBand(2, 1138, 1133, 1132, 1136, 1134, 1137, 1135),
        sharedBand(3, 1143, 1140, 1139, 1141, 1144, 1142, 1145),
        sharedBand(4, 1152, 1147, 1146, 1150, 1148, 1151, 1149),
    });
    fitFieldFont(controls_, {1158, 1160, 1122, 1129, 1136, 1141, 1150, 1159, 1161, 1123, 1130, 1137, 1142, 1151},
                 pageFrequencyTexts());
    // A mode byte beyond 3 shows its number.
    fitFieldFont(controls_, {1175}, {QString::fromStdString(formatFeedbackMode(255))});
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
    for (int typeButton : {kMic1TypeButton, kMic2TypeButton}) {
        const BandBinding& b = band(typeButton);
        refreshBand(b);  // fields, gain slider, everything enabled, then the Full-set enabling
        if (fullSet)
            continue;
        for (int id : {b.typeButtonId, b.freqFieldId, b.qFieldId})
            controls_.widget(id)->setEnabled(false);
        for (int id : {b.gainFieldId, b.gainSliderId})
            controls_.widget(id)->setEnabled(true);
        applyFullSetEnabling(b);
    }
    for (int slider : kInputGainSliders)
        refreshLevel(level(slider));
}

std::vector<EqCurve> MicrophonePage::curves() const
{
    return {
        curveOf({mic::eq(0), mic::eq(1), mic::eq(2), mic::eq(3), mic::eq(4)}, QColor(255, 255, 0, 255),
                {"2", "3", "4", "5", "6"}),
        curveOf({mic::micEq(1)}, QColor(0, 0, 255, 255), {"MIC2"}),
        curveOf({mic::micEq(0)}, QColor(0, 255, 0, 255), {"MIC1"}),
    };
}

}  // namespace tonel

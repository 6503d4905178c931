#include "pages/EffectPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"

namespace tonel {

namespace {

namespace fx = fields::effect;

constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKh, kTwoDecimalsKh, kTwoDecimalsKh, kOneDecimalKhzExact};

BandBinding effectBand(int band, int type, int gainSlider, int gainField, int freqField, int freqSpin, int qField, int qSpin)
{
    return {inProgram(fx::eq(band)), type, gainSlider, gainField, freqField, freqSpin, qField, qSpin, 1, kFrequencyTexts};
}

// The arrows write "ON" and "OFF" padded with a blank on the right; a refresh writes "OFF" bare.
Readout extensionSwitch(int fieldId)
{
    return readout::switchByArrow(fieldId, switchName(1) + " ", switchName(0) + " ", switchName(0));
}

}  // namespace

EffectPage::EffectPage(PageContext context, QWidget* parent)
    : BoundPage(context, res::effectTemplate(), parent)
{
    bindLevels({
        {1094, 1093, inProgram(fx::masterLevel)},
        {1096, 1095, inProgram(fx::toLeftRight)},
        {1098, 1097, inProgram(fx::toCentre)},
        {1100, 1099, inProgram(fx::toAux1)},
        {1102, 1101, inProgram(fx::toAux2)},
        {1105, 1016, inProgram(fx::delay), kAmountMax},
        {1106, 1019, inProgram(fx::repeat), kAmountMax},
        {1107, 1022, inProgram(fx::reverbTime), kAmountMax},
        {1023, 1024, inProgram(fx::reverbEchoMix), kAmountMax},
    });
    bindSpins({
        {1104, inProgram(fx::extension), 0, 1, {extensionSwitch(1103)}, false, {}, true},
    });
    bindBands({
        effectBand(0, 1085, 1081, 1079, 1083, 1089, 1084, 1090),
        effectBand(1, 1088, 1082, 1080, 1086, 1091, 1087, 1092),
    });
    redrawGraphOnEveryMouseMove();
}

std::vector<EqCurve> EffectPage::curves() const
{
    EqCurve curve;
    curve.bands = {image().band(image().effectOffset(fx::eq(0))), image().band(image().effectOffset(fx::eq(1)))};
    curve.colour = QColor(24, 180, 255, 255);
    curve.labels = {"1", "2"};
    curve.handleLeftOffset = 5;
    curve.handleFurtherLeftAtTopFrequency = false;  // 5 for every band already
    curve.xShift = 0;
    return {curve};
}

}  // namespace tonel

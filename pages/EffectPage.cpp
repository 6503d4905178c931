#include "pages/EffectPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "res/EffectControls.h"

namespace tonel {

namespace {

namespace fx = fields::effect;
namespace id = res::effect;

constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKh, kTwoDecimalsKh, kTwoDecimalsKh, kOneDecimalKhzExact};

BandBinding effectBand(int band) { return {inProgram(fx::eq(band)), id::kEqColumns[band], 1, kFrequencyTexts}; }

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
        {id::MainLevelSlider, id::MainLevelField, inProgram(fx::masterLevel)},
        {id::SendLeftRightSlider, id::SendLeftRightField, inProgram(fx::toLeftRight)},
        {id::SendCentreSlider, id::SendCentreField, inProgram(fx::toCentre)},
        {id::SendAux1Slider, id::SendAux1Field, inProgram(fx::toAux1)},
        {id::SendAux2Slider, id::SendAux2Field, inProgram(fx::toAux2)},
        {id::DelaySlider, id::DelayField, inProgram(fx::delay), kAmountMax},
        {id::RepeatSlider, id::RepeatField, inProgram(fx::repeat), kAmountMax},
        {id::ReverbTimeSlider, id::ReverbTimeField, inProgram(fx::reverbTime), kAmountMax},
        {id::ReverbEchoMixSlider, id::ReverbEchoMixField, inProgram(fx::reverbEchoMix), kAmountMax},
    });
    bindSpins({
        {id::ExtensionSpin, inProgram(fx::extension), 0, 1, {extensionSwitch(id::ExtensionField)}, false, {}, true},
    });
    bindBands({effectBand(0), effectBand(1)});
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

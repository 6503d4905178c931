#include "pages/EffectPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "res/EffectControls.h"

namespace tonel {

namespace {

namespace fx = fields::effect;
namespace id = res::effect;

constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKh, kTwoDecimalsKh, kTwoDecimalsKh, kOneDecimalKhzExact};

// The first program's names stand for the selected program's bytes.
BandBinding effectBand(int band)
{
    return {"effect1.eq" + std::to_string(band + 1), id::kEqColumns[band], kFrequencyTexts};
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
        {id::MainLevelSlider, id::MainLevelField, "effect1.master_level"},
        {id::SendLeftRightSlider, id::SendLeftRightField, "effect1.to_left_right"},
        {id::SendCentreSlider, id::SendCentreField, "effect1.to_centre"},
        {id::SendAux1Slider, id::SendAux1Field, "effect1.to_aux1"},
        {id::SendAux2Slider, id::SendAux2Field, "effect1.to_aux2"},
        {id::DelaySlider, id::DelayField, "effect1.delay"},
        {id::RepeatSlider, id::RepeatField, "effect1.repeat"},
        {id::ReverbTimeSlider, id::ReverbTimeField, "effect1.reverb_time"},
        {id::ReverbEchoMixSlider, id::ReverbEchoMixField, "effect1.reverb_echo_mix"},
    });
    bindSpins({
        {id::ExtensionSpin, "effect1.extension", {extensionSwitch(id::ExtensionField)}, false, {}, true},
    });
    bindBands({effectBand(0), effectBand(1)});
    redrawGraphOnEveryMouseMove();
}

std::vector<EqCurve> EffectPage::curves() const
{
    std::vector<EqCurve> curves = curvesOf(GraphPage::Effect);
    curves.front().handleLeftOffset = 5;
    curves.front().handleFurtherLeftAtTopFrequency = false;  // 5 for every band already
    curves.front().xShift = 0;
    return curves;
}

}  // namespace tonel

#include "pages/MusicPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "res/MusicControls.h"

namespace tonel {

namespace {

namespace music = fields::music;
namespace id = res::music;

// Band 4's up arrow shows its kHz values with one decimal.
constexpr FrequencyFormat kTwoDecimalsHzOneDecimalKhz{2, 1, "KHz", KhzFactor::Single};
constexpr FrequencyTexts kTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kBand4Texts{kTwoDecimalsHzOneDecimalKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};

BandBinding musicBand(int k, const FrequencyTexts& texts = kTexts)
{
    return {"music.eq" + std::to_string(k + 1), id::kEqColumns[k], texts};
}

// "ON" stands left-aligned over "OFF".
Readout onOff(int fieldId)
{
    return readout::switchByArrow(fieldId, switchName(1) + " ", switchName(0), switchName(0));
}

// The source names; a click at a bound leaves the text as it is, a byte without a name shows
// nothing.
Readout inputSource(int fieldId)
{
    return {fieldId, [](int byte, SpinArrow arrow, bool changed) -> std::optional<std::string> {
                if (arrow != SpinArrow::None && !changed)
                    return std::nullopt;
                return inputSourceName(byte);
            }};
}

}  // namespace

MusicPage::MusicPage(PageContext context, QWidget* parent) : BoundPage(context, res::musicTemplate(), parent)
{
    bindLevels({
        {id::MainLevelSlider, id::MainLevelField, "music.main_level"},
        {id::SendLeftRightSlider, id::SendLeftRightField, "music.send_lr"},
        {id::SendCentreSlider, id::SendCentreField, "music.send_centre"},
        {id::SendSubSlider, id::SendSubField, "music.send_sub"},
        {id::SendAux1Slider, id::SendAux1Field, "music.send_aux1"},
        {id::SendAux2Slider, id::SendAux2Field, "music.send_aux2"},
        {id::InputGainSlider, id::InputGainField, "music.input_gain"},
        {id::BgmGainSlider, id::BgmGainField, "music.bgm_gain"},
    });
    bindSpins({
        {id::MaxLevelSpin, "music.max_level", {readout::number(id::MaxLevelField)}},
        {id::NoiseGateSpin, "music.noise_gate", {onOff(id::NoiseGateField)}},
        {id::LimiterSpin, "music.limiter", {readout::byByte(id::LimiterField, formatThreshold)}},
        {id::AutoGainSpin, "music.auto_gain", {onOff(id::AutoGainField)}},
        {id::InputSourceSpin, "music.input_select", {inputSource(id::InputSourceField)}},
    });
    bindBands({musicBand(0), musicBand(1), musicBand(2), musicBand(3, kBand4Texts), musicBand(4)});
    fitBandFieldFonts();
}

std::vector<EqCurve> MusicPage::curves() const { return curvesOf(GraphPage::Music); }

}  // namespace tonel

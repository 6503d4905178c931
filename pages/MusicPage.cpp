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
    return {at(music::eq(k)), id::kEqColumns[k], 0, texts};
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
        {id::MainLevelSlider, id::MainLevelField, at(music::mainLevel)},
        {id::SendLeftRightSlider, id::SendLeftRightField, at(music::sendLR)},
        {id::SendCentreSlider, id::SendCentreField, at(music::sendCentre)},
        {id::SendSubSlider, id::SendSubField, at(music::sendSub)},
        {id::SendAux1Slider, id::SendAux1Field, at(music::sendAux1)},
        {id::SendAux2Slider, id::SendAux2Field, at(music::sendAux2)},
        {id::InputGainSlider, id::InputGainField, at(music::inputGain)},
        {id::BgmGainSlider, id::BgmGainField, at(music::bgmGain)},
    });
    bindSpins({
        {id::MaxLevelSpin, at(music::maxLevel), 0, kLevelMax, {readout::number(id::MaxLevelField)}},
        {id::NoiseGateSpin, at(music::noiseGate), 0, 1, {onOff(id::NoiseGateField)}},
        {id::LimiterSpin, at(music::limiter), 0, 25, {readout::byByte(id::LimiterField, formatThreshold)}},
        {id::AutoGainSpin, at(music::autoGain), 0, 1, {onOff(id::AutoGainField)}},
        {id::InputSourceSpin, at(music::inputSelect), 0, 3, {inputSource(id::InputSourceField)}},
    });
    bindBands({musicBand(0), musicBand(1), musicBand(2), musicBand(3, kBand4Texts), musicBand(4)});
    fitBandFieldFonts();
}

std::vector<EqCurve> MusicPage::curves() const
{
    return {curveOf({music::eq(0), music::eq(1), music::eq(2), music::eq(3), music::eq(4)}, QColor(255, 255, 0, 255),
                    {"1", "2", "3", "4", "5"})};
}

}  // namespace tonel

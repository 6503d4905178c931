#include "pages/MusicPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/FieldFont.h"
#include "res/MusicControls.h"

namespace tonel {

namespace {

namespace music = fields::music;
namespace id = res::music;

// Band 4's up arrow shows its kHz values with one decimal.
constexpr FrequencyFormat kTwoDecimalsHzOneDecimalKhz{2, 1, "KHz", KhzFactor::Single};
constexpr FrequencyTexts kTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr FrequencyTexts kBand4Texts{kTwoDecimalsHzOneDecimalKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};

BandBinding musicBand(int k, int type, int gainSlider, int gainField, int freqField, int freqSpin, int qField, int qSpin,
                      const FrequencyTexts& texts = kTexts)
{
    return {at(music::eq(k)), type, gainSlider, gainField, freqField, freqSpin, qField, qSpin, 0, texts};
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
    bindBands({
        musicBand(0, id::Eq1TypeButton, id::Eq1GainSlider, id::Eq1GainField, id::Eq1FreqField, id::Eq1FreqSpin,
                  id::Eq1QField, id::Eq1QSpin),
        musicBand(1, id::Eq2TypeButton, id::Eq2GainSlider, id::Eq2GainField, id::Eq2FreqField, id::Eq2FreqSpin,
                  id::Eq2QField, id::Eq2QSpin),
        musicBand(2, id::Eq3TypeButton, id::Eq3GainSlider, id::Eq3GainField, id::Eq3FreqField, id::Eq3FreqSpin,
                  id::Eq3QField, id::Eq3QSpin),
        musicBand(3, id::Eq4TypeButton, id::Eq4GainSlider, id::Eq4GainField, id::Eq4FreqField, id::Eq4FreqSpin,
                  id::Eq4QField, id::Eq4QSpin, kBand4Texts),
        musicBand(4, id::Eq5TypeButton, id::Eq5GainSlider, id::Eq5GainField, id::Eq5FreqField, id::Eq5FreqSpin,
                  id::Eq5QField, id::Eq5QSpin),
    });
    fitFieldFont(controls_,
                 {id::Eq1FreqField, id::Eq2FreqField, id::Eq3FreqField, id::Eq4FreqField, id::Eq5FreqField,
                  id::Eq1QField, id::Eq2QField, id::Eq3QField, id::Eq4QField, id::Eq5QField},
                 pageFrequencyTexts());
}

std::vector<EqCurve> MusicPage::curves() const
{
    return {curveOf({music::eq(0), music::eq(1), music::eq(2), music::eq(3), music::eq(4)}, QColor(255, 255, 0, 255),
                    {"1", "2", "3", "4", "5"})};
}

}  // namespace tonel

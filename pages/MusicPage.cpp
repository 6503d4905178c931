#include "pages/MusicPage.h"

#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/FieldFont.h"

namespace tonel {

namespace {

namespace music = fields::music;

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
        {1094, 1175, at(music::mainLevel)},
        {1177, 1176, at(music::sendLR)},
        {1179, 1178, at(music::sendCentre)},
        {1005, 1006, at(music::sendSub)},
        {1181, 1180, at(music::sendAux1)},
        {1011, 1182, at(music::sendAux2)},
        {1048, 1049, at(music::inputGain)},
        {1050, 1051, at(music::bgmGain)},
    });
    bindSpins({
        {1184, at(music::maxLevel), 0, kLevelMax, {readout::number(1183)}},
        {1166, at(music::noiseGate), 0, 1, {onOff(1171)}},
        {1167, at(music::limiter), 0, 25, {readout::byByte(1172, formatThreshold)}},
        {1168, at(music::autoGain), 0, 1, {onOff(1173)}},
        {1186, at(music::inputSelect), 0, 3, {inputSource(1185)}},
    });
    bindBands({
        musicBand(0, 1124, 1119, 1118, 1122, 1120, 1123, 1121),
        musicBand(1, 1131, 1126, 1125, 1129, 1127, 1130, 1128),
        musicBand(2, 1138, 1133, 1132, 1136, 1134, 1137, 1135),
        musicBand(3, 1143, 1140, 1139, 1141, 1144, 1142, 1145, kBand4Texts),
        musicBand(4, 1152, 1147, 1146, 1150, 1148, 1151, 1149),
    });
    fitFieldFont(controls_, {1122, 1129, 1136, 1141, 1150, 1123, 1130, 1137, 1142, 1151}, pageFrequencyTexts());
}

std::vector<EqCurve> MusicPage::curves() const
{
    return {curveOf({music::eq(0), music::eq(1), music::eq(2), music::eq(3), music::eq(4)}, QColor(255, 255, 0, 255),
                    {"1", "2", "3", "4", "5"})};
}

}  // namespace tonel

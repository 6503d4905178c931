#include "pages/SystemPage.h"

#include "eq/EqGraphView.h"
#include "eq/math/VectorUnit.h"
#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/CrossoverOverlay.h"
#include "pages/FieldFont.h"
#include "res/SystemControls.h"

#include <QLineEdit>

namespace tonel {

namespace {

namespace sys = fields::system;
namespace glb = fields::global;
namespace id = res::system;

// Every frequency text on this page has two decimals and the unit "KHz" from index 69 on.
constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr int kQMin = 0;

// The eleven band columns: room 1-7, centre 1-2, subwoofer 1-2.
struct BandIds {
    std::size_t offset;
    int type, gainSlider, gainField, freqField, freqSpin, qField, qSpin;
};
constexpr BandIds kBands[] = {
    {sys::roomEq(0), id::RoomEq1TypeButton, id::RoomEq1GainSlider, id::RoomEq1GainField,
     id::RoomEq1FreqField, id::RoomEq1FreqSpin, id::RoomEq1QField, id::RoomEq1QSpin},
    {sys::roomEq(1), id::RoomEq2TypeButton, id::RoomEq2GainSlider, id::RoomEq2GainField,
     id::RoomEq2FreqField, id::RoomEq2FreqSpin, id::RoomEq2QField, id::RoomEq2QSpin},
    {sys::roomEq(2), id::RoomEq3TypeButton, id::RoomEq3GainSlider, id::RoomEq3GainField,
     id::RoomEq3FreqField, id::RoomEq3FreqSpin, id::RoomEq3QField, id::RoomEq3QSpin},
    {sys::roomEq(3), id::RoomEq4TypeButton, id::RoomEq4GainSlider, id::RoomEq4GainField,
     id::RoomEq4FreqField, id::RoomEq4FreqSpin, id::RoomEq4QField, id::RoomEq4QSpin},
    {sys::roomEq(4), id::RoomEq5TypeButton, id::RoomEq5GainSlider, id::RoomEq5GainField,
     id::RoomEq5FreqField, id::RoomEq5FreqSpin, id::RoomEq5QField, id::RoomEq5QSpin},
    {sys::roomEq(5), id::RoomEq6TypeButton, id::RoomEq6GainSlider, id::RoomEq6GainField,
     id::RoomEq6FreqField, id::RoomEq6FreqSpin, id::RoomEq6QField, id::RoomEq6QSpin},
    {sys::roomEq(6), id::RoomEq7TypeButton, id::RoomEq7GainSlider, id::RoomEq7GainField,
     id::RoomEq7FreqField, id::RoomEq7FreqSpin, id::RoomEq7QField, id::RoomEq7QSpin},
    {sys::centreEq(0), id::CentreEq1TypeButton, id::CentreEq1GainSlider, id::CentreEq1GainField,
     id::CentreEq1FreqField, id::CentreEq1FreqSpin, id::CentreEq1QField, id::CentreEq1QSpin},
    {sys::centreEq(1), id::CentreEq2TypeButton, id::CentreEq2GainSlider, id::CentreEq2GainField,
     id::CentreEq2FreqField, id::CentreEq2FreqSpin, id::CentreEq2QField, id::CentreEq2QSpin},
    {sys::subEq(0), id::SubwooferEq1TypeButton, id::SubwooferEq1GainSlider, id::SubwooferEq1GainField,
     id::SubwooferEq1FreqField, id::SubwooferEq1FreqSpin, id::SubwooferEq1QField, id::SubwooferEq1QSpin},
    {sys::subEq(1), id::SubwooferEq2TypeButton, id::SubwooferEq2GainSlider, id::SubwooferEq2GainField,
     id::SubwooferEq2FreqField, id::SubwooferEq2FreqSpin, id::SubwooferEq2QField, id::SubwooferEq2QSpin},
};

std::vector<BandBinding> bandBindings()
{
    std::vector<BandBinding> bands;
    for (const BandIds& b : kBands)
        bands.push_back({at(b.offset), b.type, b.gainSlider, b.gainField, b.freqField, b.freqSpin, b.qField, b.qSpin,
                         kQMin, kFrequencyTexts});
    return bands;
}

// A value's name, padded on the right to `width`; a byte without a name shows an empty field.
Readout captions(int fieldId, std::string (*nameOf)(int), std::size_t width = 0)
{
    return readout::byByte(fieldId, [nameOf, width](int byte) {
        std::string name = nameOf(byte);
        if (!name.empty() && name.size() < width)
            name.resize(width, ' ');
        return name;
    });
}

// A delay spin rewrites both the milliseconds and the metres of its output.
std::vector<Readout> delayTexts(int delayField, int distanceField)
{
    return {readout::byByte(delayField, formatDelay), readout::byByte(distanceField, formatDistance)};
}

}  // namespace

SystemPage::SystemPage(PageContext context, QWidget* parent)
    : BoundPage(context, res::systemTemplate(), parent)
{
    bindLevels({
        {id::CentreLevelSlider, id::CentreLevelField, at(sys::centreLevel)},
        {id::SubwooferLevelSlider, id::SubwooferLevelField, at(sys::subLevel)},
        {id::Aux1LevelSlider, id::Aux1LevelField, at(sys::aux1Level)},
        {id::Aux2LevelSlider, id::Aux2LevelField, at(sys::aux2Level)},
    });
    bindBands(bandBindings());
    bindSettings();
    fitBandFields();
    controls_.graph()->setOverlay([this](QPainter& painter, QSize surface) { drawCrossoverOverlay(painter, surface); },
                                  [this] { return std::vector<std::uint8_t>{image().get(sys::subHighPass), image().get(sys::subLowPass)}; });
}

// The settings are spins with read-outs; only the two crossover spins redraw the graph.
void SystemPage::bindSettings()
{
    const auto redraw = [this](SpinArrow) { redrawGraph(); };
    bindSpins({
        {id::EffectProgramSpin, at(glb::effectProgram), 0, 2, {captions(id::EffectProgramField, effectProgramName)}},
        {id::PanelLockSpin, at(glb::panelLock), 0, 1, {captions(id::PanelLockField, panelLockName, 3)}},
        {id::DisplayContrastSpin, at(glb::displayContrast), 0, 3, {readout::number(id::DisplayContrastField)}},
        {id::Aux1DelaySpin, at(sys::aux1Delay), 0, 100, delayTexts(id::Aux1DelayField, id::Aux1DistanceField)},
        {id::Aux1DistanceSpin, at(sys::aux1Delay), 0, 100, delayTexts(id::Aux1DelayField, id::Aux1DistanceField)},
        {id::Aux2DelaySpin, at(sys::aux2Delay), 0, 100, delayTexts(id::Aux2DelayField, id::Aux2DistanceField)},
        {id::Aux2DistanceSpin, at(sys::aux2Delay), 0, 100, delayTexts(id::Aux2DelayField, id::Aux2DistanceField)},
        {id::SubwooferPhaseSpin, at(sys::subPhase), 0, 1, {captions(id::SubwooferPhaseField, subPhaseName)}},
        {id::SubwooferHighPassSpin, at(sys::subHighPass), 0, 25,
         {readout::byByte(id::SubwooferHighPassField, formatCrossoverLow)}, false, redraw},
        {id::SubwooferLowPassSpin, at(sys::subLowPass), 25, 50,
         {readout::byByte(id::SubwooferLowPassField, formatCrossoverHigh)}, false, redraw},
        // The down arrow leads towards "MUTE".
        {id::SubwooferAutoAttenuationSpin, at(sys::subAutoAttenuation), 0, 5,
         {readout::byByte(id::SubwooferAutoAttenuationField, formatAttenuation)}, true},
    });
}

void SystemPage::fitBandFields()
{
    // The narrow band fields take a font in which every frequency text fits without scrolling.
    const QFont font = fontFitting(*controls_.field(kBands[0].freqField), pageFrequencyTexts());
    for (const BandIds& b : kBands) {
        controls_.field(b.freqField)->setFont(font);
        controls_.field(b.qField)->setFont(font);
    }
}

std::vector<EqCurve> SystemPage::curves() const
{
    return {
        curveOf({sys::roomEq(0), sys::roomEq(1), sys::roomEq(2), sys::roomEq(3), sys::roomEq(4), sys::roomEq(5),
                 sys::roomEq(6)},
                QColor(255, 255, 0, 255), {"1", "2", "3", "4", "5", "6", "7"}),
        curveOf({sys::centreEq(0), sys::centreEq(1)}, QColor(0, 0, 255, 255), {"C1", "C2"}),
        curveOf({sys::subEq(0), sys::subEq(1)}, QColor(0, 255, 0, 255), {"S1", "S2"}),
    };
}

void SystemPage::drawCrossoverOverlay(QPainter& painter, QSize surface) const
{
    const CrossoverSettings settings = crossoverSettings(image().get(sys::subHighPass), image().get(sys::subLowPass));
    clearUpperVectorState();  // the curves' painting left it dirty; the overlay's math would pay
    paintCrossoverOverlay(painter, GraphGeometry::forSize(surface), settings);
}

}  // namespace tonel

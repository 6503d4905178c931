#include "pages/SystemPage.h"

#include "eq/EqGraphView.h"
#include "eq/math/VectorUnit.h"
#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/CrossoverOverlay.h"
#include "res/SystemControls.h"


namespace tonel {

namespace {

namespace sys = fields::system;
namespace id = res::system;

// Every frequency text on this page has two decimals and the unit "KHz" from index 69 on.
constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};

// The eleven band columns: room 1-7, centre 1-2, subwoofer 1-2.
std::vector<BandBinding> bandBindings()
{
    std::vector<BandBinding> bands;
    auto add = [&bands](const std::string& group, int k, const res::BandColumn& ids) {
        bands.push_back({group + ".eq" + std::to_string(k + 1), ids, kFrequencyTexts});
    };
    for (int k = 0; k < 7; ++k)
        add("room", k, id::kRoomEqColumns[k]);
    for (int k = 0; k < 2; ++k)
        add("centre", k, id::kCentreEqColumns[k]);
    for (int k = 0; k < 2; ++k)
        add("sub", k, id::kSubwooferEqColumns[k]);
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
        {id::CentreLevelSlider, id::CentreLevelField, "centre.level"},
        {id::SubwooferLevelSlider, id::SubwooferLevelField, "sub.level"},
        {id::Aux1LevelSlider, id::Aux1LevelField, "aux1.level"},
        {id::Aux2LevelSlider, id::Aux2LevelField, "aux2.level"},
    });
    bindBands(bandBindings());
    bindSettings();
    fitBandFieldFonts();
    controls_.graph()->setOverlay([this](QPainter& painter, QSize surface) { drawCrossoverOverlay(painter, surface); },
                                  [this] { return std::vector<std::uint8_t>{image().get(sys::subHighPass), image().get(sys::subLowPass)}; });
}

// The settings are spins with read-outs; only the two crossover spins redraw the graph.
void SystemPage::bindSettings()
{
    const auto redraw = [this](SpinArrow) { redrawGraph(); };
    bindSpins({
        {id::EffectProgramSpin, "global.effect_program", {captions(id::EffectProgramField, effectProgramName)}},
        {id::PanelLockSpin, "global.panel_lock", {captions(id::PanelLockField, panelLockName, 3)}},
        {id::DisplayContrastSpin, "global.display_contrast", {readout::number(id::DisplayContrastField)}},
        {id::Aux1DelaySpin, "aux1.delay", delayTexts(id::Aux1DelayField, id::Aux1DistanceField)},
        {id::Aux1DistanceSpin, "aux1.delay", delayTexts(id::Aux1DelayField, id::Aux1DistanceField)},
        {id::Aux2DelaySpin, "aux2.delay", delayTexts(id::Aux2DelayField, id::Aux2DistanceField)},
        {id::Aux2DistanceSpin, "aux2.delay", delayTexts(id::Aux2DelayField, id::Aux2DistanceField)},
        {id::SubwooferPhaseSpin, "sub.phase", {captions(id::SubwooferPhaseField, subPhaseName)}},
        {id::SubwooferHighPassSpin, "sub.high_pass", {readout::byByte(id::SubwooferHighPassField, formatCrossoverLow)},
         false, redraw},
        {id::SubwooferLowPassSpin, "sub.low_pass", {readout::byByte(id::SubwooferLowPassField, formatCrossoverHigh)},
         false, redraw},
        // The down arrow leads towards "MUTE".
        {id::SubwooferAutoAttenuationSpin, "sub.auto_attenuation", {readout::byByte(id::SubwooferAutoAttenuationField, formatAttenuation)}, true},
    });
}

std::vector<EqCurve> SystemPage::curves() const { return curvesOf(GraphPage::System); }

void SystemPage::drawCrossoverOverlay(QPainter& painter, QSize surface) const
{
    const CrossoverSettings settings = crossoverSettings(image().get(sys::subHighPass), image().get(sys::subLowPass));
    clearUpperVectorState();  // the curves' painting left it dirty; the overlay's math would pay
    paintCrossoverOverlay(painter, GraphGeometry::forSize(surface), settings);
}

}  // namespace tonel

#include "pages/SystemPage.h"

#include "eq/EqGraphView.h"
#include "eq/math/VectorUnit.h"
#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/CrossoverOverlay.h"
#include "pages/FieldFont.h"

#include <QLineEdit>

namespace tonel {

namespace {

namespace sys = fields::system;
namespace glb = fields::global;

// Every frequency text on this page has two decimals and the unit "KHz" from index 69 on.
constexpr FrequencyTexts kFrequencyTexts{kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhz, kTwoDecimalsKhzExact};
constexpr int kQMin = 0;

// The eleven band columns: room 1-7, centre 1-2, subwoofer 1-2 (the ids are not in order).
struct BandIds {
    std::size_t offset;
    int type, gainSlider, gainField, freqField, freqSpin, qField, qSpin;
};
constexpr BandIds kBands[] = {
    {sys::roomEq(0), 1017, 1013, 1026, 1027, 1064, 1028, 1065},
    {sys::roomEq(1), 1021, 1014, 1031, 1029, 1066, 1030, 1077},
    {sys::roomEq(2), 1022, 1015, 1034, 1032, 1189, 1033, 1068},
    {sys::roomEq(3), 1023, 1016, 1187, 1188, 1069, 1036, 1070},
    {sys::roomEq(4), 1024, 1018, 1040, 1038, 1071, 1039, 1072},
    {sys::roomEq(5), 1025, 1019, 1043, 1041, 1073, 1042, 1074},
    {sys::roomEq(6), 1122, 1121, 1123, 1117, 1118, 1119, 1120},
    {sys::centreEq(0), 1129, 1128, 1130, 1124, 1125, 1126, 1127},
    {sys::centreEq(1), 1105, 1104, 1106, 1093, 1094, 1095, 1096},
    {sys::subEq(0), 1108, 1107, 1109, 1097, 1098, 1099, 1100},
    {sys::subEq(1), 1115, 1114, 1116, 1110, 1111, 1112, 1113},
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
        {1179, 1178, at(sys::centreLevel)},
        {1005, 1006, at(sys::subLevel)},
        {1181, 1180, at(sys::aux1Level)},
        {1011, 1182, at(sys::aux2Level)},
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
        {1078, at(glb::effectProgram), 0, 2, {captions(1012, effectProgramName)}},
        {1080, at(glb::panelLock), 0, 1, {captions(1079, panelLockName, 3)}},
        {1082, at(glb::displayContrast), 0, 3, {readout::number(1081)}},
        {1084, at(sys::aux1Delay), 0, 100, delayTexts(1083, 1085)},
        {1086, at(sys::aux1Delay), 0, 100, delayTexts(1083, 1085)},
        {1088, at(sys::aux2Delay), 0, 100, delayTexts(1087, 1089)},
        {1090, at(sys::aux2Delay), 0, 100, delayTexts(1087, 1089)},
        {1194, at(sys::subPhase), 0, 1, {captions(1190, subPhaseName)}},
        {1195, at(sys::subHighPass), 0, 25, {readout::byByte(1191, formatCrossoverLow)}, false, redraw},
        {1196, at(sys::subLowPass), 25, 50, {readout::byByte(1198, formatCrossoverHigh)}, false, redraw},
        // The down arrow leads towards "MUTE".
        {1197, at(sys::subAutoAttenuation), 0, 5, {readout::byByte(1192, formatAttenuation)}, true},
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

// The System page: output levels, the eleven band columns, the Easy set and the graph's curves.
#include "model/Fields.h"
#include "eq/EqGraphView.h"
#include "eq/math/FilterResponse.h"
#include "pages/SystemPage.h"
#include "res/SystemControls.h"
#include "tests/pages/PageFixture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace sys = fields::system;
namespace id = res::system;

class SystemPageTest : public PageFixture<WithCurves<SystemPage>> {
protected:
    void setBand(std::size_t offset, EqBand band)
    {
        image.setBand(offset, band);
        page.refreshFromImage();
    }
};

// One band column: offset of its type byte and its controls.
struct Column {
    std::size_t offset;
    res::BandColumn ids;
};

const Column kColumns[] = {
    {134, id::kRoomEqColumns[0]},   {138, id::kRoomEqColumns[1]},   {142, id::kRoomEqColumns[2]},
    {146, id::kRoomEqColumns[3]},   {150, id::kRoomEqColumns[4]},   {154, id::kRoomEqColumns[5]},
    {158, id::kRoomEqColumns[6]},   {163, id::kCentreEqColumns[0]}, {167, id::kCentreEqColumns[1]},
    {180, id::kSubwooferEqColumns[0]}, {184, id::kSubwooferEqColumns[1]},
};

TEST_F(SystemPageTest, PageAndRegionsHaveTheirTemplateSizes)
{
    const res::PageTemplate& dialog = res::systemTemplate();
    EXPECT_EQ(page.objectName(), QString::number(dialog.id));
    EXPECT_EQ(page.size(), QSize(dialog.width, dialog.height) * res::kPixelsPerTemplateUnit);
    EXPECT_EQ(ui.find(res::GraphFrame)->geometry(), declaredRect(dialog, res::GraphFrame));
    // Level sliders and their value fields.
    for (int control : {id::CentreLevelSlider, id::CentreLevelField, id::SubwooferLevelSlider, id::SubwooferLevelField,
                        id::Aux1LevelSlider, id::Aux1LevelField, id::Aux2LevelSlider, id::Aux2LevelField})
        EXPECT_EQ(ui.find(control)->geometry(), declaredRect(dialog, control)) << control;
}

TEST_F(SystemPageTest, CaptionsStandWhereTheTemplatePutsThem)
{
    const std::pair<const char*, QPoint> captions[] = {
        {"房间均衡", {206, 296}}, {"中置均衡", {594, 296}}, {"低音均衡", {766, 296}},
        {"中置", {582, 48}},      {"低音相位", {902, 320}}, {"显示对比度", {826, 82}},
    };
    const QList<QLabel*> labels = page.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (const auto& [text, topLeft] : captions) {
        const auto it = std::find_if(labels.begin(), labels.end(),
                                     [&](const QLabel* l) { return l->text() == QString::fromUtf8(text); });
        ASSERT_NE(it, labels.end()) << text;
        EXPECT_EQ((*it)->geometry().topLeft(), topLeft) << text;
    }
    const QList<QGroupBox*> boxes = page.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
    const auto volume = std::find_if(boxes.begin(), boxes.end(), [](const QGroupBox* b) { return b->title() == "输出音量"; });
    ASSERT_NE(volume, boxes.end());
    EXPECT_EQ((*volume)->geometry(), QRect(564, 8, 252, 272));
}

TEST_F(SystemPageTest, EveryBandColumnStandsAtItsX)
{
    const res::PageTemplate& dialog = res::systemTemplate();
    for (const Column& c : kColumns) {
        const QRect type = declaredRect(dialog, c.ids.typeButton);
        EXPECT_EQ(ui.find(c.ids.typeButton)->geometry(), type) << c.ids.typeButton;
        EXPECT_EQ(ui.find(c.ids.gainField)->geometry(), declaredRect(dialog, c.ids.gainField)) << c.ids.typeButton;
        EXPECT_EQ(ui.find(c.ids.gainSlider)->geometry(), declaredRect(dialog, c.ids.gainSlider)) << c.ids.typeButton;
        EXPECT_EQ(declaredRect(dialog, c.ids.gainField).left(), type.left()) << c.ids.typeButton;
        // Each field stands at its column's x and gives the right 16 pixels of its rectangle to its spin.
        for (auto [field, spin] : {std::pair{c.ids.freqField, c.ids.freqSpin}, std::pair{c.ids.qField, c.ids.qSpin}}) {
            const QRect declared = declaredRect(dialog, field);
            EXPECT_EQ(declared.left(), type.left()) << field;
            EXPECT_EQ(ui.find(field)->geometry(), declared.adjusted(0, 0, -16, 0)) << field;
            EXPECT_EQ(ui.find(spin)->geometry(), QRect(declared.right() - 15, declared.top(), 16, declared.height()))
                << spin;
        }
    }
}

TEST_F(SystemPageTest, TypeButtonsShowTheTemplateCaptionsUntilTheFirstRefresh)
{
    WithCurves<SystemPage> fresh{PageContext{image, channel}, nullptr};
    PageDriver freshUi{fresh};
    EXPECT_EQ(freshUi.caption(id::RoomEq1TypeButton), "Peaking");
    for (const Column& c : kColumns) {
        if (c.ids.typeButton != id::RoomEq1TypeButton) {
            EXPECT_EQ(freshUi.caption(c.ids.typeButton), "L-Shelf") << c.ids.typeButton;
        }
    }
    image.set(sys::roomEq(0), HiShelf);
    fresh.refreshFromImage();
    EXPECT_EQ(freshUi.caption(id::RoomEq1TypeButton), "Hi-shelf");
    EXPECT_EQ(freshUi.caption(id::RoomEq2TypeButton), "Peaking");
}

TEST_F(SystemPageTest, ShowsTheDefaults)
{
    for (int field : {id::CentreLevelField, id::SubwooferLevelField, id::Aux1LevelField, id::Aux2LevelField})
        EXPECT_EQ(ui.text(field), "50") << field;
    for (int slider : {id::CentreLevelSlider, id::SubwooferLevelSlider, id::Aux1LevelSlider, id::Aux2LevelSlider})
        EXPECT_EQ(ui.position(slider), 0) << slider;
    for (const Column& c : kColumns) {
        const bool sub = c.offset >= sys::subEq(0);
        EXPECT_EQ(ui.text(c.ids.freqField), sub ? "63.00Hz" : "1.00KHz") << c.ids.typeButton;
        EXPECT_EQ(ui.text(c.ids.qField), "4.33") << c.ids.typeButton;
        EXPECT_EQ(ui.text(c.ids.gainField), "0") << c.ids.typeButton;
        EXPECT_EQ(ui.position(c.ids.gainSlider), 12) << c.ids.typeButton;
        EXPECT_EQ(ui.caption(c.ids.typeButton), "Peaking") << c.ids.typeButton;
    }
}

TEST_F(SystemPageTest, FrequencyTextHasTwoDecimalsAndKHzEverywhere)
{
    setBand(sys::roomEq(2), {1, 68, 24, 46});
    EXPECT_EQ(ui.text(id::RoomEq3FreqField), "950.00Hz");
    ui.spinUp(id::RoomEq3FreqSpin);
    EXPECT_EQ(image.get(sys::roomEq(2) + 1), 69);
    EXPECT_EQ(ui.text(id::RoomEq3FreqField), "1.00KHz");
    EXPECT_EQ(channel.last(), "(01$008302001069024046)");
    ui.spinDown(id::RoomEq3FreqSpin);
    EXPECT_EQ(ui.text(id::RoomEq3FreqField), "950.00Hz");

    ui.typeFrequency(id::RoomEq4FreqField, "2.5k");
    EXPECT_EQ(image.get(sys::roomEq(3) + 1), 85);
    EXPECT_EQ(ui.text(id::RoomEq4FreqField), "2.50KHz");
    ui.typeFrequency(id::RoomEq4FreqField, "118");
    EXPECT_EQ(ui.text(id::RoomEq4FreqField), "118.00Hz");

    setBand(sys::subEq(1), {1, 121, 24, 46});
    EXPECT_EQ(ui.text(id::SubwooferEq2FreqField), "20.00KHz");
    ui.spinUp(id::SubwooferEq2FreqSpin);  // at the top: stays and resends
    EXPECT_EQ(ui.text(id::SubwooferEq2FreqField), "20.00KHz");
    EXPECT_EQ(channel.last(), "(01$008501001121024046)");
}

TEST_F(SystemPageTest, RoomBandSevenSendsBytes158To161InOrder)
{
    ui.typeFrequency(id::RoomEq7FreqField, ui.text(id::RoomEq7FreqField));  // leaving the field re-reads "1.00KHz"
    EXPECT_EQ(channel.last(), "(01$008306001069024046)");
    image.setBand(sys::roomEq(6), {4, 100, 30, 7});
    ui.spinUp(id::RoomEq7QSpin);
    EXPECT_EQ(channel.last(), "(01$008306004100030008)");
}

TEST_F(SystemPageTest, LevelSlidersSendWithoutRedrawingTheGraph)
{
    const int before = ui.redraws();
    ui.moveSlider(id::CentreLevelSlider, 10);
    EXPECT_EQ(image.get(sys::centreLevel), 40);
    EXPECT_EQ(ui.text(id::CentreLevelField), "40");
    EXPECT_EQ(channel.last(), "(01$007000040)");
    ui.moveSlider(id::Aux2LevelSlider, 50);
    EXPECT_EQ(image.get(sys::aux2Level), 0);
    EXPECT_EQ(channel.last(), "(01$007024000)");
    ui.releaseSlider(id::Aux2LevelSlider);
    EXPECT_EQ(channel.sent.size(), 2u);
    EXPECT_EQ(ui.redraws(), before);
}

TEST_F(SystemPageTest, EveryBandChangeRedrawsTheGraphOnce)
{
    const Column& c = kColumns[7];  // centre band 1
    int expected = ui.redraws();
    ui.moveSlider(c.ids.gainSlider, 0);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinUp(c.ids.freqSpin);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinDown(c.ids.qSpin);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.click(c.ids.typeButton);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.typeFrequency(c.ids.freqField, "100");
    EXPECT_EQ(ui.redraws(), ++expected);
    EXPECT_EQ(image.band(sys::centreEq(0)), (EqBand{3, 29, 48, 45}));
}

TEST_F(SystemPageTest, EasySetLeavesLevelsAndSettingsUsable)
{
    image.set(fields::global::controlMode, 0);
    image.set(sys::roomEq(1), BandPass);
    image.set(sys::subEq(0), Notch);
    page.refreshFromImage();
    page.applyControlMode();
    for (const Column& c : kColumns) {
        EXPECT_FALSE(ui.enabled(c.ids.typeButton)) << c.ids.typeButton;
        EXPECT_FALSE(ui.enabled(c.ids.freqField)) << c.ids.typeButton;
        EXPECT_FALSE(ui.enabled(c.ids.qField)) << c.ids.typeButton;
        const bool gain = c.ids.typeButton != id::RoomEq2TypeButton && c.ids.typeButton != id::SubwooferEq1TypeButton;
        EXPECT_EQ(ui.enabled(c.ids.gainSlider), gain) << c.ids.typeButton;
        EXPECT_EQ(ui.enabled(c.ids.gainField), gain) << c.ids.typeButton;
        EXPECT_TRUE(ui.enabled(c.ids.freqSpin)) << c.ids.typeButton;
    }
    for (int control : {id::CentreLevelSlider, id::SubwooferLevelSlider, id::Aux1LevelSlider, id::Aux2LevelSlider,
                        id::EffectProgramField, id::PanelLockField, id::DisplayContrastField, id::Aux1DelayField,
                        id::Aux1DistanceField, id::SubwooferPhaseField, id::SubwooferHighPassField,
                        id::SubwooferLowPassField, id::SubwooferAutoAttenuationField, id::EffectProgramSpin,
                        id::SubwooferAutoAttenuationSpin})
        EXPECT_TRUE(ui.enabled(control)) << control;
    ui.spinUp(id::RoomEq2FreqSpin);  // spins still step a disabled field's band
    EXPECT_EQ(image.get(sys::roomEq(1) + 1), 70);

    image.set(fields::global::controlMode, 1);
    page.applyControlMode();
    EXPECT_TRUE(ui.enabled(id::RoomEq2TypeButton));
    EXPECT_TRUE(ui.enabled(id::RoomEq2FreqField));
    EXPECT_FALSE(ui.enabled(id::RoomEq2GainSlider));  // bandpass has no gain in the full set either
}

TEST_F(SystemPageTest, ThreeSeparateCurvesWithTheirColoursAndLabels)
{
    image.set(sys::roomEq(6) + 2, 48);
    image.set(sys::subEq(1) + 1, 121);
    const std::vector<EqCurve> curves = page.curves();
    ASSERT_EQ(curves.size(), 3u);
    const EqCurve& room = curves[0];
    const EqCurve& centre = curves[1];
    const EqCurve& sub = curves[2];
    ASSERT_EQ(room.bands.size(), 7u);
    EXPECT_EQ(room.bands[6], (EqBand{1, 69, 48, 46}));
    EXPECT_EQ(room.labels, (std::vector<QString>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(room.colour, QColor(255, 255, 0, 255));
    EXPECT_EQ(centre.bands.size(), 2u);
    EXPECT_EQ(centre.labels, (std::vector<QString>{"C1", "C2"}));
    EXPECT_EQ(centre.colour, QColor(0, 0, 255, 255));
    ASSERT_EQ(sub.bands.size(), 2u);
    EXPECT_EQ(sub.bands[1], (EqBand{1, 121, 24, 46}));
    EXPECT_EQ(sub.labels, (std::vector<QString>{"S1", "S2"}));
    EXPECT_EQ(sub.colour, QColor(0, 255, 0, 255));
    for (const EqCurve& c : curves) {
        EXPECT_DOUBLE_EQ(c.xShift, -1.5);
        EXPECT_EQ(c.handleLeftOffset, 3);
        EXPECT_TRUE(c.handleFurtherLeftAtTopFrequency);
    }
}

// Two octaves below a wide +12 dB band at 1 kHz, in the graph's client area of 514 x 262.
TEST_F(SystemPageTest, CurvesAreNeverAddedTogether)
{
    const EqBand wide{1, 69, 48, 0};
    image.setBand(sys::roomEq(0), wide);
    image.setBand(sys::centreEq(0), wide);
    const QImage picture = page.controls().graph()->render();
    ASSERT_EQ(picture.size(), QSize(514, 262));
    const GraphGeometry g = GraphGeometry::forSize(picture.size());
    const double f = plotFrequencies()[44];  // point 45, 250 Hz
    const int x = static_cast<int>(g.x(f) - 1.5);
    const double alone = g.zeroDbRow - bandResponseDb(wide, f) * g.pixelsPerDb;
    const double summed = g.zeroDbRow - 2 * bandResponseDb(wide, f) * g.pixelsPerDb;
    ASSERT_GT(alone - summed, 20);
    int top = -1;
    for (int y = 0; y < g.zeroDbRow - 2 && top < 0; ++y) {
        const QColor c = picture.pixelColor(x, y);
        const bool yellow = c.red() > 150 && c.green() > 150 && c.blue() < 60;
        const bool blue = c.blue() > 150 && c.red() < 60 && c.green() < 60;
        if (yellow || blue)
            top = y;
    }
    EXPECT_NEAR(top, alone, 2.0);
}

// The graph keeps its picture between redraws: after every kind of change the kept picture
// equals one painted from scratch, and it is painted again exactly when something it shows changed.
TEST_F(SystemPageTest, KeptGraphPictureEqualsAFreshOneThroughEditsModesAndResizes)
{
    EqGraphView& graph = *page.controls().graph();
    int painted = graph.paintedPictures();
    const auto check = [&](const char* step, bool changed, qreal ratio = 1.0) {
        const QImage kept = graph.picture(ratio);
        const QSize size = graph.contentsRect().size();
        QImage fresh(size * ratio, QImage::Format_RGB32);
        fresh.setDevicePixelRatio(ratio);
        {
            QPainter painter(&fresh);
            drawEqGraph(size, page.curves(), painter);
            page.drawCrossoverOverlay(painter, size);
        }
        EXPECT_TRUE(kept == fresh) << step;
        EXPECT_EQ(graph.paintedPictures() - painted, changed ? 1 : 0) << step;
        painted = graph.paintedPictures();
    };
    check("first redraw", true);
    check("nothing changed", false);
    ui.moveSlider(id::RoomEq4GainSlider, 10);
    check("room gain", true);
    ui.spinUp(id::CentreEq1FreqSpin);
    check("centre frequency", true);
    ui.click(id::SubwooferEq1TypeButton);
    check("subwoofer type", true);
    ui.spinUp(id::SubwooferHighPassSpin);
    check("high-pass on", true);
    ui.moveSlider(id::CentreLevelSlider, 20);
    check("a level", false);
    image.set(fields::global::controlMode, 0);
    page.applyControlMode();
    check("Easy set", false);
    setBand(sys::roomEq(6), EqBand{5, 121, 0, 72});
    check("file load", true);
    graph.resize(graph.size() - QSize(100, 30));
    check("smaller", true);
    check("twice the density", true, 2.0);
    check("twice the density again", false, 2.0);
    image.set(fields::global::controlMode, 1);
    page.applyControlMode();
    check("Full set, back to ratio 1", true);
}

}  // namespace
}  // namespace tonel::testing

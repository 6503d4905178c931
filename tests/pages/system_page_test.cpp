// The System page: output levels, the eleven band columns, the Easy set and the graph's curves.
#include "model/Fields.h"
#include "eq/EqGraphView.h"
#include "eq/math/FilterResponse.h"
#include "pages/SystemPage.h"
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
    int type, gainSlider, gainField, freqField, freqSpin, qField, qSpin;
    int x;  // of the type button, dialog units
};

const Column kColumns[] = {
    {134, 1017, 1013, 1026, 1027, 1064, 1028, 1065, 4},
    {138, 1021, 1014, 1031, 1029, 1066, 1030, 1077, 42},
    {142, 1022, 1015, 1034, 1032, 1189, 1033, 1068, 81},
    {146, 1023, 1016, 1187, 1188, 1069, 1036, 1070, 120},
    {150, 1024, 1018, 1040, 1038, 1071, 1039, 1072, 158},
    {154, 1025, 1019, 1043, 1041, 1073, 1042, 1074, 196},
    {158, 1122, 1121, 1123, 1117, 1118, 1119, 1120, 234},
    {163, 1129, 1128, 1130, 1124, 1125, 1126, 1127, 277},
    {167, 1105, 1104, 1106, 1093, 1094, 1095, 1096, 317},
    {180, 1108, 1107, 1109, 1097, 1098, 1099, 1100, 361},
    {184, 1115, 1114, 1116, 1110, 1111, 1112, 1113, 400},
};

TEST_F(SystemPageTest, PageAndRegionsHaveTheirTemplateSizes)
{
    EXPECT_EQ(page.objectName(), "135");
    EXPECT_EQ(page.size(), QSize(1010, 592));
    EXPECT_EQ(ui.find(1000)->geometry(), QRect(26, 16, 516, 264));
    // Level sliders and their value fields, x2.
    EXPECT_EQ(ui.find(1179)->geometry(), QRect(598, 96, 24, 182));
    EXPECT_EQ(ui.find(1178)->geometry(), QRect(582, 72, 44, 24));
    EXPECT_EQ(ui.find(1005)->geometry(), QRect(658, 96, 30, 182));
    EXPECT_EQ(ui.find(1006)->geometry(), QRect(646, 72, 44, 24));
    EXPECT_EQ(ui.find(1181)->geometry(), QRect(714, 96, 30, 182));
    EXPECT_EQ(ui.find(1180)->geometry(), QRect(704, 72, 44, 24));
    EXPECT_EQ(ui.find(1011)->geometry(), QRect(770, 96, 30, 182));
    EXPECT_EQ(ui.find(1182)->geometry(), QRect(760, 72, 44, 24));
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
    for (const Column& c : kColumns) {
        const bool room = c.offset < sys::centreLevel;
        const int x = 2 * c.x;
        EXPECT_EQ(ui.find(c.type)->geometry(), QRect(x, 552, room ? 72 : 76, 26)) << c.type;
        EXPECT_EQ(ui.find(c.gainField)->geometry(), QRect(x, 338, 58, 24)) << c.type;
        const QRect slider = ui.find(c.gainSlider)->geometry();
        EXPECT_EQ(slider.top(), 364) << c.type;
        EXPECT_EQ(slider.height(), 132) << c.type;
        EXPECT_EQ(slider.width(), room ? 32 : 38) << c.type;
        // Each field gives the right 16 pixels of its 76 to its spin.
        for (auto [field, spin, y] : {std::tuple{c.freqField, c.freqSpin, 498}, std::tuple{c.qField, c.qSpin, 522}}) {
            EXPECT_EQ(ui.find(field)->geometry(), QRect(x, y, 60, 24)) << field;
            EXPECT_EQ(ui.find(spin)->geometry(), QRect(x + 60, y, 16, 24)) << spin;
        }
    }
}

TEST_F(SystemPageTest, TypeButtonsShowTheTemplateCaptionsUntilTheFirstRefresh)
{
    WithCurves<SystemPage> fresh{PageContext{image, channel}, nullptr};
    PageDriver freshUi{fresh};
    EXPECT_EQ(freshUi.caption(1017), "Peaking");
    for (const Column& c : kColumns) {
        if (c.type != 1017) {
            EXPECT_EQ(freshUi.caption(c.type), "L-Shelf") << c.type;
        }
    }
    image.set(sys::roomEq(0), HiShelf);
    fresh.refreshFromImage();
    EXPECT_EQ(freshUi.caption(1017), "Hi-shelf");
    EXPECT_EQ(freshUi.caption(1021), "Peaking");
}

TEST_F(SystemPageTest, ShowsTheDefaults)
{
    for (int field : {1178, 1006, 1180, 1182})
        EXPECT_EQ(ui.text(field), "50") << field;
    for (int slider : {1179, 1005, 1181, 1011})
        EXPECT_EQ(ui.position(slider), 0) << slider;
    for (const Column& c : kColumns) {
        const bool sub = c.offset >= sys::subEq(0);
        EXPECT_EQ(ui.text(c.freqField), sub ? "63.00Hz" : "1.00KHz") << c.type;
        EXPECT_EQ(ui.text(c.qField), "4.33") << c.type;
        EXPECT_EQ(ui.text(c.gainField), "0") << c.type;
        EXPECT_EQ(ui.position(c.gainSlider), 12) << c.type;
        EXPECT_EQ(ui.caption(c.type), "Peaking") << c.type;
    }
}

TEST_F(SystemPageTest, FrequencyTextHasTwoDecimalsAndKHzEverywhere)
{
    setBand(sys::roomEq(2), {1, 68, 24, 46});
    EXPECT_EQ(ui.text(1032), "950.00Hz");
    ui.spinUp(1189);  // band 3's frequency spin
    EXPECT_EQ(image.get(sys::roomEq(2) + 1), 69);
    EXPECT_EQ(ui.text(1032), "1.00KHz");
    EXPECT_EQ(channel.last(), "(01$008302001069024046)");
    ui.spinDown(1189);
    EXPECT_EQ(ui.text(1032), "950.00Hz");

    ui.typeFrequency(1188, "2.5k");  // band 4's frequency field
    EXPECT_EQ(image.get(sys::roomEq(3) + 1), 85);
    EXPECT_EQ(ui.text(1188), "2.50KHz");
    ui.typeFrequency(1188, "118");
    EXPECT_EQ(ui.text(1188), "118.00Hz");

    setBand(sys::subEq(1), {1, 121, 24, 46});
    EXPECT_EQ(ui.text(1110), "20.00KHz");
    ui.spinUp(1111);  // at the top: stays and resends
    EXPECT_EQ(ui.text(1110), "20.00KHz");
    EXPECT_EQ(channel.last(), "(01$008501001121024046)");
}

TEST_F(SystemPageTest, RoomBandSevenSendsBytes158To161InOrder)
{
    ui.typeFrequency(1117, ui.text(1117));  // leaving the field re-reads "1.00KHz"
    EXPECT_EQ(channel.last(), "(01$008306001069024046)");
    image.setBand(sys::roomEq(6), {4, 100, 30, 7});
    ui.spinUp(1120);
    EXPECT_EQ(channel.last(), "(01$008306004100030008)");
}

TEST_F(SystemPageTest, QSpinsReachIndexZeroOnEveryBand)
{
    for (const Column& c : kColumns) {
        image.set(c.offset + 3, 1);
        ui.spinDown(c.qSpin);
        EXPECT_EQ(image.get(c.offset + 3), 0) << c.qSpin;
        EXPECT_EQ(ui.text(c.qField), "0.31") << c.qSpin;
        const std::string first = channel.last();
        ui.spinDown(c.qSpin);
        EXPECT_EQ(image.get(c.offset + 3), 0) << c.qSpin;
        EXPECT_EQ(channel.last(), first) << c.qSpin;  // re-sent unchanged
        image.set(c.offset + 3, 72);
        ui.spinUp(c.qSpin);
        EXPECT_EQ(image.get(c.offset + 3), 72) << c.qSpin;
        EXPECT_EQ(ui.text(c.qField), "19.40") << c.qSpin;
    }
}

TEST_F(SystemPageTest, LevelSlidersSendWithoutRedrawingTheGraph)
{
    const int before = ui.redraws();
    ui.moveSlider(1179, 10);
    EXPECT_EQ(image.get(sys::centreLevel), 40);
    EXPECT_EQ(ui.text(1178), "40");
    EXPECT_EQ(channel.last(), "(01$007000040)");
    ui.moveSlider(1011, 50);
    EXPECT_EQ(image.get(sys::aux2Level), 0);
    EXPECT_EQ(channel.last(), "(01$007024000)");
    ui.releaseSlider(1011);
    EXPECT_EQ(channel.sent.size(), 2u);
    EXPECT_EQ(ui.redraws(), before);
}

TEST_F(SystemPageTest, EveryBandChangeRedrawsTheGraphOnce)
{
    const Column& c = kColumns[7];  // centre band 1
    int expected = ui.redraws();
    ui.moveSlider(c.gainSlider, 0);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinUp(c.freqSpin);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.spinDown(c.qSpin);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.click(c.type);
    EXPECT_EQ(ui.redraws(), ++expected);
    ui.typeFrequency(c.freqField, "100");
    EXPECT_EQ(ui.redraws(), ++expected);
    EXPECT_EQ(image.band(sys::centreEq(0)), (EqBand{3, 29, 48, 45}));
}

TEST_F(SystemPageTest, MouseMovesDoNotRedraw)
{
    page.setMouseTracking(true);
    const int before = ui.redraws();
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 100), QPointF(100, 100), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &move);
    EXPECT_EQ(ui.redraws(), before);
}

TEST_F(SystemPageTest, EasySetLeavesLevelsAndSettingsUsable)
{
    image.set(fields::global::controlMode, 0);
    image.set(sys::roomEq(1), BandPass);
    image.set(sys::subEq(0), Notch);
    page.refreshFromImage();
    page.applyControlMode();
    for (const Column& c : kColumns) {
        EXPECT_FALSE(ui.enabled(c.type)) << c.type;
        EXPECT_FALSE(ui.enabled(c.freqField)) << c.type;
        EXPECT_FALSE(ui.enabled(c.qField)) << c.type;
        const bool gain = c.type != 1021 && c.type != 1108;
        EXPECT_EQ(ui.enabled(c.gainSlider), gain) << c.type;
        EXPECT_EQ(ui.enabled(c.gainField), gain) << c.type;
        EXPECT_TRUE(ui.enabled(c.freqSpin)) << c.type;
    }
    for (int id : {1179, 1005, 1181, 1011, 1012, 1079, 1081, 1083, 1085, 1190, 1191, 1198, 1192, 1078, 1197})
        EXPECT_TRUE(ui.enabled(id)) << id;
    ui.spinUp(1066);  // spins still step a disabled field's band
    EXPECT_EQ(image.get(sys::roomEq(1) + 1), 70);

    image.set(fields::global::controlMode, 1);
    page.applyControlMode();
    EXPECT_TRUE(ui.enabled(1021));
    EXPECT_TRUE(ui.enabled(1029));
    EXPECT_FALSE(ui.enabled(1014));  // bandpass has no gain in the full set either
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
    ui.moveSlider(1016, 10);
    check("room gain", true);
    ui.spinUp(1125);
    check("centre frequency", true);
    ui.click(1108);
    check("subwoofer type", true);
    ui.spinUp(1195);
    check("high-pass on", true);
    ui.moveSlider(1179, 20);
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

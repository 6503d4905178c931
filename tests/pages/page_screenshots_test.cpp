// Pictures of the Microphone and Music pages for a human look (PNG files in the build folder),
// and the layout faults a look would catch: controls on top of each other, controls outside the
// page, captions and texts cut off by their rectangles.
#include "model/Fields.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tonel::testing {
namespace {

namespace mic = fields::mic;
namespace music = fields::music;

QString buildDir()
{
    const char* dir = std::getenv("TONEL_BUILD_DIR");
    return dir != nullptr ? QString::fromLocal8Bit(dir) : QDir::currentPath();
}

// Linked microphones in the Easy set, and bytes at and beyond the ends of every scale.
void makeUnusual(ParameterImage& image)
{
    image.set(fields::global::controlMode, 0);
    image.set(mic::link, 1);
    image.set(mic::maxLevel, 30);
    image.set(mic::mainLevel, 30);
    image.set(mic::inputGain(0), 0);
    image.set(mic::inputGain(1), 0);
    image.set(mic::feedback, 200);
    image.set(mic::limiter, 0);
    image.set(mic::exciter, 1);
    image.setBand(mic::micEq(0), {Notch, 121, 48, 0});
    image.setBand(mic::micEq(1), {Notch, 121, 48, 0});
    const EqBand bands[] = {{ByPass, 1, 0, 72}, {BandPass, 68, 47, 10}, {9, 200, 60, 90}, {HiShelf, 100, 0, 30},
                            {LoShelf, 10, 48, 60}};
    for (int k = 0; k < 5; ++k) {
        image.setBand(mic::eq(k), bands[k]);
        image.setBand(music::eq(k), bands[4 - k]);
    }
    image.set(music::inputSelect, 1);
    image.set(music::limiter, 30);
    image.set(music::maxLevel, 10);
    image.set(music::mainLevel, 30);
    image.set(music::sendSub, 0);
}

// A control by its id, or a caption by its text.
std::string describe(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return "'" + label->text().toStdString() + "'";
    return w->objectName().toStdString();
}

struct Shot {
    const char* name;
    bool mic;
    std::function<void(ParameterImage&)> prepare;
};
void PrintTo(const Shot& shot, std::ostream* out) { *out << shot.name; }

class PageScreenshotTest : public ::testing::TestWithParam<Shot> {
protected:
    ParameterImage image;
    RecordingChannel channel;
    std::unique_ptr<BoundPage> page;

    void SetUp() override
    {
        GetParam().prepare(image);
        if (GetParam().mic)
            page = std::make_unique<MicrophonePage>(PageContext{image, channel}, nullptr);
        else
            page = std::make_unique<MusicPage>(PageContext{image, channel}, nullptr);
        page->refreshFromImage();
        page->applyControlMode();
        page->show();
    }
    QList<QWidget*> children() const { return page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly); }
};

TEST_P(PageScreenshotTest, WritesThePicture)
{
    const QPixmap picture = page->grab();
    EXPECT_EQ(picture.size(), QSize(1008, 592));
    const QString path = QDir(buildDir()).filePath(QStringLiteral("page_%1.png").arg(GetParam().name));
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), QSize(1008, 592)) << path.toStdString();
}

TEST_P(PageScreenshotTest, EveryControlLiesInsideThePage)
{
    const QRect pageRect(QPoint(0, 0), page->size());
    for (QWidget* w : children())
        EXPECT_TRUE(pageRect.contains(w->geometry())) << w->objectName().toStdString();
}

TEST_P(PageScreenshotTest, NoTwoControlsOverlap)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : children())
        if (!qobject_cast<QGroupBox*>(w) && w->objectName() != "1000")
            controls.push_back(w);
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << describe(controls[i]) << " and " << describe(controls[j]);
}

TEST_P(PageScreenshotTest, CaptionsFitTheirRectangles)
{
    for (QWidget* w : children()) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << label->text().toStdString();
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 4, button->width())
                << button->text().toStdString();
        }
    }
}

// The widest text each kind of field ever shows must fit inside its frame and margins.
TEST_P(PageScreenshotTest, FieldsAreWideEnoughForTheirTexts)
{
    struct Widest { std::vector<int> ids; std::vector<const char*> texts; };
    const std::vector<Widest> mic = {
        {{1158, 1160, 1122, 1129, 1136, 1141, 1150}, {"950.00Hz", "20.00KHz", "950.0Hz"}},
        {{1159, 1161, 1123, 1130, 1137, 1142, 1151}, {"19.40"}},
        {{1108, 1109, 1118, 1125, 1132, 1139, 1146}, {"-12"}},
        {{1093, 1095, 1097, 1099, 1101, 1154, 1156, 1162}, {"50"}},
        {{1170, 1171, 1173, 1174}, {" ON", "OFF"}},
        {{1172}, {"-18dBV"}},
        {{1175}, {"FB.EX3", "FB.EX200"}},
    };
    const std::vector<Widest> music = {
        {{1122, 1129, 1136, 1141, 1150}, {"950.00Hz", "20.00KHz", "20.0KHz"}},
        {{1123, 1130, 1137, 1142, 1151}, {"19.40"}},
        {{1118, 1125, 1132, 1139, 1146}, {"-12"}},
        {{1175, 1176, 1178, 1006, 1180, 1182, 1049, 1051, 1183}, {"50"}},
        {{1171, 1173}, {"ON ", "OFF"}},
        {{1172}, {"-18dBV"}},
        {{1185}, {"AUTO", "DIGIT"}},
    };
    for (const Widest& w : GetParam().mic ? mic : music) {
        for (int id : w.ids) {
            auto* field = page->findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
            ASSERT_NE(field, nullptr) << id;
            const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
            const int room = field->width() - 2 * frame - 4;  // the edit's own margin of 2 on each side
            for (const char* text : w.texts)
                EXPECT_LE(field->fontMetrics().horizontalAdvance(text), room) << id << " '" << text << "'";
        }
    }
}

const Shot kShots[] = {
    {"mic_default", true, [](ParameterImage&) {}},
    {"mic_unusual", true, makeUnusual},
    {"music_default", false, [](ParameterImage&) {}},
    {"music_unusual", false, makeUnusual},
};

INSTANTIATE_TEST_SUITE_P(Pages, PageScreenshotTest, ::testing::ValuesIn(kShots),
                         [](const ::testing::TestParamInfo<Shot>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonel::testing

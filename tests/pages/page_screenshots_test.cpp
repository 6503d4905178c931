// Pictures of the Microphone, Music and System pages for a human look (PNG files in the build
// folder), and on the Microphone and Music pages the layout faults a look would catch: controls on
// top of each other, controls outside the page, captions and texts cut off by their rectangles.
#include "model/Fields.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "pages/SystemPage.h"
#include "res/PageTemplate.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
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
#include <iterator>
#include <memory>

namespace tonel::testing {
namespace {

namespace mic = fields::mic;
namespace music = fields::music;
namespace sys = fields::system;
namespace glb = fields::global;

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

void busySystem(ParameterImage& image)
{
    const EqBand room[] = {{1, 20, 48, 30}, {2, 40, 24, 46}, {3, 95, 40, 46}, {4, 10, 8, 46},
                           {5, 75, 24, 60}, {0, 60, 24, 46}, {1, 121, 0, 72}};
    for (int i = 0; i < 7; ++i)
        image.setBand(sys::roomEq(i), room[i]);
    image.setBand(sys::centreEq(0), {1, 50, 36, 20});
    image.setBand(sys::centreEq(1), {3, 110, 14, 46});
    image.setBand(sys::subEq(0), {4, 15, 44, 46});
    image.setBand(sys::subEq(1), {1, 1, 10, 0});
    image.set(sys::centreLevel, 37);
    image.set(sys::subLevel, 12);
    image.set(sys::aux1Level, 0);
    image.set(sys::aux2Level, 25);
    image.set(sys::subHighPass, 13);
    image.set(sys::subLowPass, 37);
    image.set(sys::aux1Delay, 37);
    image.set(sys::aux2Delay, 100);
    image.set(sys::subPhase, 1);
    image.set(sys::subAutoAttenuation, 5);
    image.set(glb::effectProgram, 2);
    image.set(glb::panelLock, 1);
    image.set(glb::displayContrast, 3);
    image.set(glb::controlMode, 1);
}

// A control by its id, or a caption by its text.
std::string describe(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return "'" + label->text().toStdString() + "'";
    return w->objectName().toStdString();
}

enum class PageKind { Mic, Music, System };

struct Shot {
    const char* name;
    PageKind page;
    std::function<void(ParameterImage&)> prepare;
};
void PrintTo(const Shot& shot, std::ostream* out) { *out << shot.name; }

// The page of a shot on its prepared image, refreshed and shown in the set the image asks for.
class ShotFixture : public ::testing::TestWithParam<Shot> {
protected:
    ParameterImage image;
    RecordingChannel channel;
    std::unique_ptr<BoundPage> page;

    void SetUp() override
    {
        GetParam().prepare(image);
        const PageContext context{image, channel};
        switch (GetParam().page) {
        case PageKind::Mic: page = std::make_unique<MicrophonePage>(context, nullptr); break;
        case PageKind::Music: page = std::make_unique<MusicPage>(context, nullptr); break;
        case PageKind::System: page = std::make_unique<SystemPage>(context, nullptr); break;
        }
        page->refreshFromImage();
        page->applyControlMode();
        page->show();
    }
    QList<QWidget*> children() const { return page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly); }
};

class PagePictureTest : public ShotFixture {};
class PageScreenshotTest : public ShotFixture {};

QSize declaredSize(PageKind page)
{
    const res::PageTemplate& dialog = page == PageKind::Mic     ? res::microphoneTemplate()
                                        : page == PageKind::Music ? res::musicTemplate()
                                                                  : res::systemTemplate();
    return QSize(dialog.width, dialog.height) * res::kPixelsPerTemplateUnit;
}

TEST_P(PagePictureTest, WritesThePicture)
{
    const QPixmap picture = page->grab();
    EXPECT_EQ(picture.size(), declaredSize(GetParam().page));
    const QString path = QDir(buildDir()).filePath(QStringLiteral("page_%1.png").arg(GetParam().name));
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), picture.size()) << path.toStdString();
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
        if (!qobject_cast<QGroupBox*>(w) && w->objectName() != QString::number(res::GraphFrame))
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

// Fields and the widest texts each ever shows.
struct Widest {
    std::vector<int> ids;
    std::vector<const char*> texts;
};

std::vector<Widest> micWidest()
{
    using enum res::mic::Control;
    return {
        {{Mic1BandFreqField, Mic2BandFreqField, SharedBand1FreqField, SharedBand2FreqField, SharedBand3FreqField,
          SharedBand4FreqField, SharedBand5FreqField},
         {"950.00Hz", "20.00KHz", "950.0Hz"}},
        {{Mic1BandQField, Mic2BandQField, SharedBand1QField, SharedBand2QField, SharedBand3QField, SharedBand4QField,
          SharedBand5QField},
         {"19.40"}},
        {{Mic1BandGainField, Mic2BandGainField, SharedBand1GainField, SharedBand2GainField, SharedBand3GainField,
          SharedBand4GainField, SharedBand5GainField},
         {"-12"}},
        {{MainLevelField, SendLeftRightField, SendCentreField, SendAux1Field, SendAux2Field, Mic1InputGainField,
          Mic2InputGainField, MaxLevelField},
         {"50"}},
        {{ExciterField, NoiseGateField, AutoGainField, MicLinkField}, {" ON", "OFF"}},
        {{LimiterField}, {"-18dBV"}},
        {{FeedbackSuppressionField}, {"FB.EX3", "FB.EX200"}},
    };
}

std::vector<Widest> musicWidest()
{
    using enum res::music::Control;
    return {
        {{Eq1FreqField, Eq2FreqField, Eq3FreqField, Eq4FreqField, Eq5FreqField}, {"950.00Hz", "20.00KHz", "20.0KHz"}},
        {{Eq1QField, Eq2QField, Eq3QField, Eq4QField, Eq5QField}, {"19.40"}},
        {{Eq1GainField, Eq2GainField, Eq3GainField, Eq4GainField, Eq5GainField}, {"-12"}},
        {{MainLevelField, SendLeftRightField, SendCentreField, SendSubField, SendAux1Field, SendAux2Field,
          InputGainField, BgmGainField, MaxLevelField},
         {"50"}},
        {{NoiseGateField, AutoGainField}, {"ON ", "OFF"}},
        {{LimiterField}, {"-18dBV"}},
        {{InputSourceField}, {"AUTO", "DIGIT"}},
    };
}

// The widest text each kind of field ever shows must fit inside its frame and margins.
TEST_P(PageScreenshotTest, FieldsAreWideEnoughForTheirTexts)
{
    const std::vector<Widest> widest = GetParam().page == PageKind::Mic ? micWidest() : musicWidest();
    for (const Widest& w : widest) {
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

void defaults(ParameterImage&) {}

// The layout checks are written for the first four, the pictures are taken of all.
const Shot kShots[] = {
    {"mic_default", PageKind::Mic, defaults},       {"mic_unusual", PageKind::Mic, makeUnusual},
    {"music_default", PageKind::Music, defaults},   {"music_unusual", PageKind::Music, makeUnusual},
    {"system_default", PageKind::System, defaults}, {"system_busy", PageKind::System, busySystem},
};
constexpr std::size_t kLaidOutShots = 4;

std::string shotName(const ::testing::TestParamInfo<Shot>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Pages, PagePictureTest, ::testing::ValuesIn(kShots), shotName);
INSTANTIATE_TEST_SUITE_P(Pages, PageScreenshotTest,
                         ::testing::ValuesIn(std::begin(kShots), std::begin(kShots) + kLaidOutShots), shotName);

}  // namespace
}  // namespace tonel::testing

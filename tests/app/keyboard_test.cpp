// The panel without a mouse: spins stepped by keys, shortcuts for the buttons, Tab in reading
// order with a ring around the control that has the focus.

#include "ViewFixture.h"
#include "app/FocusRing.h"
#include "controls/SpinArrows.h"
#include "model/Fields.h"
#include "res/MicrophoneControls.h"
#include "tests/support/RecordingChannel.h"

#include <QLineEdit>

#include <map>

namespace tonel::testing {
namespace {

// One page driven by the mouse, its twin by the keyboard: both must end up the same.
struct PagePair {
    ParameterImage images[2];
    RecordingChannel channels[2];
    QWidget hosts[2];
    Page* pages[2] = {};

    explicit PagePair(int which)  // effect, microphone, music, system
    {
        for (int i : {0, 1}) {
            images[i].set(fields::global::controlMode, 1);  // every field enabled
            pages[i] = makeStandardPages({images[i], channels[i]}, &hosts[i])[static_cast<std::size_t>(which)];
            pages[i]->refreshFromImage();
            pages[i]->applyControlMode();
        }
    }
    static std::map<QString, QString> texts(const Page& page)
    {
        std::map<QString, QString> shown;
        for (const QLineEdit* field : page.findChildren<QLineEdit*>())
            shown[field->objectName()] = field->text();
        return shown;
    }
    void expectSame(const std::string& what) const
    {
        EXPECT_EQ(images[0].bytes(), images[1].bytes()) << what;
        EXPECT_EQ(channels[0].sent, channels[1].sent) << what;
        EXPECT_EQ(texts(*pages[0]), texts(*pages[1])) << what;
    }
};

TEST(KeyboardOnSpins, EveryKeyStepsLikeClicksOnTheArrowsSameBytesCommandsAndTexts)
{
    int spins = 0;
    int paged = 0;
    for (int which = 0; which < kPageCount; ++which) {
        PagePair pair(which);
        for (SpinArrows* spin : pair.pages[0]->findChildren<SpinArrows*>()) {
            auto* twin = pair.pages[1]->findChild<SpinArrows*>(spin->objectName());
            ASSERT_NE(twin->buddy(), nullptr);
            EXPECT_TRUE(twin->focusPolicy() & Qt::TabFocus);
            // key, where it is pressed, clicks on the up (true) or down arrow
            std::vector<std::tuple<Qt::Key, QWidget*, int, bool>> steps{{Qt::Key_Up, twin, 1, true},
                {Qt::Key_Down, twin, 1, false}, {Qt::Key_Up, twin->buddy(), 1, true}, {Qt::Key_Down, twin->buddy(), 1, false}};
            if (twin->pageStep() > 1) {
                steps.insert(steps.end(), {{Qt::Key_PageDown, twin, twin->pageStep(), false},
                                           {Qt::Key_PageUp, twin->buddy(), twin->pageStep(), true}});
                ++paged;
            }
            for (const auto& [key, target, clicks, up] : steps) {
                for (int i = 0; i < clicks; ++i)
                    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(8, up ? 2 : spin->height() - 2));
                QTest::keyClick(target, key);
                pair.expectSame("spin " + spin->objectName().toStdString() + " key " + std::to_string(key));
            }
            ++spins;
        }
    }
    EXPECT_GT(spins, 40);
    EXPECT_GT(paged, 30) << "frequency and Q spins have long ranges";
}

std::vector<QString> objectNames(std::initializer_list<int> ids)
{
    std::vector<QString> names;
    for (const int id : ids)
        names.push_back(QString::number(id));
    return names;
}

// The whole view, active, as a user at the keyboard has it.
struct Keyboard : ViewFixture {
    void SetUp() override
    {
        makeView(makeStandardPages);
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    void press(QKeyCombination keys) { QTest::keyClick(view.get(), keys.key(), keys.keyboardModifiers()); }
};

TEST_F(Keyboard, ShortcutsDoWhatTheirButtonsDoAndNothingWhileTheButtonIsDisabled)
{
    press(Qt::CTRL | Qt::Key_O);
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(files.opened, 1);
    EXPECT_EQ(files.saved, 1);
    button(res::view::OpenFileButton)->setEnabled(false);  // as during a session
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(files.opened, 1);

    const std::vector<std::pair<QKeyCombination, int>> pageKeys{
        {Qt::Key_F3, 2}, {Qt::Key_F1, 0}, {Qt::CTRL | Qt::Key_4, 3}, {Qt::CTRL | Qt::Key_2, 1}};
    for (const auto& [keys, page] : pageKeys) {
        press(keys);
        EXPECT_EQ(view->shownPage(), page) << QKeySequence(keys).toString().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), button(res::view::EffectPageButton + page)) << "the focus goes as under a click";
    }
}

TEST_F(Keyboard, TabGoesRowByRowThroughTheButtonsThenGroupByGroupWithTheFocusRingAlong)
{
    click(res::view::MicrophonePageButton);
    button(res::view::OpenFileButton)->setFocus(Qt::TabFocusReason);
    const FocusRing* ring = view->findChild<FocusRing*>();
    ASSERT_NE(ring, nullptr);
    std::vector<QString> visited;
    for (int i = 0; i < 200 && (visited.empty() || QApplication::focusWidget() != button(res::view::OpenFileButton)); ++i) {
        QWidget* focused = QApplication::focusWidget();
        visited.push_back(focused->objectName());
        EXPECT_EQ(ring->target(), focused);
        EXPECT_TRUE(ring->isVisible() && ring->geometry().contains(QRect(focused->mapTo(view.get(), QPoint()), focused->size())));
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    using namespace res::view;
    using namespace res::mic;
    const std::vector<QString> expectedStart = objectNames({
        OpenFileButton, SaveFileButton, ReadButton, WriteButton, ModeButton,
        EffectPageButton, MicrophonePageButton, MusicPageButton, SystemPageButton,
        // the level group: main, then the sends, left to right
        MainLevelSlider, SendLeftRightSlider, SendCentreSlider, SendAux1Slider, SendAux2Slider,
        // the band group in the Easy set: gains, frequency spins, Q spins
        Mic1BandGainSlider, Mic2BandGainSlider, SharedBand1GainSlider, SharedBand2GainSlider, SharedBand3GainSlider,
        SharedBand4GainSlider, SharedBand5GainSlider, Mic1BandFreqSpin});
    ASSERT_GT(visited.size(), expectedStart.size());
    EXPECT_EQ(std::vector<QString>(visited.begin(), visited.begin() + expectedStart.size()), expectedStart);
    // Settings row by row, each field before its spin; the input gains end the round.
    const std::vector<QString> expectedEnd = objectNames({MicLinkField, MicLinkSpin, FeedbackSuppressionField,
                                                          FeedbackSuppressionSpin, Mic1InputGainSlider, Mic2InputGainSlider});
    EXPECT_EQ(std::vector<QString>(visited.end() - expectedEnd.size(), visited.end()), expectedEnd);
}

}  // namespace
}  // namespace tonel::testing

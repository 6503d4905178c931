// The panel without a mouse: spins stepped by keys, shortcuts for the buttons, Tab in reading
// order with a ring around the control that has the focus.

#include "ViewFixture.h"
#include "app/FocusRing.h"
#include "controls/CSpinButton.h"
#include "model/Fields.h"
#include "pages/CEffectPage.h"
#include "pages/CMicPage.h"
#include "pages/CMusicPage.h"
#include "pages/CSystemPage.h"
#include "tests/support/RecordingChannel.h"

#include <QLineEdit>

#include <functional>
#include <map>

namespace tonel::testing {
namespace {

using MakePage = std::function<CPage*(PageContext, QWidget*)>;

// One page driven by the mouse, its twin by the keyboard; both must end up the same.
struct PagePair {
    ParameterImage clickedImage, keyedImage;
    test::RecordingChannel clickedChannel, keyedChannel;
    std::unique_ptr<CPage> clicked, keyed;

    explicit PagePair(const MakePage& make)
    {
        for (ParameterImage* image : {&clickedImage, &keyedImage})
            image->set(fields::global::controlMode, 1);  // every field enabled
        clicked.reset(make({clickedImage, clickedChannel}, nullptr));
        keyed.reset(make({keyedImage, keyedChannel}, nullptr));
        for (CPage* page : {clicked.get(), keyed.get()}) {
            page->refreshFromImage();
            page->applyControlMode();
            page->show();
        }
    }
    static std::map<QString, QString> texts(const CPage& page)
    {
        std::map<QString, QString> shown;
        for (const QLineEdit* field : page.findChildren<QLineEdit*>())
            shown[field->objectName()] = field->text();
        return shown;
    }
    void expectSame(const QString& what) const
    {
        const std::string where = clicked->objectName().toStdString() + " " + what.toStdString();
        EXPECT_EQ(clickedImage.bytes(), keyedImage.bytes()) << where;
        EXPECT_EQ(clickedChannel.sent, keyedChannel.sent) << where;
        EXPECT_EQ(texts(*clicked), texts(*keyed)) << where;
    }
};

void clickArrow(CSpinButton* spin, bool up, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(8, up ? 2 : spin->height() - 2));
}

TEST(KeyboardOnSpins, EveryKeyStepsLikeClicksOnTheArrowsSameBytesCommandsAndTexts)
{
    const std::vector<MakePage> pages{
        [](PageContext c, QWidget* p) { return new CEffectPage(c, p); },
        [](PageContext c, QWidget* p) { return new CMicPage(c, p); },
        [](PageContext c, QWidget* p) { return new CMusicPage(c, p); },
        [](PageContext c, QWidget* p) { return new CSystemPage(c, p); },
    };
    int spinsChecked = 0;
    int paged = 0;
    for (const MakePage& make : pages) {
        PagePair pair(make);
        for (CSpinButton* spin : pair.clicked->findChildren<CSpinButton*>()) {
            auto* twin = pair.keyed->findChild<CSpinButton*>(spin->objectName());
            ASSERT_NE(twin, nullptr);
            ASSERT_NE(twin->buddy(), nullptr) << "spin " << spin->objectName().toStdString();
            EXPECT_TRUE(twin->focusPolicy() & Qt::TabFocus);
            const QString id = QStringLiteral("spin ") + spin->objectName();
            clickArrow(spin, true);
            QTest::keyClick(twin, Qt::Key_Up);
            pair.expectSame(id + " up");
            clickArrow(spin, false);
            QTest::keyClick(twin, Qt::Key_Down);
            pair.expectSame(id + " down");
            clickArrow(spin, true);
            QTest::keyClick(twin->buddy(), Qt::Key_Up);
            pair.expectSame(id + " up in its field");
            clickArrow(spin, false);
            QTest::keyClick(twin->buddy(), Qt::Key_Down);
            pair.expectSame(id + " down in its field");
            if (twin->pageStep() > 1) {
                clickArrow(spin, false, twin->pageStep());
                QTest::keyClick(twin, Qt::Key_PageDown);
                pair.expectSame(id + " page down");
                clickArrow(spin, true, twin->pageStep());
                QTest::keyClick(twin->buddy(), Qt::Key_PageUp);
                pair.expectSame(id + " page up in its field");
                ++paged;
            }
            ++spinsChecked;
        }
    }
    EXPECT_GT(spinsChecked, 40);
    EXPECT_GT(paged, 30) << "frequency and Q spins have long ranges";
}

struct Shortcuts : ViewFixture {
    void SetUp() override
    {
        ViewFixture::SetUp();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    void press(QKeyCombination keys) { QTest::keyClick(view.get(), keys.key(), keys.keyboardModifiers()); }
};

TEST_F(Shortcuts, DoWhatTheirButtonsDoAndNothingWhileTheButtonIsDisabled)
{
    press(Qt::CTRL | Qt::Key_O);
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(files.opened, 1);
    EXPECT_EQ(files.saved, 1);
    button(1201)->setEnabled(false);  // as during a session
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(files.opened, 1);

    const std::vector<std::pair<QKeyCombination, int>> pageKeys{
        {Qt::Key_F3, 2}, {Qt::Key_F2, 1}, {Qt::Key_F4, 3}, {Qt::Key_F1, 0},
        {Qt::CTRL | Qt::Key_4, 3}, {Qt::CTRL | Qt::Key_2, 1}, {Qt::CTRL | Qt::Key_3, 2}, {Qt::CTRL | Qt::Key_1, 0},
    };
    for (const auto& [keys, page] : pageKeys) {
        press(keys);
        EXPECT_EQ(view->shownPage(), page) << QKeySequence(keys).toString().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), button(1207 + page)) << "the focus goes as under a click";
    }
    press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(view->isVisible());
}

struct TabOrder : ViewFixture {
    void SetUp() override { makeView(makeStandardPages); }
};

TEST_F(TabOrder, GoesRowByRowThroughTheButtonsThenGroupByGroupWithTheFocusRingAlong)
{
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    click(1208);  // the microphone page
    button(1201)->setFocus(Qt::TabFocusReason);
    const FocusRing* ring = view->findChild<FocusRing*>();
    ASSERT_NE(ring, nullptr);
    std::vector<QString> visited;
    for (int i = 0; i < 200 && (visited.empty() || QApplication::focusWidget() != button(1201)); ++i) {
        QWidget* focused = QApplication::focusWidget();
        visited.push_back(focused->objectName());
        EXPECT_EQ(ring->target(), focused);
        EXPECT_TRUE(ring->isVisible() && ring->geometry().contains(QRect(focused->mapTo(view.get(), QPoint()), focused->size())));
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    const std::vector<QString> expectedStart{"1201", "1202", "1203", "1204", "1205", "1207", "1208", "1209", "1210",
                                             // the level group: main, then the sends, left to right
                                             "1094", "1096", "1098", "1100", "1102",
                                             // the band group in the Easy set: gains, frequency spins, Q spins
                                             "1110", "1111", "1119", "1126", "1133", "1140", "1147", "1113"};
    ASSERT_GT(visited.size(), expectedStart.size());
    EXPECT_EQ(std::vector<QString>(visited.begin(), visited.begin() + expectedStart.size()), expectedStart);
    // Settings row by row, each field before its spin; the input gains end the round.
    const std::vector<QString> expectedEnd{"1174", "1169", "1175", "1176", "1155", "1157"};
    EXPECT_EQ(std::vector<QString>(visited.end() - expectedEnd.size(), visited.end()), expectedEnd);
}

}  // namespace
}  // namespace tonel::testing

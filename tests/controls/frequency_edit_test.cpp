#include "controls/FrequencyEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

namespace tonel::testing {
namespace {

TEST(FilterEditCharacters, RejectsExactlySeventySevenPrintableCharacters)
{
    int rejected = 0;
    for (char32_t c = 0; c < 0x100; ++c)
        rejected += FrequencyEdit::isRejected(c) ? 1 : 0;
    EXPECT_EQ(rejected, 77);
}

TEST(FilterEditCharacters, KeepsWhatAFrequencyNeeds)
{
    for (const char32_t c : std::u32string_view(U"0123456789.fkoFKO \b\t\x7F\x80\xE9\u4E2D"))
        EXPECT_FALSE(FrequencyEdit::isRejected(c)) << static_cast<unsigned>(c);
    for (const char32_t c : std::u32string_view(U"-+,Hz!~/:aAeE"))
        EXPECT_TRUE(FrequencyEdit::isRejected(c)) << static_cast<unsigned>(c);
}

struct Typed {
    const char* keys;
    const char* text;       // on a desktop that writes decimals with a point
    const char* commaText;  // where the comma is the decimal point
};

void PrintTo(const Typed& typed, std::ostream* out) { *out << typed.keys; }

class FilterEditTyping : public ::testing::TestWithParam<Typed> {};

TEST_P(FilterEditTyping, KeepsOnlyFrequencyCharacters)
{
    const QLocale desktop;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        const std::string expected = locale.decimalPoint() == QStringLiteral(",") ? GetParam().commaText : GetParam().text;
        FrequencyEdit edit;
        QTest::keyClicks(&edit, GetParam().keys);
        EXPECT_EQ(edit.text().toStdString(), expected) << locale.name().toStdString();

        FrequencyEdit composed;  // the same text committed at once by an input method
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(GetParam().keys));
        QApplication::sendEvent(&composed, &commit);
        EXPECT_EQ(composed.text().toStdString(), expected) << locale.name().toStdString();
    }
    QLocale::setDefault(desktop);
}

INSTANTIATE_TEST_SUITE_P(Table, FilterEditTyping,
                         ::testing::Values(Typed{"1.5k", "1.5k", "1.5k"}, Typed{"1,5k", "15k", "1.5k"},
                                           Typed{"1,500", "1500", "1.500"}, Typed{"2kHz", "2k", "2k"},
                                           Typed{"-100", "100", "100"}, Typed{"1 k", "1 k", "1 k"},
                                           Typed{"20OFF", "20OFF", "20OFF"}, Typed{"+3dB", "3", "3"}));

TEST(FilterEdit, EditingKeysStillWork)
{
    FrequencyEdit edit;
    QTest::keyClicks(&edit, "125");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "2");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), "2");
}

TEST(FilterEdit, PastedTextIsNotFiltered)
{
    QApplication::clipboard()->setText("1,5kHz");
    FrequencyEdit edit;
    edit.paste();
    EXPECT_EQ(edit.text(), "1,5kHz");
}

// A field on a page on a view, as the pages place them.
struct FieldOnPage {
    QWidget view;
    QWidget* page = new QWidget(&view);
    FrequencyEdit* edit = new FrequencyEdit(page);
    QLineEdit* other = new QLineEdit(page);

    FieldOnPage()
    {
        view.setFocusPolicy(Qt::ClickFocus);
        view.resize(200, 100);
        other->move(0, 40);
        view.show();
        QApplication::setActiveWindow(&view);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
        edit->setFocus();
        EXPECT_TRUE(edit->hasFocus());
    }
};

class FilterEditCommitKey : public ::testing::TestWithParam<Qt::Key> {};

TEST_P(FilterEditCommitKey, ReleaseGivesTheFocusToTheView)
{
    FieldOnPage f;
    QSignalSpy lost(f.edit, &FrequencyEdit::focusLost);
    QSignalSpy returned(f.edit, &QLineEdit::returnPressed);
    QTest::keyPress(f.edit, GetParam());
    EXPECT_TRUE(f.edit->hasFocus()) << "the press does nothing";
    EXPECT_EQ(returned.count(), 0);
    QTest::keyRelease(f.edit, GetParam());
    EXPECT_TRUE(f.view.hasFocus());
    EXPECT_EQ(lost.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, FilterEditCommitKey, ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape));

TEST(FilterEdit, OtherKeyReleasesKeepTheFocus)
{
    FieldOnPage f;
    QTest::keyClick(f.edit, Qt::Key_1);
    QTest::keyClick(f.edit, Qt::Key_Tab);  // Tab moves on as usual: a loss the page must hear of
    QSignalSpy lost(f.edit, &FrequencyEdit::focusLost);
    f.edit->setFocus();
    QTest::keyRelease(f.edit, Qt::Key_1);
    EXPECT_TRUE(f.edit->hasFocus());
    f.other->setFocus();
    EXPECT_EQ(lost.count(), 1);
}

TEST(FilterEdit, LeftClickSelectsTheWholeText)
{
    FieldOnPage f;
    f.edit->setText("1.00k");
    f.edit->deselect();
    QTest::mouseClick(f.edit, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(f.edit->selectedText(), "1.00k");
}

class MenuRecordingEdit : public FrequencyEdit {
public:
    using FrequencyEdit::FrequencyEdit;
    int menus = 0;
    bool selectedAtMenu = false;
    bool focusedAtMenu = false;

protected:
    void showContextMenu(const QPoint&) override
    {
        ++menus;
        selectedAtMenu = selectedText() == text();
        focusedAtMenu = hasFocus();
    }
};

TEST(FilterEdit, RightClickFocusesSelectsAllThenOffersTheMenu)
{
    FieldOnPage f;
    auto* edit = new MenuRecordingEdit(f.page);
    edit->move(0, 70);
    edit->show();
    edit->setText("250");
    QTest::mouseClick(edit, Qt::RightButton, {}, QPoint(3, 5));
    EXPECT_EQ(edit->menus, 1);
    EXPECT_TRUE(edit->selectedAtMenu);
    EXPECT_TRUE(edit->focusedAtMenu);
}

}  // namespace
}  // namespace tonel::testing

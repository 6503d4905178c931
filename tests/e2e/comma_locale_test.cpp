// Frequency texts on a desktop whose locale writes decimals with a comma, and on one that writes
// them with a point: the CTest entry that runs this under a generated de_DE locale makes the
// first bite, a plain run the second.
#include "tests/app/DemoFixture.h"
#include "controls/FrequencyEdit.h"
#include "model/Fields.h"
#include "model/ParameterCommands.h"
#include "res/MusicControls.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace tonel::testing {
namespace {

namespace f = fields;
using CommaLocale = DemoFixture;

TEST_F(CommaLocale, ReadWalkTheFrequencyFieldsEditAndSave)
{
    // Every band at a kilohertz entry with decimals (1.06 kHz and up), which a comma cuts short.
    ImageBytes bytes = defaultImageBytes();
    int index = 70;
    for (const CommandField& field : commandFields())
        for (int k = 0; field.form == CommandForm::Band && k < (field.effectRelative ? 3 : 1); ++k)
            bytes[(field.effectRelative ? f::effect::at(k, field.offset) : field.offset) + 1] =
                static_cast<std::uint8_t>(index++);
    bytes[f::mic::link] = 0;  // the microphones' bands differ
    device().setImage(bytes);
    readFromDevice();
    switchToFullSet();
    view().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view().window()));

    // The focus passes through every frequency field of every page: no byte changes.
    const ImageBytes before = app.image().bytes();
    int walked = 0;
    for (int i = 0; i < 4; ++i) {
        press(res::view::EffectPageButton + i);
        for (auto* edit : page(i)->findChildren<FrequencyEdit*>()) {  // frequency and Q fields
            if (!edit->isEnabled())
                continue;
            edit->setFocus(Qt::TabFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), edit) << edit->objectName().toStdString();
            EXPECT_FALSE(edit->text().contains(QLatin1Char(','))) << edit->text().toStdString();
            ++walked;
        }
        view().setFocus(Qt::TabFocusReason);  // the page's last field loses the focus too
    }
    EXPECT_GE(walked, 2 + 7 + 5 + 11);  // at least one field per band
    EXPECT_EQ(app.image().bytes(), before);

    // 1.5 kHz as the desktop writes it: the comma is the decimal point there, a thousands
    // separator elsewhere.
    const bool decimalComma = QLocale().decimalPoint() == QStringLiteral(",");
    const PageDriver music = showPage(res::view::MusicPageButton, kMusicPage);
    auto* band1 = page(kMusicPage)->findChild<FrequencyEdit*>(QString::number(res::music::Eq1FreqField));
    band1->setFocus(Qt::MouseFocusReason);
    band1->selectAll();
    QTest::keyClicks(band1, decimalComma ? "1,5K" : "1,500");  // typed, as the field filters keys
    view().setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(music.text(res::music::Eq1FreqField), QStringLiteral("1.50KHz"));
    ASSERT_TRUE(deviceCatchesUp());
    EXPECT_EQ(device().image()[f::music::eq(0) + 1], 76);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("comma.cfg"));
    files.saveAnswers.push_back(path);
    disconnect();
    press(res::view::SaveFileButton);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const ImageBytes deviceImage = device().image();
    EXPECT_EQ(saved.readAll(), QByteArray(reinterpret_cast<const char*>(deviceImage.data()), deviceImage.size()));
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace tonel::testing

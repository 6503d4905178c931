// Frequency texts on a desktop whose locale writes decimals with a comma: the CTest entries that
// run under a generated de_DE locale make these bite (anywhere else they still must pass).
#include "DemoFixture.h"
#include "controls/CFilterEdit.h"
#include "model/Fields.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tonel::e2e {
namespace {

namespace f = fields;

// The frequency byte of every band on every page.
std::vector<f::Offset> bandFrequencyBytes()
{
    std::vector<f::Offset> starts;
    for (int p = 0; p < f::effect::programCount; ++p)
        for (int b = 0; b < 2; ++b)
            starts.push_back(f::effect::at(p, f::effect::eq(b)));
    for (int b = 0; b < 2; ++b)
        starts.insert(starts.end(), {f::mic::micEq(b), f::system::centreEq(b), f::system::subEq(b)});
    for (int b = 0; b < 5; ++b)
        starts.insert(starts.end(), {f::mic::eq(b), f::music::eq(b)});
    for (int b = 0; b < 7; ++b)
        starts.push_back(f::system::roomEq(b));
    for (f::Offset& s : starts)
        s += 1;
    return starts;
}

class CommaLocale : public DemoFixture {
protected:
    void SetUp() override
    {
        DemoFixture::SetUp();
        // Kilohertz entries with decimals (1.06 kHz and up), which a comma would cut short.
        ImageBytes bytes = defaultImageBytes();
        int index = 70;
        for (f::Offset at : bandFrequencyBytes())
            bytes[at] = static_cast<std::uint8_t>(index++);
        bytes[f::mic::link] = 0;  // the microphones' bands differ
        device().setImage(bytes);
        readFromDevice();
        switchToFullSet();
        QWidget* window = view().window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

TEST_F(CommaLocale, FocusWalkingThroughEveryFrequencyFieldChangesNoByte)
{
    const ImageBytes before = app.image().bytes();
    int walked = 0;
    for (int i = 0; i < 4; ++i) {
        press(1207 + i);
        for (auto* edit : page(i)->findChildren<CFilterEdit*>()) {
            if (!edit->isEnabled())
                continue;
            edit->setFocus(Qt::TabFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), edit) << edit->objectName().toStdString();
            EXPECT_FALSE(edit->text().contains(QLatin1Char(','))) << edit->text().toStdString();
            ++walked;
        }
        view().setFocus(Qt::TabFocusReason);  // the last field of the page loses the focus too
    }
    EXPECT_EQ(walked, 2 + 7 + 5 + 11);
    EXPECT_EQ(app.image().bytes(), before);
    ASSERT_TRUE(deviceCatchesUp());
}

TEST_F(CommaLocale, ReadEditAndSaveKeepThePoint)
{
    showPage(1209, 2);
    driver(2).typeFrequency(1122, QStringLiteral("1.5K"));  // music band 1
    EXPECT_EQ(driver(2).text(1122), QStringLiteral("1.50KHz"));
    ASSERT_TRUE(deviceCatchesUp());
    EXPECT_EQ(device().image()[f::music::eq(0) + 1], 76);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    files.saveAnswers.push_back(folder.filePath(QStringLiteral("comma.cfg")));
    disconnect();
    press(button::kSaveFile);
    QFile saved(folder.filePath(QStringLiteral("comma.cfg")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    const ImageBytes deviceImage = device().image();
    EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(deviceImage.data()), deviceImage.size()));
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace tonel::e2e

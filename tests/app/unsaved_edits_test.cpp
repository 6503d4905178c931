// The main window's title and close question follow the edits that neither a file nor the device
// holds yet.

#include "ViewFixture.h"
#include "app/MainWindow.h"
#include "device/WireProtocol.h"

#include <QTemporaryDir>

#include <functional>

namespace tonel::testing {
namespace {

const QString kEdited = QStringLiteral("Tonel Controller v1.0 *");
const QString kKept = QStringLiteral("Tonel Controller v1.0");

struct UnsavedEdits : ViewFixture {
    std::unique_ptr<MainWindow> window;
    QTemporaryDir folder;

    void SetUp() override
    {
        port.setDevice(1, [](const std::string& frame) -> std::string {
            if (frame == wire::kHello)
                return std::string(wire::kHelloReply);
            return frame == wire::kQuery ? "(01Q376" + wire::encodeImageHex(ParameterImage()) + ")" : "";
        });
        window = std::make_unique<MainWindow>(
            ViewContext{image, port, catalog, portListener, messages, files, timers, loggingPages(pageLog)}, QSize(1920, 1050));
        window->show();
    }
    void press(int id) { QTest::mouseClick(window->view().button(id), Qt::LeftButton); }
    void edit(int by = 1)
    {
        image.set(60, static_cast<std::uint8_t>(image.get(60) + by));
        window->refreshTitle();
    }
    QString savingTo(const char* name)
    {
        files.saveAnswers.push_back(name == nullptr ? QString() : folder.filePath(QString::fromLatin1(name)));
        return files.saveAnswers.back();
    }
};

TEST_F(UnsavedEdits, LoadSaveReadAndStoreEachKeepTheEdits)
{
    edit();
    edit(-1);
    EXPECT_EQ(window->windowTitle(), kKept) << "an edit undone leaves nothing to lose";
    const QString file = savingTo("kept.cfg");
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"save", [&] { press(res::view::SaveFileButton); }},
        {"load", [&] { window->view().loadFile(file); }},
        {"read", [&] {
             press(res::view::ReadButton);
             for (int timer : {1, 2}) {
                 port.deliverPending();
                 QCoreApplication::sendPostedEvents();
                 ASSERT_TRUE(timers.fire(timer));
             }
             ASSERT_TRUE(window->view().session().connected());
         }},
        {"store", [&] { press(res::view::WriteButton); }},  // connected since the read
    };
    for (const auto& [name, keep] : ways) {
        edit();
        EXPECT_EQ(window->windowTitle(), kEdited) << name;
        keep();
        window->refreshTitle();
        EXPECT_EQ(window->windowTitle(), kKept) << name;
    }
    EXPECT_EQ(port.sentTexts().back(), std::string(wire::kStore));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(UnsavedEdits, ClosingAsksEachTimeUntilTheEditsAreSavedOrAbandoned)
{
    edit();
    // cancel; save with the dialog cancelled; save into a missing folder; save
    messages.closeAnswers = {CloseChoice::Cancel, CloseChoice::Save, CloseChoice::Save, CloseChoice::Save};
    savingTo(nullptr);
    savingTo("no-such-folder/x.cfg");
    for (int attempt = 1; attempt <= 3; ++attempt) {
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(messages.questions.size(), static_cast<std::size_t>(attempt));
    }
    EXPECT_EQ(window->windowTitle(), kEdited);
    EXPECT_EQ(messages.boxes.size(), 1u) << "the failed save says so";
    QFile saved(savingTo("closing.cfg"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible()) << "Ctrl+Q closes as the window manager does";
    EXPECT_EQ(messages.questions, std::vector<QString>(4, kKept));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().at(60), static_cast<char>(image.get(60)));
}

TEST_F(UnsavedEdits, TheEndOfTheSessionNeverAsks)
{
    edit();
    window->closeWithoutQuestion();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.questions.empty());
}

}  // namespace
}  // namespace tonel::testing

// The main window's title and close question follow the edits that a file or the device does not
// hold yet.

#include "AppFakes.h"
#include "app/CMainFrame.h"
#include "device/WireProtocol.h"
#include "tests/support/FakeSerialPort.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tonel::testing {
namespace {

const QString kEdited = QStringLiteral("Tonel Controller v1.0 *");
const QString kKept = QStringLiteral("Tonel Controller v1.0");

struct UnsavedEdits : ::testing::Test {
    FakePortCatalog catalog{std::vector<int>{1}};
    FakeSerialPort port{&catalog};
    QueuedPortOwner portOwner;
    ParameterImage image;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    FakeTimers timers;
    std::vector<std::string> pageLog;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir folder;

    void SetUp() override
    {
        port.setDevice(1, [](const std::string& frame) -> std::string {
            if (frame == wire::kHello)
                return std::string(wire::kHelloReply);
            if (frame == wire::kQuery)
                return "(01Q376" + wire::encodeImageHex(ParameterImage()) + ")";
            return {};
        });
        frame = std::make_unique<CMainFrame>(
            ViewContext{image, port, catalog, portOwner, messages, files, timers, loggingPages(pageLog)}, QSize(1920, 1050));
        frame->show();
    }
    CTonelView& view() { return frame->view(); }
    void click(int id) { QTest::mouseClick(view().button(id), Qt::LeftButton); }
    void deliverReplies()
    {
        port.deliverPending();
        QCoreApplication::sendPostedEvents();
    }
    void readFromDevice()
    {
        click(1203);
        deliverReplies();
        ASSERT_TRUE(timers.fire(1));
        deliverReplies();
        ASSERT_TRUE(timers.fire(2));
        ASSERT_TRUE(view().session().connected());
    }
    void edit()
    {
        image.set(60, static_cast<std::uint8_t>(image.get(60) + 1));
        frame->refreshTitle();
    }
    QString savedFile(const char* name)
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        files.saveAnswers.push_back(path);
        return path;
    }
};

TEST_F(UnsavedEdits, LoadSaveReadAndStoreEachKeepTheEdits)
{
    const QString file = folder.filePath("kept.cfg");
    files.saveAnswers.push_back(file);
    click(1202);
    ASSERT_TRUE(QFile::exists(file));
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"load", [&] { view().loadFile(file); }},
        {"save", [&] {
             savedFile("again.cfg");
             click(1202);
         }},
        {"read", [&] { readFromDevice(); }},
        {"store", [&] { click(1204); }},  // connected since the read
    };
    for (const auto& [name, keep] : ways) {
        edit();
        EXPECT_TRUE(view().hasUnsavedEdits()) << name;
        EXPECT_EQ(frame->windowTitle(), kEdited) << name;
        keep();
        frame->refreshTitle();
        EXPECT_FALSE(view().hasUnsavedEdits()) << name;
        EXPECT_EQ(frame->windowTitle(), kKept) << name;
    }
    EXPECT_EQ(port.sentTexts().back(), std::string(wire::kStore));
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(UnsavedEdits, AnEditThatIsUndoneLeavesNothingToAsk)
{
    edit();
    image.set(60, static_cast<std::uint8_t>(image.get(60) - 1));
    frame->refreshTitle();
    EXPECT_EQ(frame->windowTitle(), kKept);
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(UnsavedEdits, ClosingAsksOnceEachTimeAndOnlyCloseAnywayOrASaveEndsIt)
{
    edit();
    const QString saved = folder.filePath("closing.cfg");
    // cancel; save with the dialog cancelled; save into a missing folder; close anyway
    messages.closeAnswers = {CloseChoice::Cancel, CloseChoice::Save, CloseChoice::Save, CloseChoice::CloseAnyway};
    files.saveAnswers = {QString(), folder.filePath("no-such-folder/x.cfg")};
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(frame->close()) << attempt;
        EXPECT_TRUE(frame->isVisible()) << attempt;
        EXPECT_EQ(messages.questions.size(), static_cast<std::size_t>(attempt + 1));
        EXPECT_EQ(frame->windowTitle(), kEdited) << attempt;
    }
    EXPECT_EQ(messages.boxes.size(), 1u) << "the failed save says so";
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame->isVisible()) << "Ctrl+Q closes as the window's close does";
    EXPECT_EQ(messages.questions.size(), 4u);
    EXPECT_EQ(messages.questions.back(), kKept);
    EXPECT_FALSE(QFile::exists(saved));
}

TEST_F(UnsavedEdits, SavingFromTheQuestionClosesWithTheFileWritten)
{
    edit();
    messages.closeAnswers = {CloseChoice::Save};
    const QString path = savedFile("closing.cfg");
    EXPECT_TRUE(frame->close());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().at(60), static_cast<char>(image.get(60)));
}

TEST_F(UnsavedEdits, TheEndOfTheSessionNeverAsks)
{
    edit();
    frame->closeWithoutQuestion();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(messages.questions.empty());
}

}  // namespace
}  // namespace tonel::testing

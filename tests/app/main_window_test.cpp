#include "AppFakes.h"
#include "app/Application.h"
#include "emulator/VirtualProcessor.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

// The whole program on the built-in virtual processor, with real timers and the real port.
struct DemoApp : ::testing::Test {
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    Application app{&messages, &files, QSize(1920, 1050)};

    void SetUp() override
    {
        TonelOptions options;
        options.demo = true;
        QString error;
        ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
    }
    QPushButton* button(int id) const
    {
        return app.mainFrame()->findChild<QPushButton*>(QString::number(id));
    }
};

TEST_F(DemoApp, MainWindowIsFixedWithItsCaptionAndNoMenu)
{
    MainWindow* frame = app.mainFrame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tonel Controller v1.0"));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_EQ(frame->size(), QSize(1024, 690));
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(frame->menuWidget(), nullptr);
    EXPECT_EQ(frame->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(frame->centralWidget(), &frame->view());
    EXPECT_TRUE(frame->isVisible());
    // The dock matches the window to the installed entry and shows its icon.
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("tonel-controller"));
    EXPECT_EQ(frame->windowIcon().availableSizes().size(), 8);
    EXPECT_NE(frame->windowIcon().pixmap(256).toImage().pixelColor(128, 40).alpha(), 0) << "drawn, not empty";
}

TEST(MainFrame, OnAScreenTooSmallTheViewScrollsInAWindowThatFits)
{
    struct Screen {
        QSize available;
        bool scrolls;
        QSize window;
    };
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const Screen screens[] = {
        {{1920, 1050}, false, {1024, 690}},
        {{1024, 730}, false, {1024, 690}},           // just room for the title bar
        {{1280, 680}, true, {1024 + bar, 640}},      // 1080p at 150 %, less a panel
        {{800, 560}, true, {800, 520}},
        {{1000, 1000}, true, {1000, 690 + bar}},
    };
    for (const Screen& screen : screens) {
        RecordingMessageBoxes messages;
        ScriptedFileDialogs files;
        Application app{&messages, &files, screen.available};
        TonelOptions options;
        options.ports = {"/nonexistent/tty"};
        ASSERT_TRUE(app.start(options, nullptr));
        MainWindow* frame = app.mainFrame();
        EXPECT_EQ(frame->scrollsView(), screen.scrolls) << screen.available.width();
        EXPECT_EQ(frame->size(), screen.window) << screen.available.width();
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
        EXPECT_EQ(frame->view().size(), QSize(1024, 690)) << "the layout stays";
    }
}

TEST_F(DemoApp, ReadsTheVirtualProcessorAndSaysGoodbyeWhenClosedAnyway)
{
    emulator::VirtualProcessor* device = app.demoDevice();
    ASSERT_NE(device, nullptr);
    ImageBytes deviceBytes = defaultImageBytes();
    deviceBytes[1] = 1;
    deviceBytes[60] = 17;
    device->setImage(deviceBytes);

    QTest::mouseClick(button(1203), Qt::LeftButton);
    ASSERT_TRUE(processEventsUntil([&] { return app.mainFrame()->view().session().connected(); }));
    EXPECT_TRUE(button(1206)->isEnabled());
    EXPECT_FALSE(button(1201)->isEnabled());
    EXPECT_EQ(button(1205)->text(), QStringLiteral("全功能模式"));
    EXPECT_TRUE(messages.boxes.empty());

    QTest::mouseClick(button(1205), Qt::LeftButton);  // an edit the device does not store
    messages.closeAnswers = {CloseChoice::CloseAnyway};
    EXPECT_TRUE(app.mainFrame()->close());
    EXPECT_EQ(messages.questions.size(), 1u);
    app.shutDown();
    // greeting, query, the mode command, then the goodbye
    ASSERT_TRUE(device->waitForReceived(4, std::chrono::milliseconds(2000)));
    EXPECT_EQ(device->receivedFrames().back(), "(01bye)");
}

TEST_F(DemoApp, ClosingWithoutSessionSendsNothing)
{
    app.shutDown();
    EXPECT_TRUE(app.demoDevice()->receivedFrames().empty());
}

TEST(TonelApp, FileGivenAtStartIsLoadedAsTheOpenButtonWould)
{
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    Application app{&messages, &files};
    TonelOptions options;
    options.ports = {"/nonexistent/tty"};
    options.file = "/nonexistent/start.cfg";
    ASSERT_TRUE(app.start(options, nullptr));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_TRUE(messages.boxes[0].text.contains(QStringLiteral("start.cfg")));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Warning"));
}

}  // namespace
}  // namespace tonel::testing

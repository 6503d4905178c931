#include "AppFakes.h"
#include "app/CTonelApp.h"
#include "emulator/VirtualProcessor.h"

#include <QMenuBar>
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
    CTonelApp app{&messages, &files};

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
    CMainFrame* frame = app.mainFrame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tonel Controller v1.0"));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_EQ(frame->size(), QSize(1024, 690));
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(frame->menuWidget(), nullptr);
    EXPECT_EQ(frame->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(frame->centralWidget(), &frame->view());
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(DemoApp, ReadsTheVirtualProcessorAndSaysGoodbyeWhenClosed)
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

    app.shutDown();
    ASSERT_TRUE(device->waitForReceived(3, std::chrono::milliseconds(2000)));
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
    CTonelApp app{&messages, &files};
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

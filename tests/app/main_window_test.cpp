#include "AppFakes.h"
#include "DemoFixture.h"
#include "app/Application.h"
#include "app/ViewLayout.h"
#include "emulator/VirtualProcessor.h"
#include "res/MusicControls.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace tonel::testing {
namespace {

// The whole program on the built-in virtual processor, on a screen with room for the window.
struct DemoApp : DemoFixture {
    DemoApp() : DemoFixture(QSize(1920, 1050)) {}
};

TEST_F(DemoApp, MainWindowIsFixedWithItsCaptionAndNoMenu)
{
    MainWindow* window = app.mainWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tonel Controller v1.0"));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->size(), view::kSize);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->menuWidget(), nullptr);
    EXPECT_EQ(window->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(window->centralWidget(), &window->view());
    EXPECT_TRUE(window->isVisible());
    // The dock matches the window to the installed entry and shows its icon.
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("tonel-controller"));
    EXPECT_EQ(window->windowIcon().availableSizes().size(), 8);
    EXPECT_NE(window->windowIcon().pixmap(256).toImage().pixelColor(128, 40).alpha(), 0) << "drawn, not empty";
}

TEST(MainWindowSize, OnAScreenTooSmallTheViewScrollsInAWindowThatFits)
{
    struct Screen {
        QSize available;
        bool scrolls;
        QSize window;
    };
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const Screen screens[] = {
        {{1920, 1050}, false, view::kSize},
        {view::kSize + QSize(0, 40), false, view::kSize},      // just room for the title bar
        {{1280, 680}, true, {view::kSize.width() + bar, 640}},  // 1080p at 150 %, less a panel
        {{800, 560}, true, {800, 520}},
        {{1000, 1000}, true, {1000, view::kSize.height() + bar}},
    };
    for (const Screen& screen : screens) {
        RecordingMessageBoxes messages;
        ScriptedFileDialogs files;
        Application app{&messages, &files, screen.available};
        TonelOptions options;
        options.ports = {"/nonexistent/tty"};
        ASSERT_TRUE(app.start(options, nullptr));
        MainWindow* window = app.mainWindow();
        EXPECT_EQ(window->scrollsView(), screen.scrolls) << screen.available.width();
        EXPECT_EQ(window->size(), screen.window) << screen.available.width();
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->view().size(), view::kSize) << "the layout stays";
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

    QTest::mouseClick(button(res::view::ReadButton), Qt::LeftButton);
    ASSERT_TRUE(processEventsUntil([&] { return connected(); }));
    EXPECT_TRUE(button(res::view::DisconnectButton)->isEnabled());
    EXPECT_FALSE(button(res::view::OpenFileButton)->isEnabled());
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("全功能模式"));
    EXPECT_TRUE(messages.boxes.empty());

    press(res::view::ModeButton);  // an edit the device does not store
    messages.closeAnswers = {CloseChoice::CloseAnyway};
    EXPECT_TRUE(app.mainWindow()->close());
    EXPECT_EQ(messages.questions.size(), 1u);
    app.shutDown();
    // greeting, query, the mode command, then the goodbye
    ASSERT_TRUE(device->waitForReceived(4, std::chrono::milliseconds(2000)));
    EXPECT_EQ(device->receivedFrames().back(), "(01bye)");
}

TEST_F(DemoApp, AFocusedFrequencyFieldSendsItsBandAgainAndTheGoodbyeStillFollows)
{
    readFromDevice();
    switchToFullSet();
    showPage(res::view::MusicPageButton, kMusicPage);
    app.mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.mainWindow()));
    auto* field = page(kMusicPage)->findChild<QLineEdit*>(QString::number(res::music::Eq1FreqField));
    field->setFocus(Qt::MouseFocusReason);
    messages.closeAnswers = {CloseChoice::CloseAnyway};  // the full set was an edit
    EXPECT_TRUE(app.mainWindow()->close());
    app.shutDown();
    ASSERT_TRUE(device().waitUntil([](auto&, auto& log) { return !log.empty() && log.back().text == "(01bye)"; },
                                   std::chrono::milliseconds(2000)));
    const std::vector<std::string> frames = device().receivedFrames();
    EXPECT_EQ(frames.at(frames.size() - 2).rfind("(01$008200", 0), 0u) << "the band, as it was";
}

TEST_F(DemoApp, ClosingWithoutSessionSendsNothing)
{
    app.shutDown();
    EXPECT_TRUE(app.demoDevice()->receivedFrames().empty());
}

TEST(ApplicationStart, FileGivenAtStartIsLoadedAsTheOpenButtonWould)
{
    QTemporaryDir folder;
    const std::string present = QFile::encodeName(folder.path()).toStdString() + "/r\xE9glage.cfg";  // not UTF-8
    {
        ImageBytes sevens;
        sevens.fill(7);
        std::ofstream(present, std::ios::binary).write(reinterpret_cast<const char*>(sevens.data()), kImageSize);
    }
    for (const std::string& file : {std::string("/nonexistent/start.cfg"), present}) {
        RecordingMessageBoxes messages;
        ScriptedFileDialogs files;
        Application app{&messages, &files};
        TonelOptions options;
        options.ports = {"/nonexistent/tty"};
        options.file = file;
        ASSERT_TRUE(app.start(options, nullptr));
        if (file == present) {
            EXPECT_TRUE(messages.boxes.empty()) << messages.boxes.at(0).text.toStdString();
            EXPECT_EQ(app.image().get(0), 7);
            continue;
        }
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_TRUE(messages.boxes[0].text.contains(QStringLiteral("start.cfg")));
        EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Warning"));
    }
    std::remove(present.c_str());  // QTemporaryDir cannot remove a name that is not UTF-8
}

}  // namespace
}  // namespace tonel::testing

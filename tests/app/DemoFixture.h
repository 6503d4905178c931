#pragma once
// The whole program on its built-in virtual processor: real port, real timers, real pages.

#include "app/DemoRun.h"
#include "device/DeviceSession.h"
#include "emulator/VirtualProcessor.h"
#include "model/Fields.h"
#include "pages/BoundPage.h"
#include "tests/app/AppFakes.h"
#include "tests/pages/PageDriver.h"

#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace tonel::testing {

using namespace std::chrono_literals;

class DemoFixture : public ::testing::Test {
protected:
    // The pages in the view's order, as `page()` and `driver()` take them.
    static constexpr int kEffectPage = 0;
    static constexpr int kMicPage = 1;
    static constexpr int kMusicPage = 2;
    static constexpr int kSystemPage = 3;

    // The window on the primary screen unless `availableArea` says otherwise.
    explicit DemoFixture(QSize availableArea = {}) : app{&messages, &files, availableArea} {}

    testing::RecordingMessageBoxes messages;
    testing::ScriptedFileDialogs files;
    Application app;

    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(startDemo(app, &error)) << error.toStdString();
    }

    emulator::VirtualProcessor& device() { return *app.demoDevice(); }
    MainView& view() { return app.mainWindow()->view(); }
    QPushButton* button(int id) { return view().button(id); }
    QWidget* page(int index) { return view().page(index); }
    void press(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    bool connected() { return view().session().connected(); }

    void readFromDevice()
    {
        press(res::view::ReadButton);
        ASSERT_TRUE(testing::processEventsUntil([&] { return connected(); }, 5000)) << "no session";
    }
    void switchToFullSet()
    {
        if (app.image().get(fields::global::controlMode) == 0)
            press(res::view::ModeButton);
        ASSERT_EQ(app.image().get(fields::global::controlMode), 1);
    }
    // The device's image becomes the panel's (every live change arrived).
    bool deviceCatchesUp(std::chrono::milliseconds timeout = 5000ms)
    {
        const ImageBytes panel = app.image().bytes();
        return device().waitUntil([&](const ParameterImage& image, const auto&) { return image.bytes() == panel; },
                                  timeout);
    }
    PageDriver driver(int index) { return PageDriver(*dynamic_cast<BoundPage*>(page(index))); }
    // Presses a page button; the page it shows, ready to operate.
    PageDriver showPage(int buttonId, int index)
    {
        press(buttonId);
        EXPECT_EQ(view().shownPage(), index);
        return driver(index);
    }
    // One user action, then the device has everything the panel has.
    void step(const std::string& what, const std::function<void()>& action)
    {
        action();
        EXPECT_TRUE(deviceCatchesUp()) << what;
    }
    void disconnect()
    {
        press(res::view::DisconnectButton);
        ASSERT_TRUE(testing::processEventsUntil([&] { return !connected(); }, 3000)) << "session did not close";
    }
};

}  // namespace tonel::testing

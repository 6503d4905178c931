// Read, live changes, disconnect and close: the main view against the virtual processor.
#include "DemoFixture.h"
#include "controls/CSpinButton.h"
#include "model/Fields.h"

#include <QLineEdit>
#include <QSlider>

namespace tonel::e2e {
namespace {

namespace fx = fields::effect;

using SessionEndToEnd = DemoFixture;

TEST_F(SessionEndToEnd, ReadShowsTheDevicesProgramAndLiveChangesReachIt)
{
    ImageBytes bytes = defaultImageBytes();
    bytes[fields::global::effectProgram] = 1;
    bytes[fx::at(1, fx::masterLevel)] = 17;
    device().setImage(bytes);

    readFromDevice();
    EXPECT_EQ(page(0)->findChild<QLineEdit*>("1093")->text(), QStringLiteral("17"));
    EXPECT_EQ(app.image().bytes(), bytes);
    EXPECT_TRUE(button(button::kDisconnect)->isEnabled());
    EXPECT_FALSE(button(button::kOpenFile)->isEnabled());

    auto* master = page(0)->findChild<QSlider*>("1094");
    master->setValue(master->value() + 5);                          // a slider move
    page(0)->findChild<CSpinButton*>("1089")->stepUp();            // a band change
    ASSERT_TRUE(deviceCatchesUp());
    EXPECT_EQ(device().image()[fx::at(1, fx::masterLevel)], 22);
    EXPECT_EQ(device().image()[fx::at(1, fx::eq(0)) + 1], 33);
    EXPECT_EQ(device().image()[fx::at(0, fx::masterLevel)], 39);   // program 0 untouched

    disconnect();
    EXPECT_EQ(device().receivedFrames().back(), "(01bye)");
    for (int id : {button::kOpenFile, button::kRead, button::kWrite, button::kDisconnect})
        EXPECT_TRUE(button(id)->isEnabled()) << id;
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(SessionEndToEnd, WriteUploadsThePanelsImage)
{
    auto* master = page(0)->findChild<QSlider*>("1094");
    master->setValue(3);  // offline: only the image changes
    press(button::kWrite);
    ASSERT_TRUE(testing::processEventsUntil([&] { return button(button::kDisconnect)->isEnabled(); }, 5000));
    EXPECT_TRUE(connected());
    EXPECT_EQ(device().image(), app.image().bytes());
    EXPECT_EQ(device().image()[fx::at(0, fx::masterLevel)], 3);
}

TEST_F(SessionEndToEnd, ClosingTheWindowWhileConnectedSaysGoodbye)
{
    readFromDevice();
    app.shutDown();
    ASSERT_TRUE(device().waitUntil(
        [](const ParameterImage&, const std::vector<emulator::FrameRecord>& log) {
            return !log.empty() && log.back().text == "(01bye)";
        },
        2000ms));
}

}  // namespace
}  // namespace tonel::e2e

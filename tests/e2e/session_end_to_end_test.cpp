// Read, live changes, disconnect and close: the main view against the virtual processor.
#include "tests/app/DemoFixture.h"
#include "controls/SpinArrows.h"
#include "model/Fields.h"
#include "res/EffectControls.h"

#include <QSlider>

namespace tonel::testing {
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
    const PageDriver effect = driver(kEffectPage);
    EXPECT_EQ(effect.text(res::effect::MainLevelField), QStringLiteral("17"));
    EXPECT_EQ(app.image().bytes(), bytes);
    EXPECT_TRUE(button(res::view::DisconnectButton)->isEnabled());
    EXPECT_FALSE(button(res::view::OpenFileButton)->isEnabled());

    auto* master = effect.find<QSlider>(res::effect::MainLevelSlider);
    master->setValue(master->value() + 5);                          // a slider move
    effect.find<SpinArrows>(res::effect::Eq1FreqSpin)->stepUp();  // a band change
    ASSERT_TRUE(deviceCatchesUp());
    EXPECT_EQ(device().image()[fx::at(1, fx::masterLevel)], 22);
    EXPECT_EQ(device().image()[fx::at(1, fx::eq(0)) + 1], 33);
    EXPECT_EQ(device().image()[fx::at(0, fx::masterLevel)], 39);   // program 0 untouched

    disconnect();
    EXPECT_EQ(device().receivedFrames().back(), "(01bye)");
    for (int id : {res::view::OpenFileButton, res::view::ReadButton, res::view::WriteButton, res::view::DisconnectButton})
        EXPECT_TRUE(button(id)->isEnabled()) << id;
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(SessionEndToEnd, WriteUploadsThePanelsImage)
{
    driver(kEffectPage).find<QSlider>(res::effect::MainLevelSlider)->setValue(3);  // offline: only the image changes
    press(res::view::WriteButton);
    ASSERT_TRUE(testing::processEventsUntil([&] { return button(res::view::DisconnectButton)->isEnabled(); }, 5000));
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
}  // namespace tonel::testing

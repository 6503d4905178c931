// The whole program on a processor behind a serial device server, as `tonel --port tcp://…` runs:
// read, live changes, store, disconnect, the server going away mid-session and coming back —
// against the virtual processor's own TCP port (raw and Telnet COM-PORT) and through ser2net.

#include "app/Application.h"
#include "emulator/VirtualProcessor.h"
#include "model/Fields.h"
#include "res/EffectControls.h"
#include "tests/app/AppFakes.h"
#include "tests/support/Ser2netRig.h"

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tonel::testing {
namespace {

using namespace std::chrono_literals;
namespace fx = fields::effect;

constexpr int kLimitMs = 5000;

enum class Server { EmulatorRaw, EmulatorComPort, Ser2netRaw };

class NetworkSession : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        ImageBytes bytes = defaultImageBytes();
        bytes[fx::at(0, fx::masterLevel)] = 17;
        device_.setImage(bytes);
        std::string error;
        if (GetParam() == Server::Ser2netRaw) {
            ASSERT_TRUE(device_.start());
            ser2net_ = std::make_unique<testing::Ser2netRig>(device_.terminalPath(), testing::Ser2netRig::Protocol::RawTcp);
            ASSERT_TRUE(ser2net_->ok()) << ser2net_->error();
            name_ = ser2net_->portName();
        } else {
            ASSERT_TRUE(device_.listen("127.0.0.1:0", GetParam() == Server::EmulatorComPort, &error)) << error;
            name_ = device_.terminalPath();
        }
        TonelOptions options;
        options.ports = {name_};
        QString startError;
        ASSERT_TRUE(app_.start(options, &startError)) << startError.toStdString();
    }

    void serverGoes()
    {
        if (ser2net_)
            ser2net_->stop();
        else
            device_.stop();
    }
    bool serverComesBack()
    {
        if (ser2net_)
            return ser2net_->restart();
        const std::string address = name_.substr(name_.find("://") + 3);
        return device_.listen(address, GetParam() == Server::EmulatorComPort);
    }

    QPushButton* button(int id) { return app_.mainWindow()->view().button(id); }
    void press(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    bool connected() { return app_.mainWindow()->view().session().connected(); }
    bool readSucceeds()
    {
        press(res::view::ReadButton);
        return testing::processEventsUntil([&] { return connected(); }, kLimitMs);
    }
    bool deviceHeard(const std::string& frame)
    {
        return device_.waitUntil(
            [&](const ParameterImage&, const std::vector<emulator::FrameRecord>& log) {
                return !log.empty() && log.back().text == frame;
            },
            std::chrono::milliseconds(kLimitMs));
    }

    emulator::VirtualProcessor device_;  // outlives the program's port
    std::unique_ptr<testing::Ser2netRig> ser2net_;
    std::string name_;
    testing::RecordingMessageBoxes messages_;
    testing::ScriptedFileDialogs files_;
    Application app_{&messages_, &files_};
};

TEST_P(NetworkSession, ReadEditStoreDisconnectAndOutliveTheServer)
{
    ASSERT_TRUE(readSucceeds()) << "no session on " << name_;
    EXPECT_EQ(app_.image().bytes(), device_.image());

    auto* master =
        app_.mainWindow()->view().page(0)->findChild<QSlider*>(QString::number(res::effect::MainLevelSlider));
    master->setValue(master->value() + 5);
    ASSERT_TRUE(device_.waitUntil([](const ParameterImage& image, const auto&) {
        return image.get(fx::at(0, fx::masterLevel)) == 22;
    }, std::chrono::milliseconds(kLimitMs)));
    press(res::view::WriteButton);
    EXPECT_TRUE(deviceHeard("(01S)"));
    press(res::view::DisconnectButton);
    EXPECT_TRUE(deviceHeard("(01bye)"));
    ASSERT_TRUE(testing::processEventsUntil([&] { return !connected() && button(res::view::ReadButton)->isEnabled(); }, kLimitMs));
    EXPECT_TRUE(messages_.boxes.empty());

    // The server goes away mid-session: the session ends once, as on a hang-up.
    ASSERT_TRUE(readSucceeds());
    serverGoes();
    ASSERT_TRUE(testing::processEventsUntil([&] { return !connected() && button(res::view::ReadButton)->isEnabled(); }, kLimitMs));
    testing::processEventsUntil([] { return false; }, 300);  // whatever else would come, comes now
    ASSERT_EQ(messages_.boxes.size(), 1u);
    EXPECT_EQ(messages_.boxes[0].text, QString::fromStdString("WARNING:  read() Failed with the following error: \n"
                                                              "the device server closed the connection\nPort: " + name_ + "\n"));
    EXPECT_TRUE(button(res::view::DisconnectButton)->isEnabled());

    // With the server back, a new read succeeds.
    ASSERT_TRUE(serverComesBack());
    ASSERT_TRUE(readSucceeds());
    EXPECT_EQ(app_.image().bytes(), device_.image());
}

INSTANTIATE_TEST_SUITE_P(Servers, NetworkSession,
                         ::testing::Values(Server::EmulatorRaw, Server::EmulatorComPort, Server::Ser2netRaw),
                         [](const auto& info) {
                             switch (info.param) {
                             case Server::EmulatorRaw: return "EmulatorRawTcp";
                             case Server::EmulatorComPort: return "EmulatorRfc2217";
                             case Server::Ser2netRaw: return "Ser2netRawTcp";
                             }
                             return "";
                         });

// Nothing listens: the refused connection counts as a port that would not open.
TEST(NetworkSessionRefused, SaysWhyTheDeviceWasNotFound)
{
    testing::RecordingMessageBoxes messages;
    testing::ScriptedFileDialogs files;
    Application app{&messages, &files};
    TonelOptions options;
    const std::string name = "tcp://127.0.0.1:" + std::to_string(testing::freeLoopbackPort());
    options.ports = {name};
    ASSERT_TRUE(app.start(options, nullptr));
    QTest::mouseClick(app.mainWindow()->view().button(res::view::ReadButton), Qt::LeftButton);
    ASSERT_TRUE(testing::processEventsUntil([&] { return !messages.boxes.empty(); }, kLimitMs));
    EXPECT_EQ(messages.boxes[0].text, QString::fromStdString("Device Not Found...\n" + name + ": connection refused"));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Message"));
    EXPECT_TRUE(app.mainWindow()->view().button(res::view::ReadButton)->isEnabled());
}

}  // namespace
}  // namespace tonel::testing

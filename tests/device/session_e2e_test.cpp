// The session against the real serial port and the virtual processor on pseudo-terminals, with
// real timers. Each port is a symbolic link, so a device can come back on the same path.

#include "device/LinePort.h"
#include "device/PortCatalog.h"
#include "emulator/VirtualProcessor.h"
#include "tests/device/SessionEndToEndLoop.h"
#include "tests/device/SessionFixture.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
using emulator::DeviceFaults;
using emulator::VirtualProcessor;

constexpr std::chrono::milliseconds kLimit = 6s;  // generous: the machine may be busy

fs::path makeTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "tonel-session-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

class SessionEndToEnd : public ::testing::Test {
protected:
    ~SessionEndToEnd() override
    {
        session_.reset();
        port_.reset();  // stops the port's thread before the window goes
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // A virtual processor behind the next port number.
    VirtualProcessor& addDevice(DeviceFaults faults = {}, const ImageBytes& initial = defaultImageBytes())
    {
        devices_.push_back(std::make_unique<VirtualProcessor>(std::move(faults), initial));
        VirtualProcessor& device = *devices_.back();
        EXPECT_TRUE(device.start());
        const fs::path link = dir_ / ("port" + std::to_string(devices_.size()));
        fs::create_symlink(device.terminalPath(), link);
        links_.push_back(link.string());
        return device;
    }

    // Points port `number`'s path at another device: the same path answers again.
    void relink(int number, VirtualProcessor& device)
    {
        const fs::path link = links_.at(static_cast<std::size_t>(number - 1));
        fs::remove(link);
        fs::create_symlink(device.terminalPath(), link);
    }

    DeviceSession& session()
    {
        if (!session_) {
            catalog_ = std::make_unique<ExplicitPortCatalog>(links_);
            port_ = std::make_unique<LinePort>();
            session_ = std::make_unique<DeviceSession>(image, *port_, *catalog_, window, window);
            window.attach(session_.get());
        }
        return *session_;
    }

    bool runUntilConnected() { return window.runUntil([this] { return session_->connected(); }, kLimit); }
    bool runUntilFired(int timerId) { return window.runUntil([&] { return window.fired(timerId); }, kLimit); }

    static bool received(const VirtualProcessor& device, const std::string& frame)
    {
        return device.waitUntil(
            [&](const ParameterImage&, const std::vector<emulator::FrameRecord>& log) {
                return std::any_of(log.begin(), log.end(), [&](const emulator::FrameRecord& r) {
                    return r.direction == emulator::FrameRecord::Direction::Received && r.text == frame;
                });
            },
            kLimit);
    }

    fs::path dir_ = makeTempDir();
    std::vector<std::unique_ptr<VirtualProcessor>> devices_;
    std::vector<std::string> links_;
    WindowLoop window;
    ParameterImage image;
    std::unique_ptr<ExplicitPortCatalog> catalog_;
    std::unique_ptr<LinePort> port_;
    std::unique_ptr<DeviceSession> session_;
};

TEST_F(SessionEndToEnd, ReadLoadsTheDevicesImage)
{
    VirtualProcessor& device = addDevice({}, distinctImage(1).bytes());
    session().onReadButton();

    ASSERT_TRUE(runUntilConnected());
    EXPECT_EQ(image.bytes(), device.image());
    EXPECT_TRUE(window.enabled(res::view::DisconnectButton));
    EXPECT_FALSE(window.enabled(res::view::OpenFileButton));
    EXPECT_EQ(window.refreshes(), 1);
    EXPECT_EQ(device.receivedFrames(), (std::vector<std::string>{"(01hello)", "(01Q)"}));
    EXPECT_TRUE(window.errors().empty());
}

TEST_F(SessionEndToEnd, WriteUploadsThePanelsImage)
{
    VirtualProcessor& device = addDevice();
    image = distinctImage(1);
    session().onWriteButton();

    ASSERT_TRUE(window.runUntil([this] { return window.enabled(res::view::DisconnectButton); }, kLimit));
    EXPECT_TRUE(session().connected());
    EXPECT_EQ(device.image(), image.bytes());
    EXPECT_FALSE(window.enabled(res::view::ReadButton));

    // Changes now go out live, and the disconnect closes the line.
    session().onWriteButton();
    EXPECT_TRUE(received(device, "(01S)"));
    session().onDisconnectButton();
    ASSERT_TRUE(window.runUntil([this] { return !session().connected(); }, kLimit));
    EXPECT_TRUE(received(device, "(01bye)"));
    EXPECT_FALSE(port_->isOpen());
    EXPECT_TRUE(window.errors().empty());
}

TEST_F(SessionEndToEnd, OnlyTheThirdPortAnswers)
{
    DeviceFaults silent;
    silent.silent = true;
    VirtualProcessor& first = addDevice(silent);
    VirtualProcessor& second = addDevice(silent);
    VirtualProcessor& third = addDevice({}, distinctImage(0).bytes());
    const auto start = WindowLoop::Clock::now();
    session().onReadButton();

    ASSERT_TRUE(runUntilConnected());
    EXPECT_GE(WindowLoop::Clock::now() - start, 3 * timer::kHelloDelay + timer::kReadDelay);
    EXPECT_EQ(first.receivedFrames(), std::vector<std::string>{"(01hello)"});
    EXPECT_EQ(second.receivedFrames(), std::vector<std::string>{"(01hello)"});
    EXPECT_EQ(third.receivedFrames(), (std::vector<std::string>{"(01hello)", "(01Q)"}));
    EXPECT_EQ(image.bytes(), third.image());
    EXPECT_EQ(port_->name(), links_[2]);
}

enum class Outcome { NoDevice, ReadRefused, ConnectedWithoutAck };

struct FaultCase {
    const char* name;
    DeviceFaults faults;
    bool write;
    Outcome outcome;
};

DeviceFaults faults(std::function<void(DeviceFaults&)> set)
{
    DeviceFaults f;
    set(f);
    return f;
}

class DeviceFault : public SessionEndToEnd, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(DeviceFault, GivesTheSessionsAnswer)
{
    const FaultCase& c = GetParam();
    VirtualProcessor& device = addDevice(c.faults, distinctImage(1).bytes());
    c.write ? session().onWriteButton() : session().onReadButton();

    switch (c.outcome) {
    case Outcome::NoDevice:
        ASSERT_TRUE(window.runUntil([this] { return !window.messages().empty(); }, kLimit));
        EXPECT_EQ(window.messages(), std::vector<std::string>{"Device Not Found!...."});
        EXPECT_FALSE(session().connected());
        EXPECT_TRUE(window.enabled(res::view::ReadButton));
        break;
    case Outcome::ReadRefused:
        ASSERT_TRUE(runUntilFired(timer::kRead));
        EXPECT_FALSE(session().connected());
        EXPECT_EQ(image, ParameterImage());
        EXPECT_EQ(window.messages(), std::vector<std::string>{"The device's reply was invalid: nothing was read."});
        EXPECT_TRUE(window.enabled(res::view::ReadButton));
        EXPECT_FALSE(window.enabled(res::view::DisconnectButton));
        EXPECT_FALSE(port_->isOpen());
        break;
    case Outcome::ConnectedWithoutAck:
        ASSERT_TRUE(runUntilFired(timer::kUpload));
        EXPECT_TRUE(session().connected());
        EXPECT_TRUE(window.enabled(res::view::DisconnectButton));
        EXPECT_FALSE(window.enabled(res::view::OpenFileButton));
        EXPECT_EQ(window.messages(), std::vector<std::string>{"The device did not confirm the upload."});
        session().write("(01$005000005)");  // a page change still goes out
        EXPECT_TRUE(received(device, "(01$005000005)"));
        break;
    }
    EXPECT_FALSE(window.anyTimerArmed());
}

INSTANTIATE_TEST_SUITE_P(
    Options, DeviceFault,
    ::testing::Values(
        FaultCase{"HelloReply", faults([](DeviceFaults& f) { f.helloReply = "(01hello12)"; }), false, Outcome::NoDevice},
        FaultCase{"Silent", faults([](DeviceFaults& f) { f.silent = true; }), true, Outcome::NoDevice},
        FaultCase{"ReplyDelayBeyondTimer", faults([](DeviceFaults& f) { f.replyDelay = 600ms; }), false,
                  Outcome::NoDevice},
        FaultCase{"TrailingReturn", faults([](DeviceFaults& f) { f.trailing = "\r"; }), false, Outcome::NoDevice},
        FaultCase{"QueryCount", faults([](DeviceFaults& f) { f.queryCount = 375; }), false, Outcome::ReadRefused},
        FaultCase{"QueryTruncate", faults([](DeviceFaults& f) { f.queryTruncate = 100; }), false,
                  Outcome::ReadRefused},
        FaultCase{"AckReply", faults([](DeviceFaults& f) { f.ackReply = "(01P000)"; }), true,
                  Outcome::ConnectedWithoutAck}),
    [](const auto& info) { return info.param.name; });

TEST_F(SessionEndToEnd, HangUpEndsTheSessionAndTheDeviceCanComeBack)
{
    VirtualProcessor& device = addDevice({}, distinctImage(1).bytes());
    session().onReadButton();
    ASSERT_TRUE(runUntilConnected());

    device.hangUp();
    ASSERT_TRUE(window.runUntil([this] { return !session().connected(); }, kLimit));
    EXPECT_TRUE(window.enabled(res::view::ReadButton));
    EXPECT_TRUE(window.enabled(res::view::WriteButton));
    EXPECT_TRUE(window.enabled(res::view::OpenFileButton));
    EXPECT_TRUE(window.enabled(res::view::DisconnectButton));
    EXPECT_FALSE(window.anyTimerArmed());

    VirtualProcessor& again = addDevice({}, distinctImage(0).bytes());
    relink(1, again);
    session().onReadButton();
    ASSERT_TRUE(runUntilConnected());
    EXPECT_EQ(image.bytes(), again.image());
    EXPECT_EQ(port_->name(), links_[0]);
}

}  // namespace
}  // namespace tonel::testing

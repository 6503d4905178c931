// The other side of the line going away mid-session, and stopping the port while bytes stream in.

#include "tests/device/comm_port_fixture.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST_F(PtyPortTest, HangUpIsReportedOnceAndTheThreadGoesIdle)
{
    port_.write("(01hello)");
    ASSERT_EQ(pty_.device().readCount(9), "(01hello)");
    ASSERT_TRUE(eventually([&] { return port_.textsSent() == 1; }));  // drained, not only written
    pty_.hangUp();

    ASSERT_TRUE(owner_.waitForEvent(PortEvent::HangUp));
    EXPECT_FALSE(port_.isOpen());
    EXPECT_TRUE(port_.isMonitoring()) << "the thread stays for shutdown and writes";
    ASSERT_EQ(owner_.reports().size(), 1u);
    EXPECT_EQ(owner_.reports()[0], formatPortError("ReadFile()", std::strerror(EIO), 1));

    // A thread still polling the dead line would wake thousands of times in this window.
    const auto wakeUps = port_.wakeUps();
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(port_.wakeUps() - wakeUps, 1u);

    port_.write("(01bye)");  // dropped: no second report, nothing counted as sent
    EXPECT_EQ(port_.textsSent(), 1u);
    EXPECT_EQ(owner_.count(PortEvent::HangUp), 1u);
    EXPECT_EQ(owner_.reports().size(), 1u);
}

TEST_F(PtyPortTest, NextOpenAfterAHangUpStartsClean)
{
    pty_.hangUp();
    ASSERT_TRUE(owner_.waitForEvent(PortEvent::HangUp));

    PtyPair next;
    ExplicitPortCatalog catalog({next.terminalPath()});
    CCommPort fresh(catalog);
    // The old port object re-opens onto the absent number: its thread stops at once.
    const auto start = Clock::now();
    EXPECT_FALSE(openLikeSession(port_, owner_, 257));
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_FALSE(port_.isMonitoring());

    RecordingPortOwner owner;
    ASSERT_TRUE(openLikeSession(fresh, owner, 1));
    ASSERT_TRUE(fresh.startMonitoring());
    fresh.write("(01hello)");
    EXPECT_EQ(next.device().readCount(9), "(01hello)");
    ASSERT_TRUE(next.device().writeAll("(01hello13)"));
    ASSERT_TRUE(owner.waitForText(11));
    EXPECT_EQ(owner.text(), "(01hello13)");
    EXPECT_TRUE(owner.reports().empty());
}

TEST_F(PtyPortTest, HangUpWhileASendWaitsForTheLineIsReportedOnce)
{
    const std::string blocker = "(01P" + std::string(1 << 20, '0') + ")";
    port_.open(&owner_, 1, 38400, 'N', 8, 1, kSessionMask, blocker.size() + 1);
    ASSERT_TRUE(port_.startMonitoring());
    port_.write(blocker);
    port_.write("(01hello)");
    ASSERT_FALSE(pty_.device().readCount(1).empty());  // the send has begun
    pty_.hangUp();
    ASSERT_TRUE(owner_.waitForEvent(PortEvent::HangUp));
    ASSERT_TRUE(owner_.waitForReports(1));
    EXPECT_EQ(owner_.reports().size(), 1u);
    EXPECT_EQ(owner_.count(PortEvent::HangUp), 1u);
    EXPECT_EQ(port_.textsSent(), 0u);
}

// Streams bytes into the line until told to stop, never blocking on a full line.
class Streamer {
public:
    explicit Streamer(TerminalEnd& device) : thread_([this, &device] { run(device); }) {}
    ~Streamer()
    {
        stop_ = true;
        thread_.join();
    }

private:
    void run(TerminalEnd& device)
    {
        const std::string chunk(512, 'x');
        while (!stop_) {
            if (::write(device.fd(), chunk.data(), chunk.size()) < 0 && errno != EAGAIN)
                return;
        }
    }
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(PtyPortTest, StoppingCompletesWhileBytesStreamIn)
{
    Streamer streamer(pty_.device());
    ASSERT_TRUE(owner_.waitForText(64 * 1024));
    port_.write("(01bye)");  // a send in the middle of the stream does not hold the stop up either

    const auto start = Clock::now();
    EXPECT_FALSE(openLikeSession(port_, owner_, 257));
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(port_.isMonitoring());
}

TEST(CommPortShutdown, DestructionStopsTheThreadWhileBytesStreamIn)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    Streamer streamer(pty.device());
    const auto start = Clock::now();
    {
        CCommPort port(catalog);
        ASSERT_TRUE(openLikeSession(port, owner, 1));
        ASSERT_TRUE(port.startMonitoring());
        ASSERT_TRUE(owner.waitForText(64 * 1024));
    }
    EXPECT_LT(Clock::now() - start, 5s);
}

}  // namespace
}  // namespace tonel::testing

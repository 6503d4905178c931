// The other side of the line going away mid-session, and stopping the port while bytes stream in.

#include "tests/device/LinePortFixture.h"

#include <atomic>
#include <cerrno>
#include <thread>
#include <unistd.h>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST_F(PtyPortTest, HangUpIsReportedOnceAndTheThreadGoesIdle)
{
    port_.write("(01hello)");
    ASSERT_EQ(pty_.device().readCount(9), "(01hello)");
    ASSERT_TRUE(eventually([&] { return port_.textsSent() == 1; }));  // drained, not only written

    pty_.hangUp();
    ASSERT_TRUE(listener_.waitForGone());
    EXPECT_FALSE(port_.isOpen());
    EXPECT_EQ(listener_.gone(), std::vector<std::string>{pty_.terminalPath()});
    ASSERT_EQ(listener_.reports().size(), 1u);
    EXPECT_EQ(listener_.reports()[0], formatPortError({"read()", EIO, pty_.terminalPath()}));
    EXPECT_EQ(listener_.errors()[0].fault, LineFault::LineLost);

    // A thread still polling the dead line would burn this window's CPU time; an idle one none.
    const auto cpu = processCpuTime();
    std::this_thread::sleep_for(200ms);
    EXPECT_LT(processCpuTime() - cpu, 40ms);

    port_.write("(01bye)");  // dropped: no second report, nothing counted as sent
    EXPECT_EQ(port_.textsSent(), 1u);
    EXPECT_EQ(listener_.gone().size(), 1u);
    EXPECT_EQ(listener_.reports().size(), 1u);
}

TEST_F(PtyPortTest, NextOpenAfterAHangUpStartsClean)
{
    pty_.hangUp();
    ASSERT_TRUE(listener_.waitForGone());
    PtyPair next;
    const auto start = Clock::now();
    port_.close();
    EXPECT_LT(Clock::now() - start, 1s);

    RecordingListener listener;
    LinePort fresh;  // goes before its listener does
    ASSERT_TRUE(fresh.open(next.terminalPath(), LineSettings{}, listener).started());
    fresh.write("(01hello)");
    EXPECT_EQ(next.device().readCount(9), "(01hello)");
    ASSERT_TRUE(next.device().writeAll("(01hello13)"));
    ASSERT_TRUE(listener.waitForText(11));
    EXPECT_EQ(listener.text(), "(01hello13)");
    EXPECT_TRUE(listener.reports().empty());
}

TEST_F(PtyPortTest, HangUpWhileASendWaitsForTheLineIsReportedOnce)
{
    const std::string blocker = "(01P" + std::string(1 << 20, '0') + ")";
    port_.close();
    LinePort big(PortLimits{.writeBuffer = blocker.size() + 1});
    ASSERT_TRUE(big.open(pty_.terminalPath(), LineSettings{}, listener_).started());
    big.write(blocker);
    big.write("(01hello)");
    ASSERT_FALSE(pty_.device().readCount(1).empty());  // the send has begun
    pty_.hangUp();
    ASSERT_TRUE(listener_.waitForGone());
    ASSERT_TRUE(listener_.waitForReports(1));
    EXPECT_EQ(listener_.reports().size(), 1u);
    EXPECT_EQ(listener_.gone().size(), 1u);
    EXPECT_EQ(big.textsSent(), 0u);
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

TEST_F(PtyPortTest, ClosingCompletesWhileBytesStreamIn)
{
    Streamer streamer(pty_.device());
    ASSERT_TRUE(listener_.waitForText(64 * 1024));
    port_.write("(01bye)");  // a send in the middle of the stream does not hold the close up either
    const auto start = Clock::now();
    port_.close();
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(port_.isOpen());
}

TEST(LinePortShutdown, DestructionStopsTheThreadWhileBytesStreamIn)
{
    PtyPair pty;
    RecordingListener listener;
    Streamer streamer(pty.device());
    const auto start = Clock::now();
    {
        LinePort port;
        ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());
        ASSERT_TRUE(listener.waitForText(64 * 1024));
    }
    EXPECT_LT(Clock::now() - start, 5s);
}

}  // namespace
}  // namespace tonel::testing

namespace tonel::testing {
namespace {

// A wedged line: the other side never reads and the line's buffer is full. Every wait on it ends
// by the write deadline, the thread goes back to receiving, and a close never waits for the line.
TEST(LinePortDeadline, LineThatNeverDrainsHoldsNothingUp)
{
    constexpr auto kDeadline = 300ms;
    PtyPair pty;
    RecordingListener listener;
    const std::string flood(256 * 1024, '0');  // far more than a pseudo-terminal holds
    LinePort port(PortLimits{.writePerChar = 0ms, .writeConstant = kDeadline, .writeBuffer = flood.size() + 1});
    ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());

    const auto start = Clock::now();
    port.write(flood);
    ASSERT_TRUE(listener.waitForReports(1, 5s));
    const auto gaveUp = Clock::now() - start;
    EXPECT_GE(gaveUp, kDeadline - 10ms);
    EXPECT_LT(gaveUp, kDeadline + 1s);
    EXPECT_EQ(listener.errors()[0].operation, "write()");
    EXPECT_EQ(listener.errors()[0].error, ETIME);
    EXPECT_TRUE(port.isOpen()) << "a slow line is not a lost line";

    // The thread receives again; a further text waits its own deadline, but a close does not.
    ASSERT_TRUE(pty.device().writeAll("(01hello13)"));
    ASSERT_TRUE(listener.waitForText(11, 2s));
    port.write("(01hello)");
    const auto closing = Clock::now();
    port.close();
    EXPECT_LT(Clock::now() - closing, 500ms);
}

}  // namespace
}  // namespace tonel::testing

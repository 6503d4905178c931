// Texts out and bytes in on a real pseudo-terminal: whole frames in order, coalescing while the
// line is busy, the purge before each send, and every byte value in.

#include "tests/device/LinePortFixture.h"

#include <thread>

namespace tonel::testing {
namespace {

// A text far larger than a pseudo-terminal buffers: its send blocks until the test reads, so
// everything written meanwhile stays pending.
const std::string kBlocker = "(01P" + std::string(1 << 20, '0') + ")";

class BusyLineTest : public PtyPortTest {
protected:
    // A port whose write buffer takes the blocker.
    void reopenForBlocker()
    {
        port_.close();
        ASSERT_TRUE(big_.open(pty_.terminalPath(), LineSettings{}, listener_).started());
    }
    LinePort big_{PortLimits{.writeBuffer = kBlocker.size() + 1}};
};

std::string joined(const std::vector<std::string>& texts)
{
    std::string all;
    for (const std::string& text : texts)
        all += text;
    return all;
}

TEST_F(PtyPortTest, FramesArriveWholeAndInOrder)
{
    std::vector<std::string> frames;
    for (int i = 0; i < 40; ++i) {
        char frame[32];
        std::snprintf(frame, sizeof frame, "(01$%03d%03d%03d)", 4 + i % 4, i, i * 6 % 256);
        frames.push_back(frame);
    }
    frames.push_back("(01$008100001060024046)");
    for (const std::string& frame : frames)
        port_.write(frame);
    const std::string expected = joined(frames);
    EXPECT_EQ(pty_.device().readCount(expected.size()), expected);
}

TEST_F(BusyLineTest, WhileTheLineIsBusyTheSameParameterIsCoalescedAndOthersKeepTheirOrder)
{
    reopenForBlocker();
    big_.write(kBlocker);
    const std::vector<std::string> burst = {"(01$005000001)", "(01$005000002)", "(01$005000003)",
                                            "(01$006000010)", "(01$005000004)", "(01O1)",
                                            "(01O0)",         "(01$001000002)", "(01$004000020)"};
    for (const std::string& text : burst)
        big_.write(text);
    const std::string expected =
        kBlocker + "(01$005000003)(01$006000010)(01$005000004)(01O0)(01$001000002)(01$004000020)";
    EXPECT_EQ(pty_.device().readCount(expected.size(), 20s), expected);
    EXPECT_EQ(pty_.device().readAvailable(), "");
}

TEST_F(BusyLineTest, BytesWaitingWhenASendStartsArePurged)
{
    reopenForBlocker();
    big_.write(kBlocker);
    big_.write("(01hello)");
    const std::string begun = pty_.device().readCount(1);
    ASSERT_EQ(begun, "(");
    // The thread is stuck sending the blocker, so these bytes wait unread on the line ...
    ASSERT_TRUE(pty_.device().writeAll("(01stale)"));
    // ... until the send of "(01hello)" purges them.
    ASSERT_EQ(begun + pty_.device().readCount(kBlocker.size() + 8, 20s), kBlocker + "(01hello)");
    ASSERT_TRUE(pty_.device().writeAll("(01hello13)"));
    ASSERT_TRUE(listener_.waitForText(11));
    EXPECT_EQ(listener_.text(), "(01hello13)");
}

TEST_F(PtyPortTest, EveryByteValueArrivesUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    ASSERT_TRUE(pty_.device().writeAll(all));
    ASSERT_TRUE(listener_.waitForText(all.size()));
    EXPECT_EQ(listener_.text(), all);
}

}  // namespace
}  // namespace tonel::testing

// Texts out and bytes in on a real pseudo-terminal: whole frames in order, coalescing while the
// line is busy, the purge before each send, and the notifications around received bytes.

#include "tests/device/comm_port_fixture.h"

#include <thread>

namespace tonel::testing {
namespace {

// A text far larger than a pseudo-terminal buffers: its send blocks until the test reads, so
// everything written meanwhile stays pending.
const std::string kBlocker = "(01P" + std::string(1 << 20, '0') + ")";

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

TEST_F(PtyPortTest, WhileTheLineIsBusyTheSameParameterIsCoalescedAndOthersKeepTheirOrder)
{
    port_.open(&owner_, 1, 38400, 'N', 8, 1, kSessionMask, kBlocker.size() + 1);
    ASSERT_TRUE(port_.startMonitoring());
    port_.write(kBlocker);
    const std::vector<std::string> burst = {"(01$005000001)", "(01$005000002)", "(01$005000003)",
                                            "(01$006000010)", "(01$005000004)", "(01O1)",
                                            "(01O0)",         "(01$001000002)", "(01$004000020)"};
    for (const std::string& text : burst)
        port_.write(text);
    const std::string expected =
        kBlocker + "(01$005000003)(01$006000010)(01$005000004)(01O0)(01$001000002)(01$004000020)";
    EXPECT_EQ(pty_.device().readCount(expected.size(), 20s), expected);
    EXPECT_EQ(pty_.device().readAvailable(), "");
}

TEST_F(PtyPortTest, BytesWaitingWhenASendStartsArePurged)
{
    port_.open(&owner_, 1, 38400, 'N', 8, 1, kSessionMask, kBlocker.size() + 1);
    ASSERT_TRUE(port_.startMonitoring());
    port_.write(kBlocker);
    port_.write("(01hello)");
    const std::string begun = pty_.device().readCount(1);
    ASSERT_EQ(begun, "(");
    // The thread is stuck sending the blocker, so these bytes wait unread on the line ...
    ASSERT_TRUE(pty_.device().writeAll("(01stale)"));
    // ... until the send of "(01hello)" purges them.
    ASSERT_EQ(begun + pty_.device().readCount(kBlocker.size() + 8, 20s), kBlocker + "(01hello)");
    ASSERT_TRUE(pty_.device().writeAll("(01hello13)"));
    ASSERT_TRUE(owner_.waitForText(11));
    EXPECT_EQ(owner_.text(), "(01hello13)");
}

TEST_F(PtyPortTest, ReceivedBytesComeAfterTheLineEventsOfTheMask)
{
    ASSERT_TRUE(pty_.device().writeAll("(01hello13)"));
    ASSERT_TRUE(owner_.waitForText(11));
    const auto notices = owner_.notices();
    ASSERT_GE(notices.size(), 5u);
    const std::vector<PortEvent> first = {notices[0].event, notices[1].event, notices[2].event, notices[3].event,
                                          notices[4].event};
    EXPECT_EQ(first, (std::vector<PortEvent>{PortEvent::Cts, PortEvent::Break, PortEvent::Error, PortEvent::Ring,
                                             PortEvent::Char}));
    EXPECT_EQ(owner_.count(PortEvent::RxFlag), 0u) << "not in the mask 0x1FD";
    EXPECT_EQ(owner_.count(PortEvent::Char), 11u);
    for (const PortNotice& notice : notices)
        EXPECT_EQ(notice.port, 1);
}

TEST(CommPortEvents, MaskWithOnlyReceivedCharactersSendsOnlyThem)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    ASSERT_TRUE(openLikeSession(port, owner, 1, kSessionBuffer, comm_event::kRxChar));
    ASSERT_TRUE(port.startMonitoring());
    ASSERT_TRUE(pty.device().writeAll("(01P376)"));
    ASSERT_TRUE(owner.waitForText(8));
    EXPECT_EQ(owner.notices().size(), 8u);
    EXPECT_EQ(owner.text(), "(01P376)");
}

TEST_F(PtyPortTest, EveryByteValueArrivesUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    ASSERT_TRUE(pty_.device().writeAll(all));
    ASSERT_TRUE(owner_.waitForText(all.size()));
    EXPECT_EQ(owner_.text(), all);
}

}  // namespace
}  // namespace tonel::testing

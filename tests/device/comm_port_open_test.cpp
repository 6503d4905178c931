// Opening the port on a real pseudo-terminal: the line settings, the ports that do not open, and
// what a closed port does with a text.

#include "tests/device/comm_port_fixture.h"

#include <termios.h>

namespace tonel::testing {
namespace {

TEST(CommPortOpen, SetsTheLineUpRaw38400EightNoneOne)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    ASSERT_TRUE(openLikeSession(port, owner, 1));

    termios t{};
    ASSERT_EQ(tcgetattr(pty.terminal().fd(), &t), 0);
    EXPECT_EQ(cfgetispeed(&t), B38400);
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 1);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    EXPECT_TRUE(owner.reports().empty()) << "a pseudo-terminal has no RTS line: skipped silently";
}

TEST(CommPortOpen, PortWithoutDeviceFailsSilently)
{
    ExplicitPortCatalog catalog({"/dev/null-does-not-exist"});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    EXPECT_FALSE(openLikeSession(port, owner, 257));
    EXPECT_FALSE(openLikeSession(port, owner, 0));
    EXPECT_FALSE(openLikeSession(port, owner, 1)) << "listed, but the path does not exist";
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(owner.reports().empty());
}

TEST(CommPortOpen, DeviceHeldByAnotherPortIsBusy)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort first(catalog), second(catalog);
    ASSERT_TRUE(openLikeSession(first, owner, 1));
    EXPECT_FALSE(openLikeSession(second, owner, 1));
    EXPECT_TRUE(openLikeSession(first, owner, 257) == false);  // closes the device ...
    EXPECT_TRUE(openLikeSession(second, owner, 1));             // ... which the other may now take
    EXPECT_TRUE(owner.reports().empty());
}

TEST(CommPortOpen, UnsupportedLineSettingsAreReportedAndTheOpenStands)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    EXPECT_TRUE(port.open(&owner, 1, 12345, 'N', 8, 1, kSessionMask, kSessionBuffer));
    ASSERT_EQ(owner.reports().size(), 1u);
    EXPECT_TRUE(owner.reports()[0].starts_with("WARNING:  BuildCommDCB() Failed with the following error: \n"));
    EXPECT_TRUE(owner.reports()[0].ends_with("\nPort: 1\n"));
}

TEST(CommPortOpen, NonTerminalDeviceReportsLineSettingsUnreadable)
{
    ExplicitPortCatalog catalog({"/dev/null"});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    EXPECT_TRUE(openLikeSession(port, owner, 1));
    ASSERT_EQ(owner.reports().size(), 1u);
    EXPECT_TRUE(owner.reports()[0].starts_with("WARNING:  GetCommState() Failed"));
}

TEST(CommPortClosed, WriteBeforeTheFirstOpenSendsNothing)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    port.write("(01hello)");
    EXPECT_EQ(port.textsSent(), 0u);
    EXPECT_EQ(pty.device().readAvailable(), "");
    EXPECT_TRUE(owner.reports().empty());
}

TEST_F(PtyPortTest, ReopenOntoMissingPortLeavesItClosedWithTheThreadStopped)
{
    port_.write("(01hello)");
    ASSERT_EQ(pty_.device().readCount(9), "(01hello)");
    EXPECT_TRUE(port_.isMonitoring());

    EXPECT_FALSE(openLikeSession(port_, owner_, 257));
    EXPECT_FALSE(port_.isOpen());
    EXPECT_FALSE(port_.isMonitoring());
    EXPECT_EQ(port_.portNumber(), 257);

    const auto sent = port_.textsSent();
    port_.write("(01bye)");  // no thread and no device: nothing can go out later either
    EXPECT_EQ(port_.textsSent(), sent);
    EXPECT_EQ(pty_.device().readAvailable(), "");
    EXPECT_TRUE(owner_.reports().empty());
}

TEST(CommPortOpen, ReopenPurgesBytesLeftOnTheLine)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    ASSERT_TRUE(openLikeSession(port, owner, 1));  // not monitoring: nothing reads the line
    ASSERT_TRUE(pty.device().writeAll("(01hel"));  // half a reply left over
    ASSERT_TRUE(openLikeSession(port, owner, 1));
    ASSERT_TRUE(port.startMonitoring());
    port.write("(01Q)");
    ASSERT_EQ(pty.device().readCount(5), "(01Q)");
    ASSERT_TRUE(pty.device().writeAll("(01Q376)"));
    ASSERT_TRUE(owner.waitForText(8));
    EXPECT_EQ(owner.text(), "(01Q376)");
}

TEST(CommPortClosed, TextQueuedBeforeMonitoringGoesOutWhenItStarts)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    ASSERT_TRUE(openLikeSession(port, owner, 1));
    port.write("(01hello)");
    ASSERT_TRUE(port.startMonitoring());
    EXPECT_EQ(pty.device().readCount(9), "(01hello)");
}

TEST(CommPortClosed, TextLongerThanTheWriteBufferIsDropped)
{
    PtyPair pty;
    ExplicitPortCatalog catalog({pty.terminalPath()});
    RecordingPortOwner owner;
    CCommPort port(catalog);
    ASSERT_TRUE(openLikeSession(port, owner, 1, 8));
    ASSERT_TRUE(port.startMonitoring());
    port.write("(01hello)");  // nine characters and the NUL do not fit in eight bytes
    port.write("(01Q)");
    EXPECT_EQ(pty.device().readCount(5), "(01Q)");
    EXPECT_EQ(pty.device().readAvailable(), "");
}

}  // namespace
}  // namespace tonel::testing

// Opening a port by name on a real pseudo-terminal: the line settings, the names that do not
// open and why, the real close, and what a closed port does with a text.

#include "tests/device/LinePortFixture.h"

#include <cerrno>
#include <sys/stat.h>
#include <termios.h>

namespace tonel::testing {
namespace {

TEST(LinePortOpen, SetsTheLineUpRaw38400EightNoneOne)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    RecordingListener listener;
    LinePort port;
    ASSERT_EQ(port.open(pty.terminalPath(), LineSettings{}, listener).state, OpenResult::State::Open);

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
    EXPECT_TRUE(listener.reports().empty()) << "a pseudo-terminal has no RTS line: skipped silently";
}

struct RefusalCase {
    const char* name;
    std::string portName;
    std::string operation;
    int error;
    LineFault fault;
    const char* words;
};

constexpr const char* kNotAName = "not a port name (a tty path, tcp://HOST:PORT or rfc2217://HOST:PORT)";

class LinePortRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(LinePortRefusal, SaysWhyWithoutANotice)
{
    RecordingListener listener;
    LinePort port;
    const OpenResult result = port.open(GetParam().portName, LineSettings{}, listener);
    EXPECT_EQ(result.state, OpenResult::State::Failed);
    EXPECT_EQ(result.failure.operation, GetParam().operation);
    EXPECT_EQ(result.failure.error, GetParam().error);
    EXPECT_EQ(result.failure.port, GetParam().portName);
    EXPECT_EQ(result.failure.fault, GetParam().fault);
    EXPECT_EQ(describeLineFault(result.failure), GetParam().words);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(listener.reports().empty());
}

INSTANTIATE_TEST_SUITE_P(Names, LinePortRefusal,
                         ::testing::Values(RefusalCase{"Missing", "/dev/null-does-not-exist", "open()", ENOENT,
                                                       LineFault::NotFound, "no such port"},
                                           RefusalCase{"Folder", "/dev", "open()", EISDIR, LineFault::Folder,
                                                       "a folder, not a port"},
                                           RefusalCase{"Empty", "", "open()", EINVAL, LineFault::NotAPortName, kNotAName},
                                           RefusalCase{"UnknownScheme", "udp://127.0.0.1:4000", "open()", EINVAL,
                                                       LineFault::NotAPortName, kNotAName},
                                           RefusalCase{"TcpWithoutPort", "tcp://127.0.0.1", "open()", EINVAL,
                                                       LineFault::NotAPortName, kNotAName},
                                           RefusalCase{"TcpPortZero", "tcp://127.0.0.1:0", "open()", EINVAL,
                                                       LineFault::NotAPortName, kNotAName}),
                         [](const auto& info) { return info.param.name; });

TEST(LinePortOpen, DeviceHeldByAnotherPortIsBusyUntilClosed)
{
    PtyPair pty;
    RecordingListener listener;
    LinePort first, second;
    ASSERT_TRUE(first.open(pty.terminalPath(), LineSettings{}, listener).started());
    const OpenResult busy = second.open(pty.terminalPath(), LineSettings{}, listener);
    EXPECT_EQ(busy.state, OpenResult::State::Failed);
    EXPECT_EQ(busy.failure.fault, LineFault::Busy);
    EXPECT_EQ(describeLineFault(busy.failure), "in use by another program");
    first.close();
    EXPECT_FALSE(first.isOpen());
    EXPECT_TRUE(second.open(pty.terminalPath(), LineSettings{}, listener).started());
    EXPECT_TRUE(listener.reports().empty());
}

TEST(LinePortOpen, UnsupportedLineSettingsAreReportedAndTheOpenStands)
{
    PtyPair pty;
    RecordingListener listener;
    LinePort port;
    LineSettings odd;
    odd.baud = 12345;
    EXPECT_TRUE(port.open(pty.terminalPath(), odd, listener).started());
    ASSERT_EQ(listener.reports().size(), 1u);
    EXPECT_TRUE(listener.reports()[0].starts_with("WARNING:  cfsetspeed() Failed with the following error: \n"));
    EXPECT_TRUE(listener.reports()[0].ends_with("\nPort: " + pty.terminalPath() + "\n"));
}

TEST(LinePortOpen, NonTerminalDeviceReportsLineSettingsUnreadable)
{
    RecordingListener listener;
    LinePort port;
    EXPECT_TRUE(port.open("/dev/null", LineSettings{}, listener).started());
    // The monitoring thread may meet the end of /dev/null and report the line gone as well: stop it
    // first, then the settings report must be the first one.
    port.close();
    const auto reports = listener.reports();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[0],
              "WARNING:  tcgetattr() Failed with the following error: \nInappropriate ioctl for device\nPort: /dev/null\n");
    EXPECT_LE(reports.size(), 2u);
}

TEST(LinePortClosed, WriteBeforeTheFirstOpenAndAfterCloseSendsNothing)
{
    PtyPair pty;
    RecordingListener listener;
    LinePort port;
    port.write("(01hello)");
    ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());
    port.write("(01hello)");
    ASSERT_EQ(pty.device().readCount(9), "(01hello)");
    port.close();
    port.write("(01bye)");  // no thread and no line: nothing can go out later either
    EXPECT_EQ(port.textsSent(), 1u);
    EXPECT_EQ(pty.device().readAvailable(), "");
    EXPECT_TRUE(listener.reports().empty());
}

TEST(LinePortOpen, ReopenPurgesBytesLeftOnTheLine)
{
    PtyPair pty;
    RecordingListener listener;
    LinePort port;
    ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());
    port.close();
    ASSERT_TRUE(pty.device().writeAll("(01hel"));  // half a reply left over while nothing reads
    ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());
    port.write("(01Q)");
    ASSERT_EQ(pty.device().readCount(5), "(01Q)");
    ASSERT_TRUE(pty.device().writeAll("(01Q376)"));
    ASSERT_TRUE(listener.waitForText(8));
    EXPECT_EQ(listener.text(), "(01Q376)");
}

TEST(LinePortClosed, TextLongerThanTheWriteBufferIsDropped)
{
    PtyPair pty;
    RecordingListener listener;
    LinePort port(PortLimits{.writeBuffer = 8});
    ASSERT_TRUE(port.open(pty.terminalPath(), LineSettings{}, listener).started());
    port.write("(01hello)");  // nine characters and the NUL do not fit in eight bytes
    port.write("(01Q)");
    EXPECT_EQ(pty.device().readCount(5), "(01Q)");
    EXPECT_EQ(pty.device().readAvailable(), "");
}

TEST(PortErrorText, HasTheFixedFormatInLinuxTerms)
{
    EXPECT_EQ(formatPortError({LineFault::ClosedByServer, "read()", 0, "tcp://10.0.0.5:4001", false}),
              "WARNING:  read() Failed with the following error: \nthe device server closed the connection\n"
              "Port: tcp://10.0.0.5:4001\n");
    EXPECT_EQ(describeLineFault({"open()", EAGAIN}), "open(): " + systemErrorText(EAGAIN)) << "never \"in use\"";
    EXPECT_EQ(formatPortError({"read()", EIO, "/dev/ttyUSB0", false}),
              "WARNING:  read() Failed with the following error: \nInput/output error\nPort: /dev/ttyUSB0\n");
    EXPECT_EQ(formatPortError({"connect()", ECONNREFUSED, "tcp://10.0.0.5:4001", true}),
              "WARNING:  connect() Failed with the following error: \nConnection refused\nPort: tcp://10.0.0.5:4001\n");
}

}  // namespace
}  // namespace tonel::testing

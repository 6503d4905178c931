// The virtual processor on a real pseudo-terminal: its answers on the line, its frame log, the
// reply delay, attaching to an existing device, hanging up, and the tonel-emulator program.

#include "device/WireProtocol.h"
#include "emulator/CommandLine.h"
#include "emulator/VirtualProcessor.h"
#include "model/Fields.h"
#include "tests/device/EmulatorProgram.h"
#include "tests/device/LinePortFixture.h"

#include <termios.h>

namespace tonel::testing {
using namespace tonel::emulator;
void PrintTo(const FrameRecord& record, std::ostream* os)
{
    *os << (record.direction == FrameRecord::Direction::Received ? "< " : "> ") << printable(record.text);
}
}  // namespace tonel::testing

namespace tonel::testing {
namespace {

using emulator::DeviceFaults;
using emulator::FrameRecord;
using emulator::VirtualProcessor;
using Clock = std::chrono::steady_clock;
using Direction = FrameRecord::Direction;

class EmulatorLineTest : public ::testing::Test {
protected:
    void startWith(DeviceFaults faults)
    {
        processor_ = std::make_unique<VirtualProcessor>(std::move(faults));
        ASSERT_TRUE(processor_->start());
        line_ = openRawTerminal(processor_->terminalPath());
        ASSERT_TRUE(line_.valid());
    }
    void SetUp() override { startWith({}); }

    std::unique_ptr<VirtualProcessor> processor_;
    TerminalEnd line_;
};

TEST_F(EmulatorLineTest, GreetsReadsAndTakesAnUploadLoggingEveryFrame)
{
    ASSERT_TRUE(line_.writeAll("noise(01hello)"));
    EXPECT_EQ(line_.readUntil(")"), "(01hello13)");
    ASSERT_TRUE(line_.writeAll("(01Q)"));
    const std::string reply = line_.readCount(384);
    EXPECT_EQ(reply, "(01Q376" + wire::encodeImageHex(ParameterImage{}) + ")");

    ParameterImage panel;
    panel.set(fields::mic::mainLevel, 12);
    const std::string upload = wire::uploadFrame(panel);
    ASSERT_TRUE(line_.writeAll(upload));
    EXPECT_EQ(line_.readUntil(")"), "(01P376)");
    EXPECT_EQ(processor_->image(), panel.bytes());

    const std::vector<FrameRecord> expected = {
        {Direction::Received, "(01hello)"}, {Direction::Replied, "(01hello13)"}, {Direction::Received, "(01Q)"},
        {Direction::Replied, reply},        {Direction::Received, upload},       {Direction::Replied, "(01P376)"}};
    EXPECT_EQ(processor_->frameLog(), expected);
}

TEST_F(EmulatorLineTest, AppliesCommandsAndWaitsCanSeeThem)
{
    ASSERT_TRUE(line_.writeAll("(01$001000002)(01$004000020)(01S)(01bye)"));
    ASSERT_TRUE(processor_->waitForReceived(4, 5s));
    EXPECT_EQ(processor_->image()[fields::effect::at(2, fields::effect::masterLevel)], 20);
    ASSERT_TRUE(processor_->storedImage());
    EXPECT_EQ(*processor_->storedImage(), processor_->image());
    EXPECT_EQ(processor_->receivedFrames(),
              (std::vector<std::string>{"(01$001000002)", "(01$004000020)", "(01S)", "(01bye)"}));
    EXPECT_EQ(line_.readAvailable(), "") << "none of these is answered";
}

TEST_F(EmulatorLineTest, SilentDeviceAnswersNothing)
{
    DeviceFaults faults;
    faults.silent = true;
    startWith(faults);
    ASSERT_TRUE(line_.writeAll("(01hello)(01Q)(01bye)"));
    // Frames are handled in order: once the third is logged, any answer to the first two is out.
    ASSERT_TRUE(processor_->waitForReceived(3, 5s));
    EXPECT_EQ(line_.readAvailable(), "");
    EXPECT_EQ(processor_->frameLog().size(), 3u);
}

TEST_F(EmulatorLineTest, DelayedReplyComesLate)
{
    DeviceFaults faults;
    faults.replyDelay = 150ms;
    faults.trailing = "\r";
    startWith(faults);
    const auto start = Clock::now();
    ASSERT_TRUE(line_.writeAll("(01hello)"));
    EXPECT_EQ(line_.readUntil("\r"), "(01hello13)\r");
    EXPECT_GE(Clock::now() - start, 150ms);
}

TEST_F(EmulatorLineTest, StoppingDuringADelayedReplyIsPrompt)
{
    DeviceFaults faults;
    faults.replyDelay = 60s;
    startWith(faults);
    ASSERT_TRUE(line_.writeAll("(01hello)"));
    ASSERT_TRUE(processor_->waitForReceived(1, 5s));
    const auto start = Clock::now();
    processor_->stop();
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(processor_->running());
}

TEST_F(EmulatorLineTest, FrameLogKeepsOnlyTheNewestFrames)
{
    std::string flood;
    for (std::size_t i = 0; i < 3 * VirtualProcessor::kDefaultLogLimit; ++i)
        flood += "()";
    ASSERT_TRUE(line_.writeAll(flood + "(01hello)"));
    EXPECT_EQ(line_.readUntil(")"), "(01hello13)");
    const std::vector<FrameRecord> log = processor_->frameLog();
    EXPECT_LE(log.size(), VirtualProcessor::kDefaultLogLimit);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back(), (FrameRecord{Direction::Replied, "(01hello13)"}));
    EXPECT_EQ(log[log.size() - 2], (FrameRecord{Direction::Received, "(01hello)"}));
}

TEST(EmulatorAttach, ServesAnExistingDeviceSetToTheWholeLine)
{
    PtyPair pty;
    termios wrong{};
    ASSERT_EQ(::tcgetattr(pty.terminal().fd(), &wrong), 0);
    wrong.c_cflag |= CSTOPB | PARENB | CRTSCTS;
    wrong.c_iflag |= IXON | IXOFF;
    ::cfsetspeed(&wrong, B9600);
    ASSERT_EQ(::tcsetattr(pty.terminal().fd(), TCSANOW, &wrong), 0);
    VirtualProcessor processor;
    ASSERT_TRUE(processor.attach(pty.terminalPath()));
    termios line{};
    ASSERT_EQ(::tcgetattr(pty.terminal().fd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), B38400);
    EXPECT_EQ(line.c_cflag & (CSIZE | CSTOPB | PARENB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(processor.terminalPath(), pty.terminalPath());
    ASSERT_TRUE(pty.device().writeAll("(01hello)"));
    EXPECT_EQ(pty.device().readUntil(")"), "(01hello13)");
    EXPECT_FALSE(VirtualProcessor().attach("/nonexistent/tty"));
}

TEST(EmulatorWithPort, TheSessionsExchangesThroughTheRealPort)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.start());
    RecordingListener listener;
    LinePort port;
    ASSERT_TRUE(port.open(processor.terminalPath(), LineSettings{}, listener).started());
    port.write("(01hello)");
    ASSERT_TRUE(listener.waitForText(11));
    EXPECT_EQ(listener.text(), "(01hello13)");
    port.write("(01$005000020)");
    port.write("(01Q)");
    ASSERT_TRUE(listener.waitForText(11 + 384));
    ParameterImage read;
    ASSERT_TRUE(wire::decodeImageHex(listener.text().substr(11), read));
    EXPECT_EQ(read.get(fields::mic::mainLevel), 20);
}

TEST(EmulatorWithPort, HangingUpDropsTheLineForThePort)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.start());
    RecordingListener listener;
    LinePort port;
    ASSERT_TRUE(port.open(processor.terminalPath(), LineSettings{}, listener).started());
    processor.hangUp();
    ASSERT_TRUE(listener.waitForGone());
    EXPECT_EQ(listener.reports().size(), 1u);
    EXPECT_FALSE(port.open(processor.terminalPath(), LineSettings{}, listener).started()) << "the pseudo-terminal is gone";
}

TEST(EmulatorWithPort, PortReopensBetweenSessionsWhileTheEmulatorRuns)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.start());
    RecordingListener listener;
    LinePort port;
    for (int session = 0; session < 3; ++session) {
        ASSERT_TRUE(port.open(processor.terminalPath(), LineSettings{}, listener).started()) << session;
        port.write("(01hello)");
        ASSERT_TRUE(listener.waitForText(11 * (session + 1)));
        port.close();
    }
    EXPECT_TRUE(listener.gone().empty());
}

// The program itself: first line the path, then one line per frame, ended by SIGTERM.
TEST(EmulatorProgram, PrintsThePathThenEveryFrame)
{
    EmulatorChild program({"--trailing", "\r"});
    ASSERT_TRUE(program.started()) << emulatorProgram();
    const std::string path = program.lineName();
    ASSERT_TRUE(path.starts_with("/dev/")) << path;
    TerminalEnd line = openRawTerminal(path);
    ASSERT_TRUE(line.writeAll("(01hello)"));
    EXPECT_EQ(line.readUntil("\r"), "(01hello13)\r");
    EXPECT_EQ(program.output().readUntil("\\r\n"), "< (01hello)\n> (01hello13)\\r\n");
    EXPECT_TRUE(program.stop());
}

}  // namespace
}  // namespace tonel::testing

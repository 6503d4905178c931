// The virtual processor's input and command line: cutting bytes into frames, reading options.

#include "emulator/CommandLine.h"
#include "emulator/FrameAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tonel::testing {
using namespace tonel::emulator;
namespace {

std::vector<std::string> framesOf(const std::string& bytes)
{
    FrameAssembler assembler;
    std::vector<std::string> frames;
    for (char c : bytes) {
        if (auto frame = assembler.feed(c))
            frames.push_back(*frame);
    }
    return frames;
}

struct FramesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> frames;
};
void PrintTo(const FramesCase& c, std::ostream* os) { *os << c.name; }

class FrameAssemblerTest : public ::testing::TestWithParam<FramesCase> {};

TEST_P(FrameAssemblerTest, CutsFramesFromOpeningToClosingParenthesis)
{
    EXPECT_EQ(framesOf(GetParam().bytes), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FrameAssemblerTest,
    ::testing::Values(FramesCase{"One", "(01hello)", {"(01hello)"}},
                      FramesCase{"BackToBack", "(01Q)(01S)", {"(01Q)", "(01S)"}},
                      FramesCase{"GarbageAround", "\r\nxx(01bye)zz)", {"(01bye)"}},
                      FramesCase{"RestartOnOpening", "(01hel(01hello)", {"(01hello)"}},
                      FramesCase{"Unfinished", "(01$005000", {}},
                      FramesCase{"Blanks", "(01$003000  5)", {"(01$003000  5)"}},
                      FramesCase{"Overlong", "(" + std::string(600, '0') + ")(01Q)", {"(01Q)"}},
                      FramesCase{"ZeroBytes", std::string("\0(01Q)\0", 7), {"(01Q)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmulatorCommandLine, ReadsEveryOption)
{
    const std::vector<std::string> args = {"--image",       "a.cfg", "--device",   "/dev/ttyS0", "--hello-reply",
                                           "(01hello12)",   "--ack-reply", "(01P375)", "--q-count", "37",
                                           "--q-truncate",  "100",   "--silent",   "--reply-delay-ms", "250",
                                           "--trailing",    "\r",   "--pace"};
    const CommandLineResult result = parseCommandLine(args);
    ASSERT_TRUE(result.options) << result.error;
    const EmulatorOptions& o = *result.options;
    EXPECT_EQ(o.imagePath, "a.cfg");
    EXPECT_EQ(o.devicePath, "/dev/ttyS0");
    EXPECT_EQ(o.faults.helloReply, "(01hello12)");
    EXPECT_EQ(o.faults.ackReply, "(01P375)");
    EXPECT_EQ(o.faults.queryCount, 37);
    EXPECT_EQ(o.faults.queryTruncate, 100u);
    EXPECT_TRUE(o.faults.silent);
    EXPECT_EQ(o.faults.replyDelay, std::chrono::milliseconds(250));
    EXPECT_EQ(o.faults.trailing, "\r");
    EXPECT_TRUE(o.paced);
    EXPECT_FALSE(o.rfc2217);

    const std::vector<std::string> network = {"--listen", "0.0.0.0:4001", "--rfc2217", "--idle-timeout", "5"};
    const CommandLineResult listening = parseCommandLine(network);
    ASSERT_TRUE(listening.options) << listening.error;
    EXPECT_EQ(listening.options->listenAddress, "0.0.0.0:4001");
    EXPECT_TRUE(listening.options->rfc2217);
    EXPECT_FALSE(listening.options->paced);
    EXPECT_EQ(listening.options->idleTimeout, std::chrono::seconds(5));
}

TEST(EmulatorCommandLine, NoOptionsIsAWellBehavedDeviceOnAPseudoTerminal)
{
    const CommandLineResult result = parseCommandLine({});
    ASSERT_TRUE(result.options);
    EXPECT_TRUE(result.options->devicePath.empty());
    EXPECT_FALSE(result.options->faults.helloReply);
    EXPECT_FALSE(result.options->faults.silent);
    EXPECT_EQ(result.options->faults.trailing, "");
    EXPECT_EQ(result.options->idleTimeout, std::chrono::seconds(60));

    for (const char* help : {"--help", "-h"}) {
        const std::vector<std::string> asked = {"--silent", help, "--bogus"};
        const CommandLineResult helped = parseCommandLine(asked);
        EXPECT_TRUE(helped.helpRequested) << help;
        EXPECT_FALSE(helped.options) << help;
    }
    EXPECT_FALSE(parseCommandLine({}).helpRequested);
}

TEST(EmulatorCommandLine, RejectsWrongLines)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"--bogus"}, {"--image"}, {"--q-count", "x"}, {"--q-count", "1000"}, {"--q-truncate", "-1"},
        {"--reply-delay-ms", "5ms"}, {"FILE.cfg"}, {"--rfc2217"}, {"--listen", "4001", "--device", "/dev/ttyS0"},
        {"--listen", "::1:4001"}, {"--listen", "host:65536"}, {"--idle-timeout", "5"},
        {"--listen", "4001", "--idle-timeout", "0"}};
    for (const auto& args : wrong) {
        const CommandLineResult result = parseCommandLine(args);
        EXPECT_FALSE(result.options) << args[0];
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(EmulatorOutput, FramesPrintOnOneLine)
{
    EXPECT_EQ(printable("(01hello13)"), "(01hello13)");
    EXPECT_EQ(printable("(01hello13)\r\n"), "(01hello13)\\r\\n");
    EXPECT_EQ(printable(std::string("a\0\x7f\\", 4)), "a\\x00\\x7F\\x5C");
}

}  // namespace
}  // namespace tonel::testing

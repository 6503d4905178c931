// "HOST:PORT" as a port name and as the emulator's listening address: one reader, two sets of rules.

#include "device/PortName.h"
#include "emulator/Listener.h"

#include <gtest/gtest.h>

#include <string>

namespace tonel::testing {
namespace {

enum class Reader { Peer, Listen };

struct HostPortCase {
    const char* name;
    Reader reader;
    std::string text;
    std::string host;            // empty: refused
    std::uint16_t port = 0;
    std::string reasonContains;  // for a refusal
};
void PrintTo(const HostPortCase& c, std::ostream* os) { *os << c.name; }

class HostPortTest : public ::testing::TestWithParam<HostPortCase> {};

TEST_P(HostPortTest, ReadsOrSaysWhyNot)
{
    const HostPortCase& c = GetParam();
    const ParsedHostPort parsed = parseHostPort(c.text, c.reader == Reader::Peer ? kPeerAddress : kListenAddress);
    if (c.host.empty()) {
        EXPECT_FALSE(parsed.address) << parsed.address->host;
        EXPECT_NE(parsed.reason.find(c.reasonContains), std::string::npos) << parsed.reason;
        return;
    }
    ASSERT_TRUE(parsed.address) << parsed.reason;
    EXPECT_EQ(*parsed.address, (HostPort{c.host, c.port}));
    const ParsedHostPort again = parseHostPort(formatHostPort(*parsed.address), kListenAddress);
    EXPECT_EQ(again.address, parsed.address) << formatHostPort(*parsed.address);
    if (c.reader == Reader::Peer) {
        const PortName name = parsePortName("rfc2217://" + c.text);
        EXPECT_EQ(name.kind, PortName::Kind::Rfc2217);
        EXPECT_EQ(name.host, c.host);
        EXPECT_EQ(name.service, std::to_string(c.port));
    }
}

using enum Reader;
INSTANTIATE_TEST_SUITE_P(
    Texts, HostPortTest,
    ::testing::Values(
        HostPortCase{"PeerName", Peer, "localhost:4001", "localhost", 4001, ""},
        HostPortCase{"PeerV4", Peer, "10.0.0.5:65535", "10.0.0.5", 65535, ""},
        HostPortCase{"PeerV6InBrackets", Peer, "[::1]:4001", "::1", 4001, ""},
        HostPortCase{"PeerLeadingZeros", Peer, "host:04001", "host", 4001, ""},
        HostPortCase{"PeerPortZero", Peer, "127.0.0.1:0", "", 0, "1-65535"},
        HostPortCase{"PeerPortTooBig", Peer, "host:65536", "", 0, "1-65535"},
        HostPortCase{"PeerPortHuge", Peer, "host:99999999999999999999", "", 0, "1-65535"},
        HostPortCase{"PeerPortSigned", Peer, "host:+4001", "", 0, "1-65535"},
        HostPortCase{"PeerPortMissing", Peer, "host:", "", 0, "1-65535"},
        HostPortCase{"PeerNoPort", Peer, "127.0.0.1", "", 0, "HOST:PORT"},
        HostPortCase{"PeerBarePort", Peer, "4001", "", 0, "HOST:PORT"},
        HostPortCase{"PeerNoHost", Peer, ":4001", "", 0, "host is missing"},
        HostPortCase{"PeerBareV6", Peer, "::1:4001", "", 0, "brackets"},
        HostPortCase{"PeerBareV6Long", Peer, "fe80::1:2:4001", "", 0, "brackets"},
        HostPortCase{"PeerBracketsWithoutColon", Peer, "[::1]4001", "", 0, "[IPV6]:PORT"},
        HostPortCase{"PeerUnclosedBracket", Peer, "[::1:4001", "", 0, "[IPV6]:PORT"},
        HostPortCase{"PeerEmptyBrackets", Peer, "[]:4001", "", 0, "host is missing"},
        HostPortCase{"PeerPath", Peer, "host/x:4001", "", 0, "not a host"},
        HostPortCase{"ListenBarePort", Listen, "4001", "127.0.0.1", 4001, ""},
        HostPortCase{"ListenAnyPort", Listen, "0.0.0.0:0", "0.0.0.0", 0, ""},
        HostPortCase{"ListenBarePortZero", Listen, "0", "127.0.0.1", 0, ""},
        HostPortCase{"ListenName", Listen, "localhost:65535", "localhost", 65535, ""},
        HostPortCase{"ListenV6", Listen, "[::]:4001", "::", 4001, ""},
        HostPortCase{"ListenBareV6", Listen, "::1:4001", "", 0, "brackets"},
        HostPortCase{"ListenTrailingText", Listen, "4001x", "", 0, "0-65535"},
        HostPortCase{"ListenPortTooBig", Listen, "host:65536", "", 0, "0-65535"},
        HostPortCase{"ListenNoHost", Listen, ":4001", "", 0, "host is missing"},
        HostPortCase{"ListenBracketsWithoutColon", Listen, "[::1]4001", "", 0, "[IPV6]:PORT"},
        HostPortCase{"ListenEmpty", Listen, "", "", 0, "0-65535"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortNames, SayWhyTheyAreNotPortNames)
{
    EXPECT_EQ(parsePortName("/dev/ttyUSB0").kind, PortName::Kind::Tty);
    EXPECT_NE(parsePortName("").reason, "");
    EXPECT_NE(parsePortName("udp://host:4001").reason.find("udp"), std::string::npos);
    EXPECT_NE(parsePortName("tcp://::1:4001").reason.find("brackets"), std::string::npos);
    EXPECT_EQ(parsePortName("tcp://::1:4001").kind, PortName::Kind::Invalid);
}

TEST(ListenAddresses, NameThePortAControllerOpens)
{
    EXPECT_EQ(emulator::networkPortName({"0.0.0.0", 0}, 4001, false), "tcp://127.0.0.1:4001");
    EXPECT_EQ(emulator::networkPortName({"::", 0}, 4001, true), "rfc2217://[::1]:4001");
    EXPECT_EQ(emulator::networkPortName({"::1", 0}, 4001, true), "rfc2217://[::1]:4001");
}

}  // namespace
}  // namespace tonel::testing

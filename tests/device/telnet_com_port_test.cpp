// The Telnet COM-PORT codec: escaping, the streaming decoder (whole and byte by byte), the
// message builders against their wire bytes, option negotiation and the client's line set-up.

#include "device/detail/TelnetComPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tonel::testing {
using namespace tonel::telnet;
namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

Command negotiationOf(std::uint8_t verb, std::uint8_t option) { return {Command::Kind::Negotiation, verb, option, {}}; }
Command comPortOf(std::string payload) { return {Command::Kind::Subnegotiation, kSb, kComPort, std::move(payload)}; }

struct DecodeCase {
    const char* name;
    std::string stream;
    std::string data;
    std::vector<Command> commands;
};
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class TelnetDecoderTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(TelnetDecoderTest, SplitsDataFromCommandsWhateverTheChunks)
{
    const DecodeCase& c = GetParam();
    Decoder whole;
    std::string data;
    std::vector<Command> commands;
    whole.feed(c.stream, data, commands);
    EXPECT_EQ(data, c.data);
    EXPECT_EQ(commands, c.commands);

    Decoder single;
    std::string dataByByte;
    std::vector<Command> commandsByByte;
    for (char b : c.stream)
        single.feed(std::string_view(&b, 1), dataByByte, commandsByByte);
    EXPECT_EQ(dataByByte, c.data);
    EXPECT_EQ(commandsByByte, c.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, TelnetDecoderTest,
    ::testing::Values(
        DecodeCase{"PlainData", "(01hello13)", "(01hello13)", {}},
        DecodeCase{"EscapedIac", "a" + bytes({255, 255}) + "b", "a" + bytes({255}) + "b", {}},
        DecodeCase{"Negotiations", bytes({255, 251, 3}) + "x" + bytes({255, 253, 44}), "x",
                   {negotiationOf(kWill, 3), negotiationOf(kDo, 44)}},
        DecodeCase{"BaudReplyWithEscapedByte", bytes({255, 250, 44, 101, 0, 0, 255, 255, 255, 240}) + "(",
                   "(", {comPortOf(bytes({101, 0, 0, 255}))}},
        DecodeCase{"OtherCommands", bytes({255, 241}) + "q" + bytes({255, 243}), "q",
                   {{Command::Kind::Other, 241, 0, {}}, {Command::Kind::Other, 243, 0, {}}}},
        DecodeCase{"UnfinishedSubnegotiationHoldsBack", bytes({255, 250, 44, 5, 1}), "", {}},
        DecodeCase{"OverlongSubnegotiationIsCut", bytes({255, 250, 44}) + std::string(300, 'z') + bytes({255, 240}) + "d",
                   "d", {comPortOf(std::string(256, 'z'))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TelnetCodec, BuildsTheWireBytesOfEveryCommand)
{
    EXPECT_EQ(escapeData(bytes({1, 255, 2, 255})), bytes({1, 255, 255, 2, 255, 255}));
    EXPECT_EQ(negotiation(kWill, kComPort), bytes({255, 251, 44}));
    EXPECT_EQ(comPortBaudRate(38400), bytes({255, 250, 44, 1, 0, 0, 0x96, 0, 255, 240}));
    EXPECT_EQ(comPortBaudRate(0xFF, true), bytes({255, 250, 44, 101, 0, 0, 0, 255, 255, 255, 240}));
    EXPECT_EQ(comPortByte(ComPortCode::SetDataSize, 8), bytes({255, 250, 44, 2, 8, 255, 240}));
    EXPECT_EQ(comPortByte(ComPortCode::SetParity, parity::kNone, true), bytes({255, 250, 44, 103, 1, 255, 240}));
    EXPECT_EQ(comPortByte(ComPortCode::SetControl, control::kRtsOn), bytes({255, 250, 44, 5, 11, 255, 240}));
}

TEST(TelnetCodec, ParsesComPortMessagesBothWays)
{
    const auto reply = parseComPort(comPortOf(bytes({101, 0, 0, 0x96, 0})));
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->fromServer());
    EXPECT_EQ(reply->command(), ComPortCode::SetBaudRate);
    EXPECT_EQ(reply->baudRate(), 38400u);
    const auto request = parseComPort(comPortOf(bytes({4, 1})));
    ASSERT_TRUE(request);
    EXPECT_FALSE(request->fromServer());
    EXPECT_EQ(request->command(), ComPortCode::SetStopSize);
    EXPECT_EQ(request->byteValue(), stopsize::kOne);
    EXPECT_FALSE(request->baudRate());
    EXPECT_FALSE(parseComPort(comPortOf("")));
    EXPECT_FALSE(parseComPort(negotiationOf(kDo, kComPort)));
}

struct NegotiationCase {
    const char* name;
    std::vector<Command> received;
    std::string answers;
    bool binaryHere, binaryThere, comPortThere;
};
void PrintTo(const NegotiationCase& c, std::ostream* os) { *os << c.name; }

class TelnetNegotiationTest : public ::testing::TestWithParam<NegotiationCase> {};

// A server that offers BINARY and wants the peer's BINARY and COM-PORT, after its opening.
TEST_P(TelnetNegotiationTest, AnswersOnlyWhatChangesAState)
{
    const NegotiationCase& c = GetParam();
    Negotiator server({kBinary}, {kBinary, kComPort});
    EXPECT_EQ(server.opening(), bytes({255, 251, 0, 255, 253, 0, 255, 253, 44}));
    std::string answers;
    for (const Command& command : c.received)
        answers += server.answer(command);
    EXPECT_EQ(answers, c.answers);
    EXPECT_EQ(server.localEnabled(kBinary), c.binaryHere);
    EXPECT_EQ(server.remoteEnabled(kBinary), c.binaryThere);
    EXPECT_EQ(server.remoteEnabled(kComPort), c.comPortThere);
}

INSTANTIATE_TEST_SUITE_P(
    Peers, TelnetNegotiationTest,
    ::testing::Values(
        NegotiationCase{"AcksNeedNoAnswer",
                        {negotiationOf(kDo, kBinary), negotiationOf(kWill, kBinary), negotiationOf(kWill, kComPort)},
                        "", true, true, true},
        NegotiationCase{"PlainTelnetRefusesComPort",
                        {negotiationOf(kWont, kComPort), negotiationOf(kWont, kComPort)}, "", false, false, false},
        NegotiationCase{"UnknownOptionsRefused",
                        {negotiationOf(kDo, kEcho), negotiationOf(kWill, kSuppressGoAhead)},
                        bytes({255, 252, 1, 255, 254, 3}), false, false, false},
        NegotiationCase{"RepeatedRequestsAnsweredOnce",
                        {negotiationOf(kWill, kComPort), negotiationOf(kWill, kComPort), negotiationOf(kWont, kComPort),
                         negotiationOf(kWill, kComPort)},
                        bytes({255, 254, 44, 255, 253, 44}), false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The greeting ser2net 4 sends in "telnet(rfc2217)" mode, then its answers to the settings.
TEST(ComPortClientTest, SetsTheLineOnceTheServerAgreesAndPassesDataThrough)
{
    ComPortClient client;
    EXPECT_EQ(client.opening(), bytes({255, 251, 0, 255, 253, 0, 255, 253, 3, 255, 251, 44}));
    const std::string greeting = bytes({255, 251, 3, 255, 253, 3, 255, 251, 1, 255, 254, 1, 255, 253, 0, 255, 251, 0});
    std::string data;
    std::string sent = client.receive(greeting, data);
    EXPECT_EQ(sent, bytes({255, 252, 3, 255, 254, 1})) << "no SGA on our side, no server echo";
    EXPECT_FALSE(client.comPortAccepted());

    sent = client.receive(bytes({255, 253, 44}) + "(01" + bytes({255, 255}), data);
    EXPECT_TRUE(client.comPortAccepted());
    EXPECT_EQ(sent, client.lineSettings());
    EXPECT_EQ(client.lineSettings().substr(0, 10), comPortBaudRate(38400));
    EXPECT_FALSE(client.lineConfirmed());

    const std::string acks = comPortBaudRate(38400, true) + comPortByte(ComPortCode::SetDataSize, 8, true) +
                             comPortByte(ComPortCode::SetParity, parity::kNone, true) +
                             comPortByte(ComPortCode::SetStopSize, stopsize::kOne, true);
    EXPECT_EQ(client.receive(acks, data), "");
    EXPECT_TRUE(client.lineConfirmed());
    EXPECT_EQ(data, "(01" + bytes({255}));
    EXPECT_EQ(client.serverReplies().size(), 4u);
}

TEST(ComPortClientTest, AServerThatRefusesStillCarriesDataButNeverConfirms)
{
    ComPortClient client;
    client.opening();
    std::string data;
    EXPECT_EQ(client.receive(bytes({255, 254, 44}) + "ok", data), "");
    EXPECT_TRUE(client.comPortRefused());
    EXPECT_FALSE(client.lineConfirmed());
    EXPECT_EQ(data, "ok");
    LineRequest slow;
    slow.baud = 9600;
    ComPortClient other(slow);
    other.opening();
    other.receive(bytes({255, 253, 44}) + comPortBaudRate(38400, true), data);
    EXPECT_FALSE(other.lineConfirmed()) << "a different baud rate is no confirmation";
}

}  // namespace
}  // namespace tonel::testing

// Finding the device: the scan, the open arguments, the fallback from port to port and the
// messages when nothing answers.

#include "tests/device/SessionFixture.h"

namespace tonel::testing {
namespace {

using Message = FakeSessionHost::Message;

void expectOneMessage(const FakeSessionHost& host, const std::string& text)
{
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, text);
    EXPECT_EQ(host.messages()[0].caption, "Message");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::Information);
}

TEST_F(SessionTest, OpensWithTheSessionLineSettingsThenGreets)
{
    oneGoodDevice(distinctImage(0));
    session.onReadButton();

    ASSERT_EQ(port.opens().size(), 1u);
    const FakeSerialLine::OpenCall& call = port.opens()[0];
    EXPECT_EQ(call.name, "/dev/fake1");
    EXPECT_EQ(call.settings.baud, 38400);
    EXPECT_EQ(call.settings.parity, 'N');
    EXPECT_EQ(call.settings.dataBits, 8);
    EXPECT_EQ(call.settings.stopBits, 1);
    EXPECT_TRUE(call.settings.rts);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.sentTexts(), std::vector<std::string>{"(01hello)"});
    EXPECT_EQ(host.dueIn(timer::kHello), 280ms);
}

TEST_F(SessionTest, SecondPortIsGreetedWhenTheFirstCannotOpen)
{
    catalog.setPorts({1, 2});
    port.failOpen(1);
    port.setDevice(2, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();

    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(port.openPort(), 2);
    ASSERT_EQ(port.writes().size(), 1u);
    EXPECT_EQ(port.writes()[0].port, 2);
    EXPECT_EQ(port.writes()[0].text, "(01hello)");
    EXPECT_TRUE(host.messages().empty());

    elapse(timer::kHelloDelay + timer::kReadDelay);
    expectState(kConnected);
}

TEST_F(SessionTest, ThirdPortAnswersAfterTwoHelloTimeouts)
{
    catalog.setPorts({1, 2, 3});
    port.setDevice(3, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();
    elapse(279ms);
    EXPECT_EQ(port.openedPortNumbers(), std::vector<int>{1});
    elapse(1ms);
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2}));
    elapse(280ms);
    // Each port was left by opening the next one: nothing else was opened in between.
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(port.openPort(), 3);
    expectState(kProbing);

    elapse(timer::kHelloDelay);
    ASSERT_FALSE(port.writes().empty());
    EXPECT_EQ(port.writes().back().port, 3);
    EXPECT_EQ(port.writes().back().text, "(01Q)");
    elapse(timer::kReadDelay);
    expectState(kConnected);
    EXPECT_EQ(host.now(), 560ms + 280ms + 400ms);
    EXPECT_EQ(image, distinctImage(1));
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(SessionTest, EveryPortUnopenableGivesOneMessageSayingWhy)
{
    catalog.setPorts({1, 2, 3, 4});
    port.failOpen(1, EACCES);
    port.failOpen(2, EBUSY);
    port.failOpen(3, ENOENT);
    port.failOpen(4, EIO);
    session.onReadButton();

    expectOneMessage(host, "Device Not Found...\n"
                            "/dev/fake1: permission denied — add your user to the dialout group\n"
                            "/dev/fake2: in use by another program\n"
                            "/dev/fake3: no such port\n"
                            "/dev/fake4: open(): Input/output error");
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(port.writes().empty());
    expectState(kIdle);
    elapse(5s);
    EXPECT_EQ(host.messages().size(), 1u);
}

TEST_F(SessionTest, NoPortPresentIsReported)
{
    catalog.setPorts({});
    session.onWriteButton();

    expectOneMessage(host, "SerialPort Not Found!....");
    EXPECT_TRUE(port.opens().empty());
    expectState(kIdle);
}

TEST_F(SessionTest, NoPortAnsweringIsReportedAfterTheLast)
{
    catalog.setPorts({1, 2});
    session.onReadButton();
    elapse(timer::kHelloDelay);
    EXPECT_TRUE(host.messages().empty());
    elapse(timer::kHelloDelay);

    expectOneMessage(host, "Device Not Found!....");
    expectState(kIdle);
    EXPECT_EQ(port.openPort(), 0);  // not even the last port tried stays open and locked
}

TEST_F(SessionTest, NetworkPortThatNeverConnectsMakesWayForTheNext)
{
    catalog.setPorts({1, 2});
    port.connectLater(1);
    port.setDevice(2, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();
    port.refuseConnect(ECONNREFUSED);
    port.deliverPending();
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(host.errorReports().empty()) << "a refused connect is a failed open, not a line failure";
    elapse(timer::kHelloDelay + timer::kReadDelay);
    expectState(kConnected);

    // With no port left, every port refused: the reasons are given.
    catalog.setPorts({1});
    session.onDisconnectButton();
    elapse(timer::kCloseDelay);
    session.onReadButton();
    port.refuseConnect(ECONNREFUSED);
    port.deliverPending();
    expectOneMessage(host, "Device Not Found...\n/dev/fake1: connection refused");
    expectState(kIdleAfterClose);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SessionTest, NetworkPortGetsTheWholeHelloWaitOnceConnected)
{
    catalog.setPorts({1});
    port.connectLater(1);
    port.setDevice(1, deviceAnswering("", queryReply(distinctImage(1)), ""));  // the hello is answered below
    session.onReadButton();
    EXPECT_TRUE(port.sentTexts().empty());
    EXPECT_FALSE(host.armed(timer::kHello)) << "the connect has its own deadline";

    elapse(150ms);  // a device server 150 ms away
    port.finishConnect();
    port.deliverPending();
    EXPECT_EQ(port.sentTexts(), std::vector<std::string>{"(01hello)"});
    EXPECT_EQ(host.dueIn(timer::kHello), 280ms);
    elapse(150ms);
    port.deliver("(01hello13)");  // a round trip after the greeting
    elapse(130ms);
    EXPECT_EQ(port.sentTexts().back(), "(01Q)");
    elapse(timer::kReadDelay);
    expectState(kConnected);
}

struct HelloCase {
    const char* name;
    std::string reply;
    bool accepted;
};

class HelloReply : public SessionTest, public ::testing::WithParamInterface<HelloCase> {};

TEST_P(HelloReply, OnlyTheWholeExactReplyIsAccepted)
{
    catalog.setPorts({1});
    port.setDevice(1, deviceAnswering(GetParam().reply, "", ""));
    session.onReadButton();
    elapse(timer::kHelloDelay);

    if (GetParam().accepted) {
        expectState(kReading);
        EXPECT_TRUE(host.messages().empty());
    } else {
        expectState(kIdle);
        expectOneMessage(host, "Device Not Found!....");
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, HelloReply,
                         ::testing::Values(HelloCase{"Exact", "(01hello13)", true},
                                           HelloCase{"AfterNoise", "xyz(01hello13)", true},
                                           HelloCase{"TrailingReturn", "(01hello13)\r", false},
                                           HelloCase{"OtherModel", "(01hello12)", false},
                                           HelloCase{"Unclosed", "(01hello13", false},
                                           HelloCase{"Silent", "", false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, WriteDuringProbingRescansFromTheFirstPort)
{
    catalog.setPorts({1, 2, 3});
    port.setDevice(3, writableDevice("(01P376)"));
    session.onReadButton();
    elapse(timer::kHelloDelay);
    ASSERT_EQ(port.openPort(), 2);
    elapse(100ms);

    session.onWriteButton();
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(host.dueIn(timer::kHello), 280ms);  // the pending hello timer was replaced
    expectState(kProbing);

    elapse(3 * timer::kHelloDelay);
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2, 1, 2, 3}));
    EXPECT_EQ(port.sentTexts().back(), "(01P376" + hexOf(image) + ")");
    elapse(timer::kUploadDelay);
    expectState(kConnected);
}

}  // namespace
}  // namespace tonel::testing

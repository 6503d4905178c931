// The line going away (device unplugged, emulator gone) ends an open or opening session the
// way the close after "(01bye)" does, so that the next read can start at once.

#include "tests/device/SessionFixture.h"

#include <functional>

namespace tonel::testing {
namespace {

struct HangUpCase {
    const char* name;
    std::function<void(SessionTest&)> reach;
    StateRow before;
    StateRow after = kIdleAfterClose;
    std::vector<std::string> messages = {};  // while probing: the next port, or none is left
};

class HangUpInSession : public SessionTest, public ::testing::WithParamInterface<HangUpCase> {};

TEST_P(HangUpInSession, EndsTheSessionAndANewReadSucceeds)
{
    GetParam().reach(*this);
    expectState(GetParam().before);
    const std::size_t opens = port.opens().size();

    port.hangUp();
    port.deliverPending();

    expectState(GetParam().after);
    EXPECT_EQ(port.opens().size(), opens);
    EXPECT_EQ(port.closeCalls(), 1);
    EXPECT_EQ(port.openPort(), 0);
    std::vector<std::string> shown;
    for (const FakeSessionHost::Message& m : host.messages())
        shown.push_back(m.text);
    EXPECT_EQ(shown, GetParam().messages);

    // Nothing left over fires later.
    const std::size_t writes = port.writes().size();
    elapse(5s);
    EXPECT_EQ(port.writes().size(), writes);
    expectState(GetParam().after);

    image = ParameterImage();
    session.onReadButton();
    elapse(timer::kHelloDelay + timer::kReadDelay);
    expectState(kConnected);
    EXPECT_EQ(image, distinctImage(1));
}

INSTANTIATE_TEST_SUITE_P(
    ActiveStates, HangUpInSession,
    ::testing::Values(HangUpCase{"Probing", [](SessionTest& t) { t.toProbing(false); }, kProbing, kIdle,
                                 {"Device Not Found!...."}},
                      HangUpCase{"Reading", [](SessionTest& t) { t.toReading(); }, kReading},
                      HangUpCase{"Writing", [](SessionTest& t) { t.toWriting(); }, kWriting},
                      HangUpCase{"Connected", [](SessionTest& t) { t.toConnected(); }, kConnected},
                      HangUpCase{"ConnectedWithoutAck",
                                 [](SessionTest& t) {
                                     t.toConnectedNoAck();
                                     t.port.setDevice(1, readableDevice(queryReply(distinctImage(1))));
                                 },
                                 kConnectedNoAck, kIdleAfterClose, {"The device did not confirm the upload."}},
                      HangUpCase{"Closing", [](SessionTest& t) { t.toClosing(); }, kClosing},
                      HangUpCase{"ReadingAfterWriteButton",
                                 [](SessionTest& t) {
                                     t.toReading();
                                     t.session.onWriteButton();
                                 },
                                 kProbingReadPending, kIdle, {"Device Not Found!...."}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, HangUpWhileProbingGoesOnWithTheNextPort)
{
    catalog.setPorts({1, 2});
    port.setDevice(2, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();
    port.hangUp();
    port.deliverPending();
    EXPECT_EQ(port.openedPortNumbers(), (std::vector<int>{1, 2}));
    expectState(kProbing);
    elapse(timer::kHelloDelay + timer::kReadDelay);
    expectState(kConnected);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(SessionTest, HangUpWithoutSessionIsIgnored)
{
    session.lineGone(fakePortName(1));
    EXPECT_TRUE(port.opens().empty());
    EXPECT_TRUE(host.enableCalls().empty());
    expectState(kIdle);
}

TEST_F(SessionTest, HangUpAfterNoDeviceAnsweredIsIgnored)
{
    catalog.setPorts({1});
    session.onReadButton();
    elapse(timer::kHelloDelay);
    ASSERT_EQ(port.openPort(), 0);
    const std::size_t opens = port.opens().size();
    const std::size_t enables = host.enableCalls().size();

    session.lineGone(fakePortName(1));
    EXPECT_EQ(port.opens().size(), opens);
    EXPECT_EQ(host.enableCalls().size(), enables);
    expectState(kIdle);
}

TEST_F(SessionTest, HangUpAfterCloseIsIgnored)
{
    toClosing();
    elapse(timer::kCloseDelay);
    const std::size_t opens = port.opens().size();
    session.lineGone(fakePortName(1));
    EXPECT_EQ(port.opens().size(), opens);
    expectState(kIdleAfterClose);
}

TEST_F(SessionTest, LateHangUpOfAPortAlreadyLeftIsIgnored)
{
    catalog.setPorts({1, 2});
    session.onReadButton();
    elapse(timer::kHelloDelay);
    ASSERT_EQ(port.openPort(), 2);
    const std::size_t opens = port.opens().size();

    session.lineGone(fakePortName(1));
    EXPECT_EQ(port.opens().size(), opens);
    expectState(kProbing);
}

}  // namespace
}  // namespace tonel::testing

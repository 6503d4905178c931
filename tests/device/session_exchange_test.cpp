// The opening exchanges (read and upload), the mode and disconnect buttons and the received
// characters.

#include "tests/device/SessionFixture.h"

#include <memory>

namespace tonel::testing {
namespace {

struct QueryCase {
    const char* name;
    std::string reply;
};

class RefusedQueryReply : public SessionTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(RefusedQueryReply, EndsTheAttemptAndLeavesTheImageAlone)
{
    catalog.setPorts({1});
    port.setDevice(1, readableDevice(GetParam().reply));
    session.onReadButton();
    elapse(timer::kHelloDelay);
    elapse(timer::kReadDelay);

    EXPECT_FALSE(session.connected());
    EXPECT_EQ(image, ParameterImage());
    EXPECT_EQ(host.refreshes(), 0);
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, "The device's reply was invalid: nothing was read.");
    EXPECT_EQ(host.messages()[0].caption, "Message");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::Information);
    expectState(kIdleReplyRefused);
}

const std::string kHex = hexOf(distinctImage(1));

INSTANTIATE_TEST_SUITE_P(
    Replies, RefusedQueryReply,
    ::testing::Values(QueryCase{"CountOneLess", "(01Q375" + kHex + ")"},
                      QueryCase{"CountReadAs37", "(01Q037" + kHex + ")"},
                      QueryCase{"CountMissing", "(01Q"},
                      QueryCase{"WrongPrefix", "(02Q376" + kHex + ")"},
                      QueryCase{"HelloOnly", "(01hello13)"},
                      QueryCase{"ShortHundredHex", "(01Q376" + kHex.substr(0, 100) + ")"},
                      QueryCase{"OneHexShort", "(01Q376" + kHex.substr(0, 375)},
                      QueryCase{"Silent", ""}),
    [](const auto& info) { return info.param.name; });

struct LoadCase {
    const char* name;
    std::string reply;
};

class AcceptedQueryReply : public SessionTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(AcceptedQueryReply, LoadsEveryByte)
{
    catalog.setPorts({1});
    port.setDevice(1, readableDevice(GetParam().reply));
    session.onReadButton();
    elapse(timer::kHelloDelay + timer::kReadDelay);

    EXPECT_EQ(image, distinctImage(1));
    EXPECT_EQ(image.get(1), 1);  // the control mode arrives with the rest
    EXPECT_EQ(host.refreshes(), 1);
    expectState(kConnected);
}

INSTANTIATE_TEST_SUITE_P(Replies, AcceptedQueryReply,
                         ::testing::Values(LoadCase{"Closed", "(01Q376" + kHex + ")"},
                                           LoadCase{"WithoutClosingParenthesis", "(01Q376" + kHex},
                                           LoadCase{"WithTrailingReturn", "(01Q376" + kHex + ")\r"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, ReadLoadsEasyModeToo)
{
    oneGoodDevice(distinctImage(0));
    image.set(1, 1);
    session.onReadButton();
    elapse(timer::kHelloDelay + timer::kReadDelay);
    EXPECT_EQ(image.get(1), 0);
}

TEST_F(SessionTest, UploadFrameCarriesThePanelsImage)
{
    image = distinctImage(1);
    catalog.setPorts({1});
    port.setDevice(1, writableDevice("(01P376)"));
    session.onWriteButton();
    elapse(timer::kHelloDelay);

    const std::string frame = port.sentTexts().back();
    EXPECT_EQ(frame.size(), 384u);
    EXPECT_EQ(frame, "(01P376" + hexOf(distinctImage(1)) + ")");
    EXPECT_EQ(host.dueIn(timer::kUpload), 800ms);
}

TEST_F(SessionTest, WrongAcknowledgementStillLetsPageChangesThrough)
{
    toConnectedNoAck();
    expectState(kConnectedNoAck);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, "The device did not confirm the upload.");
    EXPECT_EQ(host.messages()[0].caption, "Message");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::Warning);

    CommandChannel& channel = session;
    ASSERT_TRUE(channel.connected());
    channel.write("(01$005000005)");
    EXPECT_EQ(port.sentTexts().back(), "(01$005000005)");
}

TEST_F(SessionTest, WriteWhileConnectedStoresOnly)
{
    toConnected();
    const std::size_t opens = port.opens().size();
    session.onWriteButton();
    EXPECT_EQ(port.sentTexts().back(), "(01S)");
    EXPECT_EQ(port.opens().size(), opens);
    expectState(kConnected);
}

TEST_F(SessionTest, EachTimerHandlerCancelsItsOwnTimer)
{
    toConnected();
    session.onDisconnectButton();
    elapse(timer::kCloseDelay);
    catalog.setPorts({1});
    port.setDevice(1, writableDevice("(01P376)"));
    session.onWriteButton();
    elapse(timer::kHelloDelay + timer::kUploadDelay);

    EXPECT_EQ(host.cancels(), (std::vector<int>{timer::kHello, timer::kRead, timer::kClose, timer::kHello,
                                                 timer::kUpload}));
}

// ---- the mode button ----

struct ModeCase {
    const char* name;
    std::uint8_t before;
    bool connected;
    std::uint8_t after;
    std::vector<std::string> sent;
    int refreshes;
};

class ModeButton : public SessionTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeButton, TogglesAndSendsWhileConnected)
{
    const ModeCase& c = GetParam();
    if (c.connected)
        toConnected();
    image.set(1, c.before);
    const std::size_t sent = port.sentTexts().size();
    const int refreshes = host.refreshes();

    session.onModeButton();
    EXPECT_EQ(image.get(1), c.after);
    EXPECT_EQ(sentSince(sent), c.sent);
    EXPECT_EQ(host.refreshes() - refreshes, c.refreshes);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeButton,
                         ::testing::Values(ModeCase{"EasyToFullConnected", 0, true, 1, {"(01O1)"}, 1},
                                           ModeCase{"FullToEasyConnected", 1, true, 0, {"(01O0)"}, 1},
                                           ModeCase{"EasyToFullOffline", 0, false, 1, {}, 1},
                                           ModeCase{"FullToEasyOffline", 1, false, 0, {}, 1},
                                           // No frame, but the pages are still refreshed.
                                           ModeCase{"TwoLeftAloneConnected", 2, true, 2, {}, 1},
                                           ModeCase{"TwoLeftAloneOffline", 2, false, 2, {}, 1},
                                           ModeCase{"MaxLeftAlone", 255, true, 255, {}, 1}),
                         [](const auto& info) { return info.param.name; });

// ---- disconnecting ----

TEST_F(SessionTest, DisconnectTwiceSaysByeTwiceAndClosesOnce)
{
    catalog.setPorts({1, 2});
    port.setDevice(1, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();
    elapse(timer::kHelloDelay + timer::kReadDelay);
    const std::size_t opens = port.opens().size();

    session.onDisconnectButton();
    elapse(100ms);
    session.onDisconnectButton();
    EXPECT_EQ(sentSince(port.sentTexts().size() - 2), (std::vector<std::string>{"(01bye)", "(01bye)"}));
    elapse(279ms);
    expectState(kClosing);
    elapse(1ms);
    expectState(kIdleAfterClose);
    EXPECT_EQ(port.opens().size(), opens);
    EXPECT_EQ(port.closeCalls(), 1);
    EXPECT_EQ(port.openPort(), 0);
    elapse(5s);
    EXPECT_EQ(port.closeCalls(), 1);
}

TEST_F(SessionTest, DisconnectWithoutSessionRepeatsTheClose)
{
    toClosing();
    elapse(timer::kCloseDelay);
    const std::size_t writes = port.writes().size();

    session.onDisconnectButton();
    ASSERT_EQ(port.writes().size(), writes + 1);
    EXPECT_EQ(port.writes().back().port, 0);  // into the closed port object: nothing goes out
    EXPECT_EQ(port.writes().back().text, "(01bye)");
    elapse(timer::kCloseDelay);
    expectState(kIdleAfterClose);
}

TEST_F(SessionTest, WindowDestroyedWhileConnectedSaysBye)
{
    toConnectedNoAck();
    session.onWindowDestroyed();
    EXPECT_EQ(port.sentTexts().back(), "(01bye)");
}

// ---- received characters ----

TEST_F(SessionTest, CharactersInPiecesAreAssembled)
{
    catalog.setPorts({1});
    session.onReadButton();
    session.bytesArrived("junk(01hel");
    session.bytesArrived("lo13)");
    elapse(timer::kHelloDelay);
    EXPECT_EQ(port.sentTexts().back(), "(01Q)");
}

TEST_F(SessionTest, FailureOfAWorkingLineIsShownAndChangesNothingElse)
{
    toConnected();
    session.portError({"read()", EIO, "/dev/ttyUSB0", false});
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text,
              "WARNING:  read() Failed with the following error: \nInput/output error\nPort: /dev/ttyUSB0\n");
    EXPECT_EQ(host.messages()[0].caption, "Application Error");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::Stop);
    expectState(kConnected);
}

// The write button while reading leaves the earlier reply timer running, but once the new
// attempt gives up and nothing is open, that check goes too: it would connect to a closed port.
TEST_F(SessionTest, PendingReadTimerEndsWhenTheNewAttemptLeavesNothingOpen)
{
    auto hellos = std::make_shared<int>(0);
    catalog.setPorts({1});
    port.setDevice(1, [hellos](const std::string& frame) -> std::string {
        if (frame == "(01hello)")
            return ++*hellos == 1 ? "(01hello13)" : "";
        return frame == "(01Q)" ? queryReply(distinctImage(1)) : "";
    });
    session.onReadButton();
    elapse(timer::kHelloDelay + 10ms);
    session.onWriteButton();
    expectState(kProbingReadPending);

    elapse(timer::kHelloDelay);  // the hello check sees the image reply: no device here
    EXPECT_EQ(host.messages().size(), 1u);
    EXPECT_FALSE(port.isOpen());
    expectState(kIdle);
    elapse(timer::kReadDelay);
    EXPECT_EQ(image, ParameterImage());
    EXPECT_FALSE(session.connected());
}

TEST_F(SessionTest, PendingUploadTimerStillChecksAfterWriteButton)
{
    toWriting();
    session.onWriteButton();
    expectState(kProbingUploadPending);
    EXPECT_TRUE(host.fire(timer::kUpload));
    EXPECT_TRUE(session.connected());
}

}  // namespace
}  // namespace tonel::testing

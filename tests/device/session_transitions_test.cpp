// Every transition of the session, from a state reached by real steps to the state the user sees.

#include "tests/device/SessionFixture.h"

#include <functional>

namespace tonel::testing {
namespace {

const std::string kUploadOfImage = "<upload frame of the panel's image>";

struct Transition {
    const char* name;
    std::function<void(SessionTest&)> from;
    std::function<void(SessionTest&)> event;
    StateRow to;
    std::vector<std::string> sent;  // frames written by the event
};

void silentPortThenGoodPort(SessionTest& t)
{
    t.catalog.setPorts({1, 2});
    t.port.setDevice(2, readableDevice(queryReply(distinctImage(0))));
}

void readWithQueryReply(SessionTest& t, const std::string& reply)
{
    t.catalog.setPorts({1});
    t.port.setDevice(1, readableDevice(reply));
    t.session.onReadButton();
    t.elapse(timer::kHelloDelay);
}

void writeWithAck(SessionTest& t, const std::string& ack)
{
    t.catalog.setPorts({1});
    t.port.setDevice(1, writableDevice(ack));
    t.session.onWriteButton();
    t.elapse(timer::kHelloDelay);
}

const auto kRead = [](SessionTest& t) { t.session.onReadButton(); };
const auto kWrite = [](SessionTest& t) { t.session.onWriteButton(); };
const auto kNoPorts = [](SessionTest& t) { t.catalog.setPorts({}); };
const auto kUnopenablePorts = [](SessionTest& t) {
    t.catalog.setPorts({1, 2});
    t.port.failOpen(1);
    t.port.failOpen(2);
};
// The ports went away, or cannot be opened any more, and a new attempt begins.
const auto kWriteWithNoPort = [](SessionTest& t) { kNoPorts(t); t.session.onWriteButton(); };
const auto kWriteWithNoPortOpening = [](SessionTest& t) { kUnopenablePorts(t); t.session.onWriteButton(); };
const auto kHelloTimer = [](SessionTest& t) { t.elapse(timer::kHelloDelay); };
const auto kReadTimer = [](SessionTest& t) { t.elapse(timer::kReadDelay); };
const auto kUploadTimer = [](SessionTest& t) { t.elapse(timer::kUploadDelay); };
const std::string kQueryGood = queryReply(distinctImage(1));

const std::vector<Transition> kTransitions = {
    {"IdleRead", [](SessionTest& t) { t.oneGoodDevice(distinctImage(1)); }, kRead, kProbing, {"(01hello)"}},
    {"IdleWrite", [](SessionTest& t) { t.oneGoodDevice(distinctImage(1)); }, kWrite, kProbing, {"(01hello)"}},
    {"IdleReadNoPortPresent", kNoPorts, kRead, kIdle, {}},
    {"IdleWriteNoPortPresent", kNoPorts, kWrite, kIdle, {}},
    {"IdleReadNoPortOpens", kUnopenablePorts, kRead, kIdle, {}},
    {"IdleWriteNoPortOpens", kUnopenablePorts, kWrite, kIdle, {}},
    {"ProbingHelloReadMode", [](SessionTest& t) { t.toProbing(false); }, kHelloTimer, kReading, {"(01Q)"}},
    {"ProbingHelloWriteMode", [](SessionTest& t) { t.toProbing(true); }, kHelloTimer, kWriting, {kUploadOfImage}},
    {"ProbingOtherReplyNextPortOpens",
     [](SessionTest& t) { silentPortThenGoodPort(t); t.session.onReadButton(); }, kHelloTimer, kProbing,
     {"(01hello)"}},
    {"ProbingOtherReplyListExhausted",
     [](SessionTest& t) {
         t.catalog.setPorts({1, 2});
         t.session.onReadButton();
         t.elapse(timer::kHelloDelay);
     },
     kHelloTimer, kIdle, {}},
    {"ProbingWrite", [](SessionTest& t) { t.toProbing(false); }, kWrite, kProbing, {"(01hello)"}},
    {"ReadingWrite", [](SessionTest& t) { t.toReading(); }, kWrite,
     kProbingReadPending, {"(01hello)"}},
    {"WritingWrite", [](SessionTest& t) { t.toWriting(); }, kWrite,
     kProbingUploadPending, {"(01hello)"}},
    // Nothing is left open, so no earlier check may still act on it.
    {"ProbingWriteNoPortPresent", [](SessionTest& t) { t.toProbing(false); }, kWriteWithNoPort, kIdle, {}},
    {"ReadingWriteNoPortPresent", [](SessionTest& t) { t.toReading(); }, kWriteWithNoPort, kIdle, {}},
    {"WritingWriteNoPortOpens", [](SessionTest& t) { t.toWriting(); }, kWriteWithNoPortOpening, kIdle, {}},
    {"ReadingGoodReply", [](SessionTest& t) { t.toReading(); }, kReadTimer, kConnected, {}},
    {"ReadingWrongCount", [](SessionTest& t) { readWithQueryReply(t, "(01Q375" + hexOf(distinctImage(1)) + ")"); },
     kReadTimer, kIdleReplyRefused, {}},
    {"ReadingWrongPrefix", [](SessionTest& t) { readWithQueryReply(t, "(01R376" + hexOf(distinctImage(1)) + ")"); },
     kReadTimer, kIdleReplyRefused, {}},
    {"ReadingNoReply", [](SessionTest& t) { readWithQueryReply(t, ""); }, kReadTimer, kIdleReplyRefused, {}},
    {"WritingAck", [](SessionTest& t) { writeWithAck(t, "(01P376)"); }, kUploadTimer, kConnected, {}},
    {"WritingOtherReply", [](SessionTest& t) { writeWithAck(t, "(01P000)"); }, kUploadTimer, kConnectedNoAck, {}},
    {"WritingNoReply", [](SessionTest& t) { writeWithAck(t, ""); }, kUploadTimer, kConnectedNoAck, {}},
    {"ConnectedWrite", [](SessionTest& t) { t.toConnected(); }, kWrite, kConnected, {"(01S)"}},
    {"ConnectedMode", [](SessionTest& t) { t.toConnected(); },
     [](SessionTest& t) { t.session.onModeButton(); }, kConnected, {"(01O0)"}},
    {"ConnectedDisconnect", [](SessionTest& t) { t.toConnected(); },
     [](SessionTest& t) { t.session.onDisconnectButton(); }, kClosing, {"(01bye)"}},
    {"ClosingTimer", [](SessionTest& t) { t.toClosing(); },
     [](SessionTest& t) { t.elapse(timer::kCloseDelay); }, kIdleAfterClose, {}},
    {"ConnectedWindowDestroyed", [](SessionTest& t) { t.toConnected(); },
     [](SessionTest& t) { t.session.onWindowDestroyed(); }, kConnected, {"(01bye)"}},
    {"IdleWindowDestroyed", [](SessionTest&) {},
     [](SessionTest& t) { t.session.onWindowDestroyed(); }, kIdle, {}},
};

class SessionTransition : public SessionTest, public ::testing::WithParamInterface<Transition> {};

TEST_P(SessionTransition, ReachesTheStateAndSendsTheFrames)
{
    const Transition& row = GetParam();
    row.from(*this);
    const std::size_t before = port.sentTexts().size();
    row.event(*this);

    expectState(row.to);
    std::vector<std::string> expected = row.sent;
    for (std::string& text : expected) {
        if (text == kUploadOfImage)
            text = "(01P376" + hexOf(image) + ")";
    }
    EXPECT_EQ(sentSince(before), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, SessionTransition, ::testing::ValuesIn(kTransitions),
                         [](const ::testing::TestParamInfo<Transition>& info) { return info.param.name; });

}  // namespace
}  // namespace tonel::testing

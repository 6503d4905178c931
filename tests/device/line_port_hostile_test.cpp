// Peers that would hold the port's thread: floods of Telnet commands or raw bytes, and a name
// lookup that does not end. A close ends within the connect deadline and half a second whatever
// the peer does.

#include "device/detail/TcpTransport.h"
#include "tests/device/HostileServer.h"
#include "tests/device/LinePortFixture.h"

#include <cerrno>
#include <memory>
#include <netdb.h>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kConnect = 300ms;
constexpr auto kFloodFor = 4s;  // an old-style port that hangs gets free once the flood ends

// Closes the port and says how long it took.
std::chrono::milliseconds timeToClose(LinePort& port)
{
    const auto start = Clock::now();
    port.close();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

struct FloodCase {
    const char* name;
    std::string prefix;
    std::string pattern;
};
void PrintTo(const FloodCase& c, std::ostream* os) { *os << c.name; }

class TelnetFlood : public ::testing::TestWithParam<FloodCase> {};

// Telnet bytes decode to no data at all: the port must still look up from reading.
TEST_P(TelnetFlood, CloseEndsWhileOnlyCommandsArrive)
{
    HostileServer server(GetParam().prefix, GetParam().pattern, kFloodFor);
    ASSERT_TRUE(server.ok());
    RecordingListener listener;
    LinePort port(PortLimits{.connect = kConnect});
    ASSERT_TRUE(port.open(server.name("rfc2217"), LineSettings{}, listener).started());
    ASSERT_TRUE(server.waitForReceived(telnet::negotiation(telnet::kWill, telnet::kComPort), 2s)) << "never connected";
    ASSERT_TRUE(eventually([&] { return server.sent() > 1024 * 1024; }, 2s)) << "the port does not read";
    EXPECT_LT(timeToClose(port).count(), (kConnect + 500ms).count());
    EXPECT_EQ(listener.text(), "");
}

INSTANTIATE_TEST_SUITE_P(Floods, TelnetFlood,
                         ::testing::Values(FloodCase{"UnendingSubnegotiation", "\xff\xfa\x2c", "\x01"},
                                           FloodCase{"NoOperations", "", "\xff\xf1"}),
                         [](const auto& info) { return info.param.name; });

class DataFlood : public ::testing::TestWithParam<const char*> {};  // the scheme

// The purge before a send takes what is there, not a stream without end: the text still leaves.
TEST_P(DataFlood, ASendPurgesOnlyWhatIsThereAndTheCloseEnds)
{
    HostileServer server("", "x", kFloodFor);
    ASSERT_TRUE(server.ok());
    RecordingListener listener;
    LinePort port(PortLimits{.connect = kConnect});
    ASSERT_TRUE(port.open(server.name(GetParam()), LineSettings{}, listener).started());
    ASSERT_TRUE(listener.waitForText(64 * 1024));
    port.write("(01bye)");
    EXPECT_TRUE(server.waitForReceived("(01bye)", 1s)) << "the goodbye did not leave";
    EXPECT_LT(timeToClose(port).count(), (kConnect + 500ms).count());
}

INSTANTIATE_TEST_SUITE_P(Schemes, DataFlood, ::testing::Values("tcp", "rfc2217"));

// Answers the socket cannot take now wait, whole, or are dropped whole: a command is never cut.
TEST(TelnetAnswers, ABackedUpSocketNeverCutsACommand)
{
    const std::uint8_t kUnknownOption = 99;  // refused each time it is asked for
    HostileServer server("", telnet::negotiation(telnet::kDo, kUnknownOption), 1500ms, false);
    ASSERT_TRUE(server.ok());
    RecordingListener listener;
    LinePort port(PortLimits{.connect = kConnect});
    ASSERT_TRUE(port.open(server.name("rfc2217"), LineSettings{}, listener).started());
    ASSERT_TRUE(eventually([&] { return server.floodOver(); }));
    port.write("(01hello)");  // goes behind whatever answers still wait
    ASSERT_TRUE(server.waitForReceived("(01hello)", 5s));
    port.close();
    std::string answers = server.receivedWhenClosed(5s);
    answers.resize(answers.find("(01hello)"));
    ASSERT_GT(answers.size(), 64u * 1024) << "the answers did not back up";
    EXPECT_EQ(answers.size() % 3, 0u);
    for (std::size_t i = 0; i + 3 <= answers.size(); i += 3) {
        const auto verb = static_cast<std::uint8_t>(answers[i + 1]);
        ASSERT_TRUE(static_cast<std::uint8_t>(answers[i]) == telnet::kIac && verb >= telnet::kWill)
            << "a command cut at byte " << i;
    }
}

// A resolver that answers only when the test lets it (or after ten seconds, so that a port which
// waits for it fails the test instead of hanging it), like a name server that does not reply.
class HeldResolver {
public:
    ~HeldResolver() { release(); }
    void release()
    {
        std::lock_guard lock(gate_->mutex);
        gate_->open = true;
        gate_->opened.notify_all();
    }
    detail::Resolver resolver() const
    {
        return [gate = gate_](const std::string&, const std::string&, addrinfo**) {
            std::unique_lock lock(gate->mutex);
            gate->opened.wait_for(lock, 10s, [&] { return gate->open; });
            return EAI_NONAME;
        };
    }

private:
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
    };
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};

LinePort portResolvingWith(detail::Resolver resolver)
{
    return LinePort(PortLimits{.connect = kConnect}, [resolver](const std::string&, PortError&) {
        return std::make_unique<detail::TcpTransport>("processor.example", "4001", false, resolver);
    });
}

TEST(NameLookup, EndsAtTheConnectDeadline)
{
    HeldResolver held;
    RecordingListener listener;
    LinePort port = portResolvingWith(held.resolver());
    const auto start = Clock::now();
    ASSERT_EQ(port.open("tcp://processor.example:4001", LineSettings{}, listener).state, OpenResult::State::Connecting);
    ASSERT_TRUE(listener.waitForReports(1, kConnect + 2s));
    EXPECT_LT(Clock::now() - start, kConnect + 500ms);
    const PortError error = listener.errors()[0];
    EXPECT_EQ(error.fault, LineFault::LookupTimedOut);
    EXPECT_TRUE(error.whileOpening);
    EXPECT_EQ(describeLineFault(error), "name lookup timed out");
    EXPECT_LT(timeToClose(port).count(), 500);
}

TEST(NameLookup, CloseDoesNotWaitForIt)
{
    HeldResolver held;
    RecordingListener listener;
    LinePort port = portResolvingWith(held.resolver());
    ASSERT_TRUE(port.open("tcp://processor.example:4001", LineSettings{}, listener).started());
    EXPECT_LT(timeToClose(port).count(), 500);
    EXPECT_TRUE(listener.errors().empty());
}

struct LookupCase {
    const char* name;
    int code;
    LineFault fault;
    const char* words;
};

class LookupFailure : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupFailure, HasItsOwnKindAndWords)
{
    RecordingListener listener;
    const int code = GetParam().code;
    LinePort port = portResolvingWith([code](const std::string&, const std::string&, addrinfo**) { return code; });
    ASSERT_TRUE(port.open("tcp://processor.example:4001", LineSettings{}, listener).started());
    ASSERT_TRUE(listener.waitForReports(1));
    const PortError error = listener.errors()[0];
    EXPECT_EQ(error.fault, GetParam().fault);
    EXPECT_EQ(error.operation, "getaddrinfo()");
    EXPECT_EQ(describeLineFault(error), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LookupFailure,
    ::testing::Values(LookupCase{"NoSuchName", EAI_NONAME, LineFault::UnknownHost, "unknown host (check the name)"},
                      LookupCase{"TryAgain", EAI_AGAIN, LineFault::LookupFailed,
                                 "name lookup failed (the name servers did not answer)"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tonel::testing

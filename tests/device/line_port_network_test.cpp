// A line behind a serial device server: raw TCP and Telnet with the COM-PORT option against the
// virtual processor's TCP port; connects that fail are reported like failed opens, and a server
// that goes away is a line that is gone.

#include "emulator/VirtualProcessor.h"
#include "tests/device/LinePortFixture.h"
#include "tests/support/Ser2netRig.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;

class NetworkLine : public ::testing::TestWithParam<bool> {  // with the COM-PORT option or raw
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(processor_.listen("127.0.0.1:0", GetParam(), &error)) << error;
    }
    emulator::VirtualProcessor processor_;
    RecordingListener listener_;
    LinePort port_;
};

TEST_P(NetworkLine, GreetsTheDeviceAndNoticesTheServerGoing)
{
    const std::string name = processor_.terminalPath();
    EXPECT_TRUE(name.starts_with(GetParam() ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:")) << name;
    EXPECT_EQ(port_.open(name, LineSettings{}, listener_).state, OpenResult::State::Connecting);
    port_.write("(01hello)");  // waits for the connection
    ASSERT_TRUE(listener_.waitForText(11));
    EXPECT_EQ(listener_.text(), "(01hello13)");
    if (GetParam()) {
        EXPECT_TRUE(processor_.waitForComPortLine(
            emulator::ComPortLine{38400, 8, telnet::parity::kNone, telnet::stopsize::kOne,
                                  telnet::control::kNoFlowControl, telnet::control::kRtsOn, 0},
            5s));
    }
    port_.write("(01$005000020)");
    ASSERT_TRUE(processor_.waitForReceived(2, 5s));
    EXPECT_EQ(processor_.receivedFrames().back(), "(01$005000020)");

    processor_.stop();
    ASSERT_TRUE(listener_.waitForGone());
    EXPECT_EQ(listener_.gone(), std::vector<std::string>{name});
    EXPECT_FALSE(port_.isOpen());
    ASSERT_EQ(listener_.errors().size(), 1u);
    EXPECT_EQ(listener_.errors()[0].fault, LineFault::ClosedByServer);
    EXPECT_EQ(listener_.reports()[0], "WARNING:  read() Failed with the following error: \n"
                                      "the device server closed the connection\nPort: " + name + "\n");
    port_.close();
}

INSTANTIATE_TEST_SUITE_P(Protocols, NetworkLine, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rfc2217" : "RawTcp"; });

TEST(NetworkConnect, RefusedIsAFailedOpenAndNeverBlocksTheCaller)
{
    RecordingListener listener;
    LinePort port;
    const std::string name = "tcp://127.0.0.1:" + std::to_string(freeLoopbackPort());
    const auto start = Clock::now();
    EXPECT_EQ(port.open(name, LineSettings{}, listener).state, OpenResult::State::Connecting);
    EXPECT_LT(Clock::now() - start, 200ms);
    port.write("(01hello)");  // dropped with the connection
    ASSERT_TRUE(listener.waitForReports(1));
    const PortError error = listener.errors()[0];
    EXPECT_EQ(error.operation, "connect()");
    EXPECT_EQ(error.error, ECONNREFUSED);
    EXPECT_EQ(error.fault, LineFault::Refused);
    EXPECT_EQ(error.port, name);
    EXPECT_TRUE(error.whileOpening);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(listener.gone().empty());
}

// A loopback listener that never accepts, its backlog taken: a further SYN goes unanswered.
class FullListener {
public:
    FullListener()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(server_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(server_, 0) != 0 ||
            ::getsockname(server_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        number_ = ntohs(address.sin_port);
        for (int& filler : fillers_) {
            filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), size);  // in progress, or done
        }
    }
    ~FullListener()
    {
        for (int fd : fillers_)
            ::close(fd);
        ::close(server_);
    }
    std::string name() const { return "tcp://127.0.0.1:" + std::to_string(number_); }
    // Connects to this listener whose SYN waits unanswered (SYN_SENT in the kernel's socket table).
    int pendingConnects() const
    {
        std::ifstream table("/proc/net/tcp");
        char remote[16];
        std::snprintf(remote, sizeof remote, ":%04X 02 ", number_);  // the remote port, state SYN_SENT
        int count = 0;
        for (std::string line; std::getline(table, line);)
            count += line.find(remote) != std::string::npos ? 1 : 0;
        return count;
    }
    bool ok() const { return number_ != 0; }

private:
    int server_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int fillers_[2] = {-1, -1};
    std::uint16_t number_ = 0;
};

TEST(NetworkConnect, UnansweredConnectEndsAtTheDeadline)
{
    FullListener server;
    ASSERT_TRUE(server.ok());
    RecordingListener listener;
    LinePort port(PortLimits{.connect = 300ms});
    const auto start = Clock::now();
    ASSERT_TRUE(port.open(server.name(), LineSettings{}, listener).started());
    ASSERT_TRUE(listener.waitForReports(1));
    const auto waited = Clock::now() - start;
    EXPECT_EQ(listener.errors()[0].error, ETIMEDOUT);
    EXPECT_EQ(describeLineFault(listener.errors()[0]), "no connection (timed out)");
    EXPECT_GE(waited, 290ms);
    EXPECT_LT(waited, 2s);
}

TEST(NetworkConnect, ClosingWhileConnectingReturnsAtOnceWithoutANotice)
{
    FullListener server;
    ASSERT_TRUE(server.ok());
    RecordingListener listener;
    LinePort port;
    const int before = server.pendingConnects();
    ASSERT_TRUE(port.open(server.name(), LineSettings{}, listener).started());
    ASSERT_TRUE(eventually([&] { return server.pendingConnects() > before; })) << "the connect did not begin";
    const auto start = Clock::now();
    port.close();
    EXPECT_LT(Clock::now() - start, 500ms);
    EXPECT_TRUE(listener.reports().empty());
}

}  // namespace
}  // namespace tonel::testing

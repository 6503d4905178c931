// The virtual processor on the network: one TCP client at a time, the Telnet COM-PORT line set by
// a client, replies at the real line's pace, and the processor behind a real ser2net.

#include "device/detail/TelnetComPort.h"
#include "device/WireProtocol.h"
#include "emulator/VirtualProcessor.h"
#include "tests/device/EmulatorProgram.h"
#include "tests/support/Pty.h"
#include "tests/support/Ser2netRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::testing {
namespace {

using emulator::ComPortLine;
using emulator::DeviceFaults;
using emulator::VirtualProcessor;
using Clock = std::chrono::steady_clock;
namespace telnet = tonel::telnet;

// Plays the client of a COM-PORT connection until `done` holds: answers the server and collects
// the line's data. False when the server fell silent for 5 s or closed.
bool driveComPort(telnet::ComPortClient& client, TerminalEnd& socket, std::string& data,
                  const std::function<bool()>& done)
{
    while (!done()) {
        std::string chunk = socket.readCount(1);  // waits for the first byte
        chunk += socket.readAvailable();
        if (chunk.empty())
            return false;
        const std::string answer = client.receive(chunk, data);
        if (!answer.empty() && !socket.writeAll(answer))
            return false;
    }
    return true;
}

// A loopback client with a small receive window, so that its unread replies soon fill the line.
TerminalEnd connectNarrow(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const int size = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    pollfd connected{fd, POLLOUT, 0};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        (errno != EINPROGRESS || ::poll(&connected, 1, 5000) != 1)) {
        ::close(fd);
        return TerminalEnd();
    }
    return TerminalEnd(fd);
}

// The drop notices, as a program would log them.
struct Notices {
    void operator()(const std::string& notice)
    {
        std::lock_guard lock(mutex);
        list.push_back(notice);
    }
    std::vector<std::string> taken()
    {
        std::lock_guard lock(mutex);
        return list;
    }
    std::mutex mutex;
    std::vector<std::string> list;
};

TEST(EmulatorNetwork, AClientThatTakesNoRepliesIsDroppedForTheNext)
{
    VirtualProcessor processor;
    Notices notices;
    processor.setNoticeObserver(std::ref(notices));
    ASSERT_TRUE(processor.listen("127.0.0.1:0", false));
    TerminalEnd hog = connectNarrow(processor.listeningPort());
    ASSERT_TRUE(hog.valid());
    // Queries until the emulator stops reading them: it is stuck sending replies nobody takes.
    std::string queries;
    for (int i = 0; i < 1000; ++i)
        queries += "(01Q)";
    const auto deadline = Clock::now() + 10s;
    for (pollfd writable{hog.fd(), POLLOUT, 0}; Clock::now() < deadline;) {
        if (::write(hog.fd(), queries.data(), queries.size()) < 0 && ::poll(&writable, 1, 500) == 0)
            break;
    }
    ASSERT_LT(Clock::now(), deadline) << "the emulator kept reading";

    TerminalEnd next = connectLoopback(processor.listeningPort());
    ASSERT_TRUE(next.writeAll("(01hello)"));
    EXPECT_EQ(next.readUntil(")", 10s), "(01hello13)");
    EXPECT_EQ(notices.taken(), std::vector<std::string>{"client took no output for 2 s: dropped"});
}

TEST(EmulatorNetwork, AnIdleClientIsDroppedForTheNext)
{
    VirtualProcessor processor;
    Notices notices;
    processor.setNoticeObserver(std::ref(notices));
    processor.setIdleTimeout(200ms);
    ASSERT_TRUE(processor.listen("127.0.0.1:0", false));
    TerminalEnd idle = connectLoopback(processor.listeningPort());
    ASSERT_TRUE(idle.writeAll("(01hello)"));
    EXPECT_EQ(idle.readUntil(")"), "(01hello13)");

    TerminalEnd next = connectLoopback(processor.listeningPort());
    ASSERT_TRUE(next.writeAll("(01hello)"));
    EXPECT_EQ(next.readUntil(")"), "(01hello13)");
    EXPECT_EQ(idle.readCount(1), "") << "its connection closed";
    EXPECT_EQ(notices.taken(), std::vector<std::string>{"client sent nothing for 200 ms: dropped"});
}

TEST(EmulatorNetwork, ServesOneClientAtATimeAndComesBackOnItsPort)
{
    DeviceFaults faults;
    faults.trailing = "\r";  // the fault options work on any line
    VirtualProcessor processor(faults);
    std::string error;
    ASSERT_TRUE(processor.listen("127.0.0.1:0", false, &error)) << error;
    const std::uint16_t port = processor.listeningPort();
    EXPECT_EQ(processor.terminalPath(), "tcp://127.0.0.1:" + std::to_string(port));

    TerminalEnd first = connectLoopback(port);
    TerminalEnd second = connectLoopback(port);  // waits until the first one leaves
    ASSERT_TRUE(first.valid() && second.valid());
    ASSERT_TRUE(second.writeAll("(01hello)"));
    ASSERT_TRUE(first.writeAll("(01hello)"));
    EXPECT_EQ(first.readUntil("\r"), "(01hello13)\r");
    EXPECT_EQ(second.readAvailable(), "");
    first.close();
    EXPECT_EQ(second.readUntil("\r"), "(01hello13)\r");
    EXPECT_EQ(processor.receivedFrames().size(), 2u);

    processor.stop();
    EXPECT_EQ(second.readCount(1), "") << "the server went away: its client's connection closed";
    ASSERT_TRUE(processor.listen("127.0.0.1:" + std::to_string(port), false, &error)) << error;
    TerminalEnd third = connectLoopback(port);
    ASSERT_TRUE(third.writeAll("(01hello)"));
    EXPECT_EQ(third.readUntil("\r"), "(01hello13)\r");
    EXPECT_FALSE(VirtualProcessor().listen("127.0.0.1:" + std::to_string(port), false, &error)) << "in use";
    EXPECT_FALSE(error.empty());
}

TEST(EmulatorNetwork, ComPortClientSetsTheWholeLineThenTalks)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.listen("127.0.0.1:0", true));
    EXPECT_TRUE(processor.terminalPath().starts_with("rfc2217://127.0.0.1:")) << processor.terminalPath();
    TerminalEnd socket = connectLoopback(processor.listeningPort());
    telnet::ComPortClient client;
    ASSERT_TRUE(socket.writeAll(client.opening()));
    std::string data;
    ASSERT_TRUE(driveComPort(client, socket, data, [&] { return client.lineConfirmed(); }));
    const ComPortLine expected{38400, 8, telnet::parity::kNone, telnet::stopsize::kOne,
                               telnet::control::kNoFlowControl, telnet::control::kRtsOn, 0};
    EXPECT_TRUE(processor.waitForComPortLine(expected, 5s));

    ASSERT_TRUE(socket.writeAll(telnet::ComPortClient::encode("(01hello)(01Q)")));
    ASSERT_TRUE(driveComPort(client, socket, data, [&] { return data.size() >= 11 + 384; }));
    EXPECT_EQ(data, "(01hello13)(01Q376" + wire::encodeImageHex(ParameterImage{}) + ")");
}

TEST(EmulatorNetwork, PacedRepliesTakeTheRealLinesTimeOnTcpAndTerminals)
{
    for (const bool tcp : {true, false}) {
        VirtualProcessor processor;
        processor.setPaced(true);
        ASSERT_TRUE(tcp ? processor.listen("127.0.0.1:0", false) : processor.start());
        TerminalEnd line = tcp ? connectLoopback(processor.listeningPort()) : openRawTerminal(processor.terminalPath());
        const auto start = Clock::now();
        ASSERT_TRUE(line.writeAll("(01Q)"));
        EXPECT_EQ(line.readCount(384).size(), 384u) << tcp;
        const auto took = Clock::now() - start;
        EXPECT_GE(took, 100ms) << "384 characters at 3,840 a second";
        EXPECT_LT(took, 2s);
    }
}

TEST(EmulatorNetwork, TheProgramNamesItsPortFirst)
{
    EmulatorChild program({"--listen", "127.0.0.1:0", "--rfc2217", "--pace"});
    ASSERT_TRUE(program.started()) << emulatorProgram();
    const std::string name = program.lineName();
    ASSERT_TRUE(name.starts_with("rfc2217://127.0.0.1:")) << name;
    const auto port = static_cast<std::uint16_t>(std::stoi(name.substr(name.rfind(':') + 1)));
    TerminalEnd socket = connectLoopback(port);
    telnet::ComPortClient client;
    ASSERT_TRUE(socket.writeAll(client.opening() + telnet::ComPortClient::encode("(01hello)")));
    std::string data;
    ASSERT_TRUE(driveComPort(client, socket, data, [&] { return data.ends_with(")"); }));
    EXPECT_EQ(data, "(01hello13)");
    EXPECT_EQ(program.output().readUntil("13)\n"), "< (01hello)\n> (01hello13)\n");
    EXPECT_TRUE(program.stop());
}

TEST(EmulatorNetwork, TheProgramLogsADroppedClient)
{
    EmulatorChild program({"--listen", "127.0.0.1:0", "--idle-timeout", "1"});
    ASSERT_TRUE(program.started()) << emulatorProgram();
    const std::string name = program.lineName();
    ASSERT_TRUE(name.starts_with("tcp://127.0.0.1:")) << name;
    TerminalEnd idle = connectLoopback(static_cast<std::uint16_t>(std::stoi(name.substr(name.rfind(':') + 1))));
    ASSERT_TRUE(idle.valid());
    EXPECT_EQ(program.output().readUntil("\n"), "! client sent nothing for 1 s: dropped\n");
    EXPECT_EQ(idle.readCount(1), "");
    EXPECT_TRUE(program.stop());
}

TEST(EmulatorProgram, HelpNamesEveryOptionAndEndsWell)
{
    EmulatorChild program({"--help"});
    ASSERT_TRUE(program.started()) << emulatorProgram();
    const std::string help = program.output().readUntil("after every reply\n");
    for (const char* option : {"--image", "--device", "--listen", "--rfc2217", "--idle-timeout", "--pace",
                               "--hello-reply", "--ack-reply", "--q-count", "--q-truncate", "--silent",
                               "--reply-delay-ms", "--trailing", "! WHY"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_TRUE(program.endedWithSuccess());
}

TEST(EmulatorBehindSer2net, GreetsThroughARawTcpPortAndAfterTheServerCameBack)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.start());
    Ser2netRig server(processor.terminalPath(), Ser2netRig::Protocol::RawTcp);
    ASSERT_TRUE(server.ok()) << server.error();
    EXPECT_EQ(server.portName(), "tcp://127.0.0.1:" + std::to_string(server.port()));
    TerminalEnd socket = connectLoopback(server.port());
    ASSERT_TRUE(socket.writeAll("(01hello)"));
    EXPECT_EQ(socket.readUntil(")"), "(01hello13)");

    server.stop();
    EXPECT_EQ(socket.readCount(1), "");
    ASSERT_TRUE(server.restart()) << server.error();
    socket = connectLoopback(server.port());
    ASSERT_TRUE(socket.writeAll("(01Q)"));
    EXPECT_EQ(socket.readCount(384), "(01Q376" + wire::encodeImageHex(ParameterImage{}) + ")");
}

TEST(EmulatorBehindSer2net, ComPortClientSetsTheLineThroughIt)
{
    VirtualProcessor processor;
    ASSERT_TRUE(processor.start());
    Ser2netRig server(processor.terminalPath(), Ser2netRig::Protocol::Rfc2217);
    ASSERT_TRUE(server.ok()) << server.error();
    TerminalEnd socket = connectLoopback(server.port());
    telnet::ComPortClient client;
    ASSERT_TRUE(socket.writeAll(client.opening()));
    std::string data;
    ASSERT_TRUE(driveComPort(client, socket, data, [&] { return client.lineConfirmed(); }));
    ASSERT_TRUE(socket.writeAll(telnet::ComPortClient::encode("(01hello)")));
    ASSERT_TRUE(driveComPort(client, socket, data, [&] { return data.ends_with(")"); }));
    EXPECT_EQ(data, "(01hello13)");
}

}  // namespace
}  // namespace tonel::testing

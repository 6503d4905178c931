// Software latency of the port: from LinePort::write of a 14-character parameter command to its
// last byte read on the other side — of a pseudo-terminal, and of a TCP connection on loopback
// (a serial device server's line). Counters give the median and the 99th percentile over all
// iterations, in microseconds.

#include "bench/Percentile.h"
#include "device/LinePort.h"
#include "emulator/Terminal.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace tonel;
using Clock = std::chrono::steady_clock;

class NullListener : public LineListener {
public:
    void bytesArrived(std::string_view) override {}
    void lineGone(const std::string&) override {}
    void portError(const PortError&) override {}
};

bool readCount(int fd, std::size_t count)
{
    char buffer[64];
    for (std::size_t got = 0; got < count;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0)
            return false;
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            got += static_cast<std::size_t>(n);
    }
    return true;
}

using tonel::bench::percentile;

// Writes the command through `port` until the state ends, timing each until `otherEnd` read it all.
void measure(benchmark::State& state, LinePort& port, int otherEnd)
{
    const std::string command = "(01$005000039)";
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        port.write(command);
        if (!readCount(otherEnd, command.size())) {
            state.SkipWithError("command did not arrive");
            break;
        }
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p99_us"] = percentile(micros, 0.99);
}

void BM_WriteToLastByteRead(benchmark::State& state)
{
    emulator::TerminalEnds ends;
    if (!emulator::openRawPseudoTerminal(ends)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    NullListener listener;
    LinePort port;
    if (!port.open(ends.path, LineSettings{}, listener).started()) {
        state.SkipWithError("port did not open");
        return;
    }
    measure(state, port, ends.device);
    port.close();
    emulator::closeTerminal(ends);
}

// A loopback listener on a free port; -1 when none can be made.
int listenOnLoopback(int& portNumber)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    portNumber = ntohs(address.sin_port);
    return fd;
}

void BM_WriteToLastByteReadOverTcp(benchmark::State& state)
{
    int portNumber = 0;
    const int server = listenOnLoopback(portNumber);
    if (server < 0) {
        state.SkipWithError("no loopback listener");
        return;
    }
    NullListener listener;
    LinePort port;
    const bool started = port.open("tcp://127.0.0.1:" + std::to_string(portNumber), LineSettings{}, listener).started();
    const int peer = started ? ::accept(server, nullptr, nullptr) : -1;
    if (peer < 0) {
        state.SkipWithError("no connection");
    } else {
        measure(state, port, peer);
        port.close();
        ::close(peer);
    }
    ::close(server);
}

BENCHMARK(BM_WriteToLastByteRead)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_WriteToLastByteReadOverTcp)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();

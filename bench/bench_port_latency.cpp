// Software latency of the serial port: from CCommPort::write of a 14-character parameter command
// to its last byte read on the other side of a pseudo-terminal. Counters give the median and the
// 99th percentile over all iterations, in microseconds.

#include "device/CCommPort.h"
#include "device/PortCatalog.h"
#include "emulator/Terminal.h"

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

class NullOwner : public PortOwner {
public:
    void portNotification(PortEvent, std::uint8_t, int) override {}
    void portErrorReport(const std::string&) override {}
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

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

void BM_WriteToLastByteRead(benchmark::State& state)
{
    emulator::TerminalEnds ends;
    if (!emulator::openRawPseudoTerminal(ends)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ExplicitPortCatalog catalog({ends.path});
    NullOwner owner;
    CCommPort port(catalog);
    if (!port.open(&owner, 1, 38400, 'N', 8, 1, 0x1FD, 1024) || !port.startMonitoring()) {
        state.SkipWithError("port did not open");
        return;
    }
    const std::string command = "(01$005000039)";
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        port.write(command);
        if (!readCount(ends.device, command.size())) {
            state.SkipWithError("command did not arrive");
            break;
        }
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p99_us"] = percentile(micros, 0.99);
    emulator::closeTerminal(ends);
}

BENCHMARK(BM_WriteToLastByteRead)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();

// tonelctl read against virtual processors that answer at the real line's pace: the time of one
// read and of 32 reads at once, beside the wire's own time for the exchange.

#include "emulator/VirtualProcessor.h"
#include "tools/tonelctl/CommandLine.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

using tonel::emulator::VirtualProcessor;

// "(01hello)" and "(01Q)" out, "(01hello13)" and the 384-character image back, at 3,840 characters/s.
constexpr double kWireCharacters = 9 + 5 + 11 + 384;
constexpr double kWireSeconds = kWireCharacters / VirtualProcessor::kLineCharactersPerSecond;

// range(0) processors, on pseudo-terminals (range(1) 0) or on TCP ports of this machine (1).
void readPaced(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool network = state.range(1) != 0;
    std::vector<std::unique_ptr<VirtualProcessor>> processors;
    std::vector<std::string> args{"read"};
    for (std::size_t i = 0; i < count; ++i) {
        processors.push_back(std::make_unique<VirtualProcessor>());
        processors.back()->setPaced(true);
        if (!(network ? processors.back()->listen("127.0.0.1:0", false) : processors.back()->start())) {
            state.SkipWithError("no line for the processor");
            return;
        }
        args.insert(args.end(), {"--port", processors.back()->terminalPath()});
    }
    const auto folder = std::filesystem::temp_directory_path() / ("bench-tonelctl-" + std::to_string(count));
    std::filesystem::remove_all(folder);
    args.insert(args.end(), {"-o", (count == 1 ? folder.string() + ".cfg" : folder.string())});
    for (auto _ : state) {
        std::ostringstream out, err;
        if (tonel::ctl::runTonelctl(args, out, err) != 0)
            state.SkipWithError(err.str().c_str());
    }
    state.counters["wire_ms"] = kWireSeconds * 1000;
    std::filesystem::remove_all(folder);
    std::filesystem::remove(folder.string() + ".cfg");
}
BENCHMARK(readPaced)->ArgsProduct({{1, 32}, {0, 1}})->ArgNames({"ports", "tcp"})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();

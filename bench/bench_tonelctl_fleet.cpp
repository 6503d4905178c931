// A whole `tonelctl read --all -o DIR/` process against a fleet of 1, 8, 16 and 32 virtual processors
// that answer at the real line's pace on TCP: from the start of the process to its exit, so the
// program's own start, the fleet file and the folder of NAME.cfg files are all in the figure.

#include "emulator/VirtualProcessor.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using tonel::emulator::VirtualProcessor;

std::string tonelctlProgram()
{
    if (const char* buildDir = std::getenv("TONEL_BUILD_DIR"))
        return std::string(buildDir) + "/tools/tonelctl/tonelctl";
    const auto bench = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return (bench.parent_path() / "tools/tonelctl/tonelctl").string();
}

// Runs the program to its end with its output thrown away; its exit status, or -1. The child only
// calls what is safe after a fork in a process with threads (the processors' own).
int runQuietly(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void readWholeFleet(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path() / ("bench-fleet-" + std::to_string(count));
    const std::string fleet = folder.string() + ".fleet";
    std::vector<std::unique_ptr<VirtualProcessor>> processors;
    std::ofstream file(fleet);
    for (std::size_t i = 0; i < count; ++i) {
        processors.push_back(std::make_unique<VirtualProcessor>());
        processors.back()->setPaced(true);
        if (!processors.back()->listen("127.0.0.1:0", false)) {
            state.SkipWithError("no line for the processor");
            return;
        }
        file << "room" << (i + 1 < 10 ? "0" : "") << i + 1 << ' ' << processors.back()->terminalPath() << '\n';
    }
    file.close();
    ::setenv("TONEL_FLEET", fleet.c_str(), 1);
    const std::string program = tonelctlProgram();
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        if (runQuietly({program, "read", "--all", "-o", folder.string() + "/"}) != 0)
            state.SkipWithError("tonelctl read --all failed");
    }
    if (std::filesystem::exists(folder / "room01.cfg"))
        state.counters["files"] = static_cast<double>(
            std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    std::filesystem::remove_all(folder);
    std::filesystem::remove(fleet);
}
BENCHMARK(readWholeFleet)
    ->ArgName("processors")
    ->Arg(1)->Arg(8)->Arg(16)->Arg(32)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

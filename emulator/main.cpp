// tonel-emulator: the virtual processor as a program. Without --device it makes a pseudo-terminal
// and prints its path alone on the first line (with --listen: the port's name, "tcp://HOST:PORT"
// or "rfc2217://HOST:PORT"); then "< FRAME" for every frame received, "> FRAME" for every
// reply and "! WHY" for every client it drops, until SIGINT or SIGTERM.

#include "emulator/CommandLine.h"
#include "emulator/VirtualProcessor.h"
#include "model/ParameterFile.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tonel;
using namespace tonel::emulator;

bool loadImage(const std::string& path, ImageBytes& bytes)
{
    ParameterImage image;
    const FileResult result = loadParameterFile(path, image);
    if (!result.ok()) {
        std::fprintf(stderr, "tonel-emulator: cannot load %s: %s\n", path.c_str(),
                     result.reason.empty() ? "not a 188-byte parameter file" : result.reason.c_str());
        return false;
    }
    bytes = image.bytes();
    return true;
}

void printFrame(const FrameRecord& entry)
{
    const char* arrow = entry.direction == FrameRecord::Direction::Received ? "<" : ">";
    std::printf("%s %s\n", arrow, printable(entry.text).c_str());
    std::fflush(stdout);
}

void printNotice(const std::string& notice)
{
    std::printf("! %s\n", notice.c_str());
    std::fflush(stdout);
}

int waitForSignal(sigset_t& signals)
{
    int signal = 0;
    sigwait(&signals, &signal);
    return signal;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLineResult parsed = parseCommandLine(args);
    if (parsed.helpRequested) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "tonel-emulator: %s\nRun with --help for the options.\n", parsed.error.c_str());
        return 2;
    }
    const EmulatorOptions& options = *parsed.options;
    ImageBytes initial = defaultImageBytes();
    if (!options.imagePath.empty() && !loadImage(options.imagePath, initial))
        return 1;

    // Block the stop signals before any thread starts, so only sigwait() receives them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    VirtualProcessor processor(options.faults, initial);
    processor.setObserver(printFrame);
    processor.setNoticeObserver(printNotice);
    processor.setIdleTimeout(options.idleTimeout);
    processor.setPaced(options.paced);
    const bool useDevice = !options.devicePath.empty();
    std::string error;
    if (!options.listenAddress.empty()) {
        if (!processor.listen(options.listenAddress, options.rfc2217, &error)) {
            std::fprintf(stderr, "tonel-emulator: cannot listen on %s: %s\n", options.listenAddress.c_str(),
                         error.c_str());
            return 1;
        }
    } else if (!(useDevice ? processor.attach(options.devicePath) : processor.start())) {
        std::fprintf(stderr, "tonel-emulator: cannot open %s\n",
                     useDevice ? options.devicePath.c_str() : "a pseudo-terminal");
        return 1;
    }
    if (!useDevice) {
        std::printf("%s\n", processor.terminalPath().c_str());
        std::fflush(stdout);
    }
    waitForSignal(signals);
    processor.stop();
    return 0;
}

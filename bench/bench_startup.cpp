// One run of the program on its virtual processor: milliseconds from process start to the first
// paint of the main window, then the peak resident memory after a read session.
// bench/run_benchmarks.sh runs it several times and takes the medians.
#include "app/DemoRun.h"
#include "app/MainView.h"
#include "device/DeviceSession.h"
#include "tests/support/ProcessMemory.h"

#include <QApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (its start time in /proc/self/stat).
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (now.tv_sec + now.tv_nsec / 1e9) * 1000.0 - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct FirstPaint : QObject {
    double at = -1;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            at = msSinceProcessStart();
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    using namespace std::chrono_literals;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    tonel::Application app;
    FirstPaint paint;
    if (!tonel::startDemo(app))
        return 1;
    app.mainWindow()->view().installEventFilter(&paint);
    tonel::runEventsUntil([&paint] { return paint.at >= 0; }, 5s);

    const bool connected = tonel::readDevice(app, 10s);
    std::printf("first_paint_ms %.1f\npeak_rss_kib %ld\nconnected %d\n", paint.at,
                tonel::testing::processMemoryKiB("VmHWM"), connected ? 1 : 0);
    return 0;
}

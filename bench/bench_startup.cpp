// One run of the program on its virtual processor: milliseconds from process start to the first
// paint of the main window, then the peak resident memory after a read session.
// bench/run_benchmarks.sh runs it several times and takes the medians.
#include "app/Application.h"
#include "app/MainView.h"
#include "device/DeviceSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
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

long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
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
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    tonel::Application app;
    tonel::TonelOptions options;
    options.demo = true;
    QString error;
    FirstPaint paint;
    if (!app.start(options, &error))
        return 1;
    app.mainFrame()->view().installEventFilter(&paint);
    QElapsedTimer clock;
    clock.start();
    while (paint.at < 0 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);

    app.mainFrame()->view().button(tonel::res::view::ReadButton)->click();
    while (!app.mainFrame()->view().session().connected() && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("first_paint_ms %.1f\npeak_rss_kib %ld\nconnected %d\n", paint.at, peakResidentKiB(),
                app.mainFrame()->view().session().connected() ? 1 : 0);
    return 0;
}

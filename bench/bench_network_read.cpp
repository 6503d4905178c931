// The read button against a virtual processor that answers at the real line's pace (3,840
// characters a second: the 384-character image takes 100 ms): milliseconds from the press to the
// panel showing the device's image (the open-file button disabled, as a good read leaves it), on
// a pseudo-terminal and over TCP loopback, raw and with the Telnet COM-PORT option. The session
// waits out its timers (280 ms for the hello reply, then 400 ms for the image), so 680 ms is the
// floor.
// A line named instead (a tty path, tcp://HOST:PORT, rfc2217://HOST:PORT) is measured as it is:
// a real processor, or the virtual one behind ser2net.
//   bench_network_read [pty|tcp|rfc2217|PORT-NAME]... [--runs N]
#include "app/Application.h"
#include "app/MessageBoxes.h"
#include "emulator/VirtualProcessor.h"
#include "res/ViewControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tonel;

// A failed read must not stop the run with a modal box: say it and go on.
class PrintedMessages : public MessageBoxes {
public:
    void show(const QString& text, const QString& caption, MessageIcon) override
    {
        std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(caption), qPrintable(text));
    }
};

QAbstractButton* button(Application& app, int id)
{
    return app.mainWindow()->findChild<QAbstractButton*>(QString::number(id));
}

// Runs the event loop until `done` holds or `limitMs` passed; the elapsed milliseconds, or -1.
// It sleeps between events (no spinning: the virtual processor's thread shares the CPUs); a
// ticker makes sure the deadline is seen.
template <typename Done>
double waitFor(Done done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer ticker;
    ticker.start(50);
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return -1;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The port name to read: a paced virtual processor on the named kind of line, or `line` itself.
std::string startDevice(emulator::VirtualProcessor& device, const std::string& line)
{
    device.setPaced(true);
    if (line == "pty")
        return device.start() ? device.terminalPath() : std::string{};
    if (line == "tcp" || line == "rfc2217")
        return device.listen("127.0.0.1:0", line == "rfc2217") ? device.terminalPath() : std::string{};
    return line;
}

// The read times of `runs` sessions, each ended with the disconnect button; empty on a failure.
std::vector<double> measure(const std::string& transport, int runs)
{
    emulator::VirtualProcessor device;
    const std::string port = startDevice(device, transport);
    if (port.empty())
        return {};
    PrintedMessages messages;
    Application app(&messages);
    TonelOptions options;
    options.ports = {port};
    QString error;
    if (!app.start(options, &error))
        return {};
    QAbstractButton* openFile = button(app, res::view::OpenFileButton);
    QAbstractButton* read = button(app, res::view::ReadButton);
    QAbstractButton* disconnect = button(app, res::view::DisconnectButton);
    if (!openFile || !read || !disconnect) {
        std::fprintf(stderr, "a button is missing\n");
        return {};
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        // The previous session closed (280 ms after the disconnect press).
        if (waitFor([&] { return read->isEnabled() && openFile->isEnabled(); }, 5000) < 0)
            return {};
        read->click();
        const double ms = waitFor([&] { return disconnect->isEnabled() && !openFile->isEnabled(); }, 5000);
        if (ms < 0) {
            std::fprintf(stderr, "%s run %d: no session\n", transport.c_str(), run);
            return {};
        }
        times.push_back(ms);
        disconnect->click();
    }
    return times;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    std::vector<std::string> transports;
    int runs = 7;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            transports.push_back(arg);
    }
    if (transports.empty())
        transports = {"pty", "tcp", "rfc2217"};

    int failures = 0;
    for (const std::string& transport : transports) {
        std::vector<double> times = measure(transport, runs);
        if (times.empty()) {
            std::printf("read_session_%s failed\n", transport.c_str());
            ++failures;
            continue;
        }
        std::sort(times.begin(), times.end());
        std::printf("read_session_%s_ms median %.1f min %.1f max %.1f runs %zu (timers 680 ms)\n",
                    transport.c_str(), times[times.size() / 2], times.front(), times.back(), times.size());
    }
    return failures == 0 ? 0 : 1;
}

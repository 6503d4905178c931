// SIGINT, SIGTERM and SIGHUP end the program the way closing its main window does: the real
// `tonel` as a child process exits 0, also while a message box is open; in this process, a signal
// while a device session is open lets the device hear "(01bye)", and every thread the program
// started is gone once it has ended. Without any display the program says so and exits 1.

#include "app/Application.h"
#include "app/TerminationSignals.h"
#include "device/DeviceSession.h"
#include "emulator/VirtualProcessor.h"
#include "tests/app/AppFakes.h"
#include "tests/support/Pty.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

extern char** environ;

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
constexpr auto kLimit = 5s;

// ---- the program as a child process ----

// <build>/app/tonel: from the build folder test.sh names, else beside this test binary's folder.
fs::path tonelProgram()
{
    if (const char* build = std::getenv("TONEL_BUILD_DIR"))
        return fs::path(build) / "app/tonel";
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app/tonel";
}

// The value of one "Name:\t..." line of /proc/<pid>/status.
std::string statusField(pid_t pid, const std::string& name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":"))
            return line.substr(name.size() + 1);
    }
    return {};
}

// From here on the signal waits for the program instead of killing it.
bool blocksSignal(pid_t pid, int signal)
{
    const std::string mask = statusField(pid, "SigBlk");
    if (mask.empty())
        return false;
    return (std::stoull(mask, nullptr, 16) >> (signal - 1)) & 1u;
}

// The demo's virtual processor has opened its pseudo-terminal: the program is past its start.
bool hasOpenedPseudoTerminal(pid_t pid)
{
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        std::error_code unreadable;
        if (fs::read_symlink(fd.path(), unreadable) == "/dev/ptmx")
            return true;
    }
    return false;
}

// `tonel args...` headless, its output in `log`; killed and reaped on destruction if still there.
class TonelProcess {
public:
    // With `headless` the program runs offscreen; otherwise it is given no display at all.
    TonelProcess(const std::vector<std::string>& args, const fs::path& log, bool headless = true)
    {
        const std::string program = tonelProgram().string();
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> argp;
        for (std::string& arg : argv)
            argp.push_back(arg.data());
        argp.push_back(nullptr);

        std::vector<std::string> env;
        if (headless)
            env.emplace_back("QT_QPA_PLATFORM=offscreen");
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string_view entry(*e);
            if (!entry.starts_with("QT_QPA_PLATFORM=") && !entry.starts_with("DISPLAY=") &&
                !entry.starts_with("WAYLAND_DISPLAY="))
                env.emplace_back(entry);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argp.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TonelProcess()
    {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    TonelProcess(const TonelProcess&) = delete;
    TonelProcess& operator=(const TonelProcess&) = delete;

    pid_t pid() const { return pid_; }
    // The wait status once the process has ended within the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout)
    {
        eventually(
            [&] {
                int status = 0;
                if (::waitpid(pid_, &status, WNOHANG) == pid_)
                    status_ = status;
                return status_.has_value();
            },
            timeout);
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

enum class Moment { SignalsBlocked, DeviceUp };

struct SignalCase {
    const char* name;
    int signal;
    std::vector<std::string> args;
    Moment when;  // how far the program has come when the signal is sent
};

class SignalToTheProgram : public ::testing::TestWithParam<SignalCase> {
protected:
    ~SignalToTheProgram() override
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string logText() const
    {
        std::ifstream in(log_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir_ = [] {
        std::string pattern = (fs::temp_directory_path() / "tonel-signal-XXXXXX").string();
        return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    }();
    fs::path log_ = dir_ / "tonel.log";
};

TEST_P(SignalToTheProgram, ExitsNormallyAndPromptly)
{
    ASSERT_FALSE(dir_.empty());
    ASSERT_EQ(::access(tonelProgram().c_str(), X_OK), 0) << tonelProgram() << " is not built";
    const SignalCase& c = GetParam();
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
        if (arg == "MISSING")  // a file to load at start that is not there: a message box opens
            arg = (dir_ / "missing.cfg").string();
    }
    TonelProcess tonel(args, log_);
    ASSERT_GT(tonel.pid(), 0);

    ASSERT_TRUE(eventually([&] { return blocksSignal(tonel.pid(), c.signal); })) << logText();
    if (c.when == Moment::DeviceUp) {
        ASSERT_TRUE(eventually([&] { return hasOpenedPseudoTerminal(tonel.pid()); })) << logText();
    }
    ASSERT_EQ(::kill(tonel.pid(), c.signal), 0);

    const std::optional<int> status = tonel.waitForExit(kLimit);
    ASSERT_TRUE(status.has_value()) << "still running after the signal\n" << logText();
    EXPECT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << "\n" << logText();
    EXPECT_EQ(WEXITSTATUS(*status), 0) << logText();
}

INSTANTIATE_TEST_SUITE_P(
    Signals, SignalToTheProgram,
    ::testing::Values(SignalCase{"TermWhileRunning", SIGTERM, {"--demo"}, Moment::DeviceUp},
                      SignalCase{"IntWhileRunning", SIGINT, {"--demo"}, Moment::DeviceUp},
                      SignalCase{"TermDuringStart", SIGTERM, {"--demo"}, Moment::SignalsBlocked},
                      SignalCase{"IntDuringStart", SIGINT, {"--demo"}, Moment::SignalsBlocked},
                      SignalCase{"HupWhileRunning", SIGHUP, {"--demo"}, Moment::DeviceUp},
                      // The failed load at start shows its box before the window's event loop runs.
                      SignalCase{"TermWithAMessageBoxOpen", SIGTERM, {"--demo", "MISSING"}, Moment::DeviceUp},
                      SignalCase{"IntWithAMessageBoxOpen", SIGINT, {"--demo", "MISSING"}, Moment::SignalsBlocked}),
    [](const auto& info) { return info.param.name; });

// Help and version need no display; -platform names one as QT_QPA_PLATFORM does.
TEST_F(SignalToTheProgram, WithoutADisplaySaysSoAndExitsOneUnlessNoneIsNeeded)
{
    struct Run {
        std::vector<std::string> args;
        int code;
        const char* starts;
    };
    ASSERT_FALSE(dir_.empty());
    for (const Run& run : {Run{{"--demo"}, 1, "no display: "}, Run{{"--help"}, 0, "Usage: tonel [options]"},
                           Run{{"--version"}, 0, "tonel 1.0\n"}, Run{{"-platform", "offscreen", "-v"}, 0, "tonel 1.0\n"},
                           Run{{"--bogus"}, 2, "tonel: unknown option '--bogus'"}}) {
        TonelProcess tonel(run.args, log_, false);
        ASSERT_GT(tonel.pid(), 0);
        const std::optional<int> status = tonel.waitForExit(kLimit);
        ASSERT_TRUE(status.has_value()) << logText();
        ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << "\n" << logText();
        EXPECT_EQ(WEXITSTATUS(*status), run.code) << run.args[0];
        const std::string text = logText();
        EXPECT_NE(text.find(run.starts), std::string::npos) << text;  // Qt may warn first
        if (run.code == 1) {
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        }
    }
}

// ---- the program in this process, on a device of the test's own ----

// Threads started with std::thread carry the name of the thread that started them; Qt's own
// threads are named otherwise. Counts those besides the calling thread.
int threadsNamedLikeThisOne()
{
    auto nameOf = [](const fs::path& task) {
        std::ifstream comm(task / "comm");
        std::string name;
        std::getline(comm, name);
        return name;
    };
    const std::string self = std::to_string(::gettid());
    const std::string ours = nameOf(fs::path("/proc/self/task") / self);
    int count = 0;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/self/task", error))
        count += task.path().filename() != self && nameOf(task.path()) == ours ? 1 : 0;
    return count;
}

// Blocks SIGINT, SIGTERM and SIGHUP on this thread for the test and gives the old mask back, after
// taking any of them still pending so it cannot end the test run.
class BlockedTerminationSignals {
public:
    BlockedTerminationSignals() { ::pthread_sigmask(SIG_SETMASK, nullptr, &old_); }
    ~BlockedTerminationSignals()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGHUP);
        const timespec now{0, 0};
        while (::sigtimedwait(&set, nullptr, &now) > 0) {
        }
        ::pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }

private:
    sigset_t old_;
};

class SignalInSession : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(device.start());
        threadsBefore = threadsNamedLikeThisOne();
        app.emplace(&messages, &files);
        TonelOptions options;
        options.ports = {device.terminalPath()};
        QString error;
        ASSERT_TRUE(app->start(options, &error)) << error.toStdString();
    }

    // The main loop runs until the signal ends it, as in main(); its exit code.
    int runUntilSignalled(int signal)
    {
        EXPECT_TRUE(TerminationSignals::block());
        TerminationSignals stopSignals([this] {
            app->closeMainWindow();
            QApplication::exit(0);
        });
        EXPECT_TRUE(stopSignals.active());
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(99); });
        watchdog.start(kLimit);
        QTimer sender;
        sender.setSingleShot(true);
        QObject::connect(&sender, &QTimer::timeout, [signal] { ::raise(signal); });
        sender.start(0);
        return QApplication::exec();
    }

    void ended()
    {
        app.reset();
        EXPECT_TRUE(eventually([&] { return threadsNamedLikeThisOne() == threadsBefore; }))
            << threadsNamedLikeThisOne() << " threads left, " << threadsBefore << " before";
    }

    BlockedTerminationSignals restoreSignals;
    emulator::VirtualProcessor device;
    int threadsBefore = 0;
    testing::RecordingMessageBoxes messages;
    testing::ScriptedFileDialogs files;
    std::optional<Application> app;
};

TEST_P(SignalInSession, WhileConnectedTheDeviceHearsGoodbye)
{
    QTest::mouseClick(app->mainWindow()->view().button(res::view::ReadButton), Qt::LeftButton);
    ASSERT_TRUE(testing::processEventsUntil([&] { return app->mainWindow()->view().session().connected(); }));
    ASSERT_GT(threadsNamedLikeThisOne(), threadsBefore);  // the port's monitoring thread runs

    EXPECT_EQ(runUntilSignalled(GetParam()), 0);
    EXPECT_FALSE(app->mainWindow()->isVisible());
    ended();

    // The goodbye left before the port closed; the device reads it on its own time.
    EXPECT_TRUE(device.waitUntil(
        [](const ParameterImage&, const std::vector<emulator::FrameRecord>& log) {
            return !log.empty() && log.back().text == "(01bye)";
        },
        kLimit))
        << (device.receivedFrames().empty() ? std::string("nothing") : device.receivedFrames().back());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_P(SignalInSession, WithoutASessionNothingIsSent)
{
    EXPECT_EQ(runUntilSignalled(GetParam()), 0);
    EXPECT_FALSE(app->mainWindow()->isVisible());
    ended();
    EXPECT_TRUE(device.receivedFrames().empty());
    EXPECT_TRUE(messages.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalInSession, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) {
                             return info.param == SIGINT ? "Int" : info.param == SIGTERM ? "Term" : "Hup";
                         });

}  // namespace
}  // namespace tonel::testing

#pragma once
// The tonel-emulator program (or another of ours) run as a child process: its first line (the
// line's name) and its frame log come through a pipe; SIGTERM ends it.

#include "tests/support/Pty.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tonel::testing {

// A program of the build beside this test binary's folder: <build>/`path`.
inline std::string builtProgram(const std::string& path)
{
    if (const char* buildDir = std::getenv("TONEL_BUILD_DIR"))
        return std::string(buildDir) + "/" + path;
    const auto tests = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return (tests.parent_path() / path).string();
}
inline std::string emulatorProgram() { return builtProgram("emulator/tonel-emulator"); }

class EmulatorChild {
public:
    explicit EmulatorChild(std::vector<std::string> args, const std::string& program = emulatorProgram())
    {
        int out[2];
        if (::access(program.c_str(), X_OK) != 0 || ::pipe(out) != 0)
            return;
        args.insert(args.begin(), program);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        if (pid_ < 0) {
            ::close(out[0]);
            return;
        }
        ::fcntl(out[0], F_SETFL, O_NONBLOCK);
        output_ = TerminalEnd(out[0]);
    }
    ~EmulatorChild() { stop(); }

    bool started() const { return pid_ > 0; }
    TerminalEnd& output() { return output_; }
    // The first line without its newline: what a controller opens.
    std::string lineName()
    {
        const std::string line = output_.readUntil("\n");
        return line.empty() ? line : line.substr(0, line.size() - 1);
    }
    // Waits for the program to end by itself (its output closes, the rest of it unread); true when
    // it then exited with status 0. False, still running, when it did not end within `timeout`.
    bool endedWithSuccess(std::chrono::milliseconds timeout = 5s)
    {
        output_.readCount(SIZE_MAX, timeout);
        char c = 0;
        if (pid_ <= 0 || ::read(output_.fd(), &c, 1) != 0)
            return false;
        int status = 0;
        const bool reaped = ::waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return reaped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // SIGTERM; true when the program then ended with status 0.
    bool stop()
    {
        if (pid_ <= 0)
            return false;
        ::kill(pid_, SIGTERM);
        int status = 0;
        const bool reaped = ::waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return reaped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
    TerminalEnd output_;
};

}  // namespace tonel::testing

#pragma once
// Pseudo-terminals for tests: the code under test opens devicePath() like a serial device, and
// the test plays the other end with reads that wait for bytes up to a deadline.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace tonel::testing {

using namespace std::chrono_literals;

// One end of a line, raw and non-blocking; closed on destruction.
class TerminalEnd {
public:
    TerminalEnd() = default;
    explicit TerminalEnd(int fd) : fd_(fd) {}
    ~TerminalEnd() { close(); }
    TerminalEnd(TerminalEnd&& other) noexcept : fd_(other.release()) {}
    TerminalEnd& operator=(TerminalEnd&& other) noexcept;

    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void close();

    bool writeAll(std::string_view text);
    // What arrived until `count` bytes are in or the timeout passed.
    std::string readCount(std::size_t count, std::chrono::milliseconds timeout = 5s);
    // What arrived until it ends with `end` or the timeout passed.
    std::string readUntil(std::string_view end, std::chrono::milliseconds timeout = 5s);
    // What has arrived so far, without waiting.
    std::string readAvailable();

private:
    int release();
    int fd_ = -1;
};

// A raw pseudo-terminal pair. Its own terminal side stays open, so the device side does not see a
// hang-up while nobody else has the terminal open.
class PtyPair {
public:
    PtyPair();
    bool ok() const { return device_.valid() && terminal_.valid(); }
    const std::string& terminalPath() const { return path_; }  // what the port under test opens
    TerminalEnd& device() { return device_; }                  // the test's end of the line
    TerminalEnd& terminal() { return terminal_; }              // to read the line settings back
    // The line drops for everybody who has the terminal open.
    void hangUp();

private:
    TerminalEnd device_;
    TerminalEnd terminal_;
    std::string path_;
};

// Opens an existing terminal raw (a test talking to the virtual processor).
TerminalEnd openRawTerminal(const std::string& path);

// Polls `condition` until it holds or the timeout passes.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

}  // namespace tonel::testing

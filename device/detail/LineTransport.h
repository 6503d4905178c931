#pragma once
// The operating-system side of a LinePort: the line's descriptor, the two wake-up handles and the
// lock around the descriptor. A tty and a TCP connection differ only in how they open, drain and
// purge; reading, writing and waiting are shared here. Every POSIX call of the port layer lives in
// this file's .cpp, the transports' files and NameLookup.

#include "device/SerialLine.h"

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tonel::detail {

using Clock = std::chrono::steady_clock;

// What woke the port's thread; several can hold at once.
struct Wake {
    bool shutdown = false;
    bool lineReadable = false;
    bool lineGone = false;      // hang-up or error on the line
    bool lineWritable = false;  // only watched while the transport holds bytes of its own to send
    bool writeRequest = false;  // the request was consumed: later requests wake the thread again
};

// A failed call as the transport knows it, classified here; the port adds its name.
using CallFailure = PortError;

enum class ReadStatus { Data, Empty, Gone, Failed };
struct ReadResult {
    ReadStatus status = ReadStatus::Empty;
    std::size_t count = 0;  // data bytes for the listener, once the transport took its own out
    std::size_t raw = 0;    // bytes taken off the line
    CallFailure failure;    // for Gone and Failed
};

enum class SendStatus { Sent, Failed, Gone, Abandoned };
struct SendResult {
    SendStatus status = SendStatus::Sent;
    CallFailure failure;  // for Failed and Gone
};

class LineTransport {
public:
    LineTransport();
    virtual ~LineTransport();
    LineTransport(const LineTransport&) = delete;
    LineTransport& operator=(const LineTransport&) = delete;

    bool ready() const;  // the wake-up handles exist

    // On the opening thread. Complaints that leave the open standing go to `reports`; false with
    // `failure` when nothing could be opened.
    virtual bool openLine(const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure) = 0;
    // True when openLine only prepared, and the line comes up with connectLine on the port's thread.
    virtual bool connectsLater() const { return false; }
    // On the port's thread; ends by `deadline` or on shutdown (failure operation empty then).
    virtual bool connectLine(Clock::time_point deadline, CallFailure& failure);
    void closeLine();

    void signalShutdown();
    void signalWriteRequest();
    // Blocks until shutdown, the line (only when watchLine) or a write request needs attention.
    Wake wait(bool watchLine);
    // Sends what the transport holds of its own (protocol answers) as far as the line takes it.
    void flushOwnBytes();
    bool shutdownPending();

    ReadResult read(std::span<std::uint8_t> buffer);
    // Writes the whole text and waits until it has left; gives up at `deadline`.
    SendResult send(std::string_view text, Clock::time_point deadline);

protected:
    // All called with lineMutex_ held.
    virtual void purgeInputLocked() {}
    virtual bool holdsOwnBytesLocked() const { return false; }
    virtual void flushOwnBytesLocked() {}
    virtual std::string encodeLocked(std::string_view text) { return std::string(text); }
    // Turns what was read into data in place (a protocol may strip its own bytes); the new count.
    virtual std::size_t decodeLocked(std::span<std::uint8_t> bytes) { return bytes.size(); }
    virtual long writeSomeLocked(const char* data, std::size_t size);
    // What reading end-of-file means: a terminal's line hung up, a connection closed by the peer.
    virtual CallFailure endOfFile() const { return {LineFault::LineLost, "read()", EIO}; }
    virtual bool drainLocked(Clock::time_point deadline, SendResult& result);
    virtual void closeLocked();
    // Waits until the line takes bytes again, for shutdown or the deadline; false fills `result`.
    bool waitWritableLocked(Clock::time_point deadline, SendResult& result);
    // Sleeps a little, or until shutdown (true).
    bool pauseOrShutdown(std::chrono::milliseconds span);

    std::mutex lineMutex_;  // around every use of the descriptor
    int lineFd_ = -1;
    int shutdownFd_ = -1;
    int writeRequestFd_ = -1;
};

// The transport for a name; null (and `failure` filled) when the name is not a port name or the
// wake-up handles cannot be made.
std::unique_ptr<LineTransport> makeTransport(const std::string& name, CallFailure& failure);

// Whole milliseconds left until `deadline`, clamped to what poll() takes.
int remainingMs(Clock::time_point deadline);

}  // namespace tonel::detail

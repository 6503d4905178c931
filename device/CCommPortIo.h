#pragma once
// The operating-system side of CCommPort: the device handle, the two wake-up handles and the lock
// around the handle. One file per platform implements it (CCommPortPosix.cpp on Linux).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tonel::detail {

struct LineSettings {
    int baud = 38400;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
};

// A failed platform call, named by the operation the port reports.
struct PortFailure {
    std::string operation;
    int error = 0;  // errno value
};

// What woke the monitoring loop; several can hold at once.
struct Wake {
    bool shutdown = false;
    bool lineReadable = false;
    bool lineGone = false;      // hang-up or error on the line
    bool writeRequest = false;  // the request was consumed: later requests wake the loop again
};

enum class ReadStatus { Data, Empty, HungUp, Failed };
struct ReadResult {
    ReadStatus status = ReadStatus::Empty;
    std::size_t count = 0;
    int error = 0;
};

enum class SendStatus { Sent, Failed, HungUp, Abandoned };
struct SendResult {
    SendStatus status = SendStatus::Sent;
    PortFailure failure;  // for Failed and HungUp
};

class CommPortIo {
public:
    CommPortIo();
    ~CommPortIo();
    CommPortIo(const CommPortIo&) = delete;
    CommPortIo& operator=(const CommPortIo&) = delete;

    bool ready() const;  // the wake-up handles exist

    // Opens `path` exclusively and sets the line up. Configuration failures that leave the open
    // standing are appended to `reports`; false means the port could not be opened (no report).
    bool openLine(const std::string& path, const LineSettings& settings, std::vector<PortFailure>& reports);
    void closeLine();
    bool lineOpen() const;

    void signalShutdown();
    void clearShutdown();
    void signalWriteRequest();

    // Blocks until shutdown, the line (only when watchLine) or a write request needs attention.
    Wake wait(bool watchLine);
    bool shutdownPending();

    ReadResult read(std::span<std::uint8_t> buffer);
    void purgeInput();
    // Writes the whole text and waits until it has left; gives up after `limit`.
    SendResult send(std::string_view text, std::chrono::milliseconds limit);

private:
    bool waitWritable(std::chrono::steady_clock::time_point deadline, SendResult& result);

    mutable std::mutex lineMutex_;  // around every use of the device handle
    int lineFd_ = -1;
    int shutdownFd_ = -1;
    int writeRequestFd_ = -1;
};

// The platform's text for an error number.
std::string systemErrorText(int error);

}  // namespace tonel::detail

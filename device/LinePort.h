#pragma once
// The port behind a name: opens a tty or a TCP/RFC 2217 connection, runs the thread that watches
// the line and hands what arrives to the listener, and sends queued texts in order.
//
// Threads: open, close, write and destruction belong to one user thread (the window thread in the
// panel); the port's own thread reads, writes and notifies. Notices are never waited for, so a
// close always completes, and every wait on the line ends by the write deadline.

#include "device/SerialLine.h"
#include "device/detail/WriteQueue.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace tonel {

namespace detail {
class LineTransport;
}

// Makes the transport for a port name; null with `failure` filled when there is none.
using TransportMaker = std::function<std::unique_ptr<detail::LineTransport>(const std::string& name, PortError& failure)>;

struct PortLimits {
    // A text of n characters may take n × perChar + constant to leave, drain included.
    std::chrono::milliseconds writePerChar{1800};
    std::chrono::milliseconds writeConstant{1800};
    std::chrono::milliseconds connect{2000};  // network ports
    std::size_t writeBuffer = 1024;           // a text must fit with its terminating NUL
};

class LinePort : public SerialLine {
public:
    // Bytes taken off the line per wake-up, protocol bytes included; then shutdown and writes get a look in.
    static constexpr std::size_t kMaxReadPerWake = 4096;

    // `makeTransport` chooses how a name is reached; empty: the tty, TCP and RFC 2217 transports.
    explicit LinePort(PortLimits limits = {}, TransportMaker makeTransport = {});
    ~LinePort() override;
    LinePort(const LinePort&) = delete;
    LinePort& operator=(const LinePort&) = delete;

    OpenResult open(const std::string& name, const LineSettings& settings, LineListener& listener) override;
    void close() override;
    void write(const std::string& text) override;
    bool isOpen() const override { return lineUp_; }

    std::string name() const;
    std::uint64_t textsSent() const { return textsSent_; }

private:
    bool startThread(bool connectFirst);
    void run(bool connectFirst);
    bool connectLine();
    void receive();
    void sendPending();
    bool sendOne(const std::string& text);
    void lineGone(const PortError& failure);
    void dropQueued();
    void report(const PortError& failure, bool whileOpening = false);

    const PortLimits limits_;
    const TransportMaker makeTransport_;
    std::unique_ptr<detail::LineTransport> transport_;
    std::thread thread_;
    LineListener* listener_ = nullptr;  // set before the thread starts, cleared after it ended
    std::string name_;                  // written only while the thread is stopped

    std::atomic<bool> lineUp_{false};
    std::atomic<bool> connected_{false};  // the transport is up (a network port has connected)
    std::atomic<std::uint64_t> textsSent_{0};

    std::mutex queueMutex_;  // the hand-over of texts between the two threads
    detail::WriteQueue queue_;
};

}  // namespace tonel

#pragma once
// The one serial port: opens and configures a device, runs the monitoring thread that hands each
// received byte to the owner, and sends the texts the window thread gives it, in order.
//
// Threads: open, startMonitoring, write and destruction run on the window thread; the monitoring
// thread reads, writes and notifies. Notifications are queued by the owner, never waited for, so
// stopping the thread always completes.

#include "device/SerialPort.h"
#include "device/WriteQueue.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace tonel {

namespace detail {
class CommPortIo;
}

// Line events of the event mask.
namespace comm_event {
inline constexpr std::uint32_t kRxChar = 0x001;
inline constexpr std::uint32_t kRxFlag = 0x002;
inline constexpr std::uint32_t kCts = 0x008;
inline constexpr std::uint32_t kBreak = 0x040;
inline constexpr std::uint32_t kError = 0x080;
inline constexpr std::uint32_t kRing = 0x100;
}  // namespace comm_event

// "WARNING:  <operation> Failed with the following error: \n<system text>\nPort: <port>\n"
std::string formatPortError(std::string_view operation, std::string_view systemText, int port);

class CCommPort : public SerialPort {
public:
    static constexpr std::chrono::milliseconds kWriteTimePerChar{1800};
    static constexpr std::chrono::milliseconds kWriteTimeConstant{1800};
    static constexpr std::size_t kReadChunk = 256;
    static constexpr std::size_t kMaxReadPerWake = 4096;  // then shutdown and writes get a look in

    // Port numbers map to devices through `catalog`, which must outlive the port.
    explicit CCommPort(const PortCatalog& catalog);
    ~CCommPort() override;
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    bool open(PortOwner* owner, int port, int baud, char parity, int dataBits, int stopBits,
              std::uint32_t eventMask, std::size_t writeBufferSize) override;
    bool startMonitoring() override;
    void write(const std::string& text) override;

    // Reports the failure of `operation` with the text of the current errno.
    void reportError(std::string_view operation);

    bool isOpen() const { return lineUp_; }  // opened and not hung up
    bool isMonitoring() const { return threadAlive_; }
    int portNumber() const { return port_; }
    // Wake-ups of the monitoring loop: an idle thread does not count up.
    std::uint64_t wakeUps() const { return wakeUps_; }
    std::uint64_t textsSent() const { return textsSent_; }

private:
    void stopMonitoring();
    void monitor();
    void notifyLineEvents();
    void receive();
    void sendPending();
    bool sendOne(const std::string& text);
    void lineGone(std::string_view operation, int error);
    void report(std::string_view operation, int error);
    void notify(PortEvent event, std::uint8_t byte);

    const PortCatalog& catalog_;
    std::unique_ptr<detail::CommPortIo> io_;
    std::thread thread_;

    std::atomic<PortOwner*> owner_{nullptr};
    std::atomic<int> port_{0};
    std::atomic<std::uint32_t> eventMask_{0};
    std::atomic<bool> lineUp_{false};
    std::atomic<bool> threadAlive_{false};
    std::atomic<std::uint64_t> wakeUps_{0};
    std::atomic<std::uint64_t> textsSent_{0};

    std::mutex queueMutex_;  // the hand-over of texts between the two threads
    WriteQueue queue_;
    std::size_t writeBufferSize_ = 0;  // 0 until the first open: texts are dropped
};

}  // namespace tonel

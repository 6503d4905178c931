#pragma once
// The virtual processor: a device on a pseudo-terminal, an existing serial device or a TCP port
// (as behind a serial device server) that speaks the wire protocol on its own thread. Used by the
// end-to-end tests, by `tonel --demo` and by the tonel-emulator program.

#include "emulator/ComPortServer.h"
#include "emulator/DeviceModel.h"
#include "emulator/FrameAssembler.h"
#include "emulator/Terminal.h"

#include <atomic>
#include <cstdint>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace tonel::emulator {

struct FrameRecord {
    enum class Direction { Received, Replied };
    Direction direction = Direction::Received;
    std::string text;  // a reply exactly as sent, trailing characters included; logged as it goes out
    friend bool operator==(const FrameRecord&, const FrameRecord&) = default;
};

class VirtualProcessor {
public:
    // Called on the emulator's thread for every frame received and every reply sent.
    using Observer = std::function<void(const FrameRecord&)>;
    using Condition = std::function<bool(const ParameterImage& image, const std::vector<FrameRecord>& log)>;
    // Called on the emulator's thread when it drops a TCP client, with the reason.
    using NoticeObserver = std::function<void(const std::string&)>;

    // The log keeps the newest frames only: a client can send without end.
    static constexpr std::size_t kDefaultLogLimit = 10000;
    // A client whose socket takes no byte for this long is dropped: it would hold the line for
    // everyone else (a terminal nobody reads loses the rest of that reply instead).
    static constexpr std::chrono::seconds kStallLimit{2};
    static constexpr std::chrono::seconds kDefaultIdleTimeout{60};

    explicit VirtualProcessor(DeviceFaults faults = {}, const ImageBytes& initial = defaultImageBytes());
    ~VirtualProcessor();
    VirtualProcessor(const VirtualProcessor&) = delete;
    VirtualProcessor& operator=(const VirtualProcessor&) = delete;

    void setObserver(Observer observer);  // before start() or attach()
    void setNoticeObserver(NoticeObserver observer);  // before listen()
    // Keeps at most the newest `records` frames in the log (dropping the oldest half when full).
    void setLogLimit(std::size_t records);
    // A TCP client that sends nothing for this long is dropped so that the next one is served.
    // Before listen().
    void setIdleTimeout(std::chrono::milliseconds timeout) { idleTimeout_ = timeout; }

    // Replies leave at the real line's pace (38400 8N1: 3,840 characters a second) instead of at
    // once. Before start(), attach() or listen().
    void setPaced(bool paced) { paced_ = paced; }
    static constexpr int kLineCharactersPerSecond = 3840;

    bool start();                           // on a new pseudo-terminal
    bool attach(const std::string& path);   // on an existing device, set to 38400 8N1 raw
    // On a TCP port, "[HOST:]PORT" (port 0: any free one), one client at a time; with `rfc2217`
    // it speaks Telnet and takes the COM-PORT line settings. False with `error` set on failure.
    bool listen(const std::string& address, bool rfc2217, std::string* error = nullptr);
    // Stops the thread and closes our side: for the controller the line drops (a hang-up; on TCP
    // the client's connection closes and the port stops accepting).
    void stop();
    void hangUp() { stop(); }
    bool running() const;

    // What the controller opens: a terminal path, or "tcp://HOST:PORT" / "rfc2217://HOST:PORT".
    std::string terminalPath() const;
    std::uint16_t listeningPort() const;  // 0 unless listening
    // Waits until the line the last COM-PORT client set (kept after it left; all zero before any
    // did) is `expected`.
    bool waitForComPortLine(const ComPortLine& expected, std::chrono::milliseconds timeout) const;
    ImageBytes image() const;
    void setImage(const ImageBytes& bytes);
    std::optional<ImageBytes> storedImage() const;
    std::vector<FrameRecord> frameLog() const;
    std::vector<std::string> receivedFrames() const;

    // Waits until `condition` holds (checked under the emulator's lock) or the timeout passes.
    bool waitUntil(const Condition& condition, std::chrono::milliseconds timeout) const;
    bool waitForReceived(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    bool run(bool opened);
    void loop();
    bool acceptNext();
    void dropClient(const std::string& reason = {});
    void handleInput(std::span<const char> bytes);
    void handleBytes(std::span<const char> bytes);
    void handleFrame(const std::string& frame);
    bool pause(std::chrono::nanoseconds delay);
    bool sendAll(const std::string& text);
    bool sendPaced(const std::string& text);
    bool sendData(std::string_view text);
    bool writeLine(std::string_view bytes);
    void stalled();
    int lineFd() const { return ends_.device >= 0 ? ends_.device : client_; }
    void record(FrameRecord::Direction direction, const std::string& text);

    mutable std::mutex mutex_;  // the model and the log: read by any thread
    mutable std::condition_variable changed_;
    DeviceModel model_;
    std::vector<FrameRecord> log_;
    std::size_t logLimit_ = kDefaultLogLimit;
    std::string path_;
    ComPortLine comPortLine_;
    std::uint16_t listeningPort_ = 0;

    Observer observer_;
    NoticeObserver noticeObserver_;
    std::chrono::milliseconds idleTimeout_ = kDefaultIdleTimeout;
    TerminalEnds ends_;          // used by the emulator's thread while it runs
    FrameAssembler assembler_;   // the emulator's thread only
    int listener_ = -1;          // a TCP port's listening socket
    int client_ = -1;            // its current client: the emulator's thread only
    bool rfc2217_ = false;
    std::optional<ComPortServer> telnet_;  // the current client's Telnet state
    bool paced_ = false;
    std::atomic<bool> serving_{false};
    int stopFd_ = -1;
    std::thread thread_;
};

}  // namespace tonel::emulator

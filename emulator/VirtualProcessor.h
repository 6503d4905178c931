#pragma once
// The virtual processor: a device on a pseudo-terminal (or an existing serial device) that speaks
// the wire protocol on its own thread. Used by the end-to-end tests, by `tonel --demo` and by the
// tonel-emulator program.

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

    explicit VirtualProcessor(DeviceFaults faults = {}, const ImageBytes& initial = defaultImageBytes());
    ~VirtualProcessor();
    VirtualProcessor(const VirtualProcessor&) = delete;
    VirtualProcessor& operator=(const VirtualProcessor&) = delete;

    void setObserver(Observer observer);  // before start() or attach()
    // Keeps only the newest `records` frames in the log (a long burst must not grow it without end).
    void setLogLimit(std::size_t records);

    bool start();                           // on a new pseudo-terminal
    bool attach(const std::string& path);   // on an existing device
    // Stops the thread and closes our side: for the controller the line drops (a hang-up).
    void stop();
    void hangUp() { stop(); }
    bool running() const;

    std::string terminalPath() const;  // what the controller opens
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
    void handleBytes(std::span<const char> bytes);
    void handleFrame(const std::string& frame);
    bool pause(std::chrono::milliseconds delay);
    bool sendAll(const std::string& text);
    void record(FrameRecord::Direction direction, const std::string& text);

    mutable std::mutex mutex_;  // the model and the log: read by any thread
    mutable std::condition_variable changed_;
    DeviceModel model_;
    std::vector<FrameRecord> log_;
    std::size_t logLimit_ = SIZE_MAX;
    std::string path_;

    Observer observer_;
    TerminalEnds ends_;          // used by the emulator's thread while it runs
    FrameAssembler assembler_;   // the emulator's thread only
    std::atomic<bool> serving_{false};
    int stopFd_ = -1;
    std::thread thread_;
};

}  // namespace tonel::emulator

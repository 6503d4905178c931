#include "emulator/VirtualProcessor.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tonel::emulator {
namespace {

// Waits for `events` on fd (none when fd is -1), the stop signal or the timeout; the fd's events.
short waitFor(int stopFd, int fd, short events, int timeoutMs, bool& stopped)
{
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd, events, 0}};
    while (::poll(fds, fd < 0 ? 1 : 2, timeoutMs) < 0 && errno == EINTR) {
    }
    stopped = (fds[0].revents & POLLIN) != 0;
    return stopped ? 0 : fds[1].revents;
}

}  // namespace

VirtualProcessor::VirtualProcessor(DeviceFaults faults, const ImageBytes& initial)
    : model_(std::move(faults), initial), stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

VirtualProcessor::~VirtualProcessor()
{
    stop();
    if (stopFd_ >= 0)
        ::close(stopFd_);
}

void VirtualProcessor::setObserver(Observer observer) { observer_ = std::move(observer); }

bool VirtualProcessor::start()
{
    stop();
    return run(openRawPseudoTerminal(ends_));
}

bool VirtualProcessor::attach(const std::string& path)
{
    stop();
    return run(openRawDevice(path, ends_));
}

bool VirtualProcessor::run(bool opened)
{
    if (!opened || stopFd_ < 0) {
        closeTerminal(ends_);
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        path_ = ends_.path;
    }
    assembler_ = FrameAssembler{};
    serving_ = true;
    thread_ = std::thread([this] { loop(); });
    return true;
}

void VirtualProcessor::stop()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stopFd_, &one, sizeof one);
        thread_.join();
        std::uint64_t value = 0;
        n = ::read(stopFd_, &value, sizeof value);
    }
    closeTerminal(ends_);
}

bool VirtualProcessor::running() const { return serving_; }

void VirtualProcessor::loop()
{
    std::array<char, 4096> buffer{};
    for (;;) {
        bool stopped = false;
        const short events = waitFor(stopFd_, ends_.device, POLLIN, -1, stopped);
        if (stopped)
            break;
        ssize_t n = ::read(ends_.device, buffer.data(), buffer.size());
        if (n > 0)
            handleBytes({buffer.data(), static_cast<std::size_t>(n)});
        else if (n == 0 || (errno != EAGAIN && errno != EINTR) || (events & (POLLHUP | POLLERR | POLLNVAL)))
            break;  // the line is gone: nothing more will arrive
    }
    serving_ = false;
    changed_.notify_all();
}

void VirtualProcessor::handleBytes(std::span<const char> bytes)
{
    for (char c : bytes) {
        if (auto frame = assembler_.feed(c))
            handleFrame(*frame);
    }
}

void VirtualProcessor::handleFrame(const std::string& frame)
{
    std::string reply;
    {
        std::lock_guard lock(mutex_);
        reply = model_.handleFrame(frame);
    }
    record(FrameRecord::Direction::Received, frame);
    if (reply.empty() || !pause(model_.faults().replyDelay))
        return;
    // Logged before it goes out: whatever the other side has read is already in the log.
    record(FrameRecord::Direction::Replied, reply);
    sendAll(reply);
}

// False when the emulator is told to stop meanwhile.
bool VirtualProcessor::pause(std::chrono::milliseconds delay)
{
    if (delay.count() <= 0)
        return true;
    bool stopped = false;
    waitFor(stopFd_, -1, 0, static_cast<int>(delay.count()), stopped);
    return !stopped;
}

bool VirtualProcessor::sendAll(const std::string& text)
{
    for (std::size_t done = 0; done < text.size();) {
        ssize_t n = ::write(ends_.device, text.data() + done, text.size() - done);
        bool stopped = false;
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EAGAIN && (waitFor(stopFd_, ends_.device, POLLOUT, -1, stopped) & POLLOUT))
            continue;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return true;
}

void VirtualProcessor::record(FrameRecord::Direction direction, const std::string& text)
{
    FrameRecord entry{direction, text};
    {
        std::lock_guard lock(mutex_);
        if (log_.size() >= logLimit_)  // drop the oldest half at once: amortised constant
            log_.erase(log_.begin(), log_.begin() + static_cast<std::ptrdiff_t>(log_.size() / 2 + 1));
        log_.push_back(entry);
    }
    changed_.notify_all();
    if (observer_)
        observer_(entry);
}

void VirtualProcessor::setLogLimit(std::size_t records)
{
    std::lock_guard lock(mutex_);
    logLimit_ = records == 0 ? 1 : records;
}

std::string VirtualProcessor::terminalPath() const
{
    std::lock_guard lock(mutex_);
    return path_;
}

ImageBytes VirtualProcessor::image() const
{
    std::lock_guard lock(mutex_);
    return model_.image().bytes();
}

void VirtualProcessor::setImage(const ImageBytes& bytes)
{
    {
        std::lock_guard lock(mutex_);
        model_.setImage(bytes);
    }
    changed_.notify_all();
}

std::optional<ImageBytes> VirtualProcessor::storedImage() const
{
    std::lock_guard lock(mutex_);
    return model_.storedImage();
}

std::vector<FrameRecord> VirtualProcessor::frameLog() const
{
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::string> VirtualProcessor::receivedFrames() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> frames;
    for (const FrameRecord& entry : log_) {
        if (entry.direction == FrameRecord::Direction::Received)
            frames.push_back(entry.text);
    }
    return frames;
}

bool VirtualProcessor::waitUntil(const Condition& condition, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(model_.image(), log_); });
}

bool VirtualProcessor::waitForReceived(std::size_t count, std::chrono::milliseconds timeout) const
{
    return waitUntil(
        [count](const ParameterImage&, const std::vector<FrameRecord>& log) {
            return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [](const FrameRecord& e) {
                       return e.direction == FrameRecord::Direction::Received;
                   })) >= count;
        },
        timeout);
}

}  // namespace tonel::emulator

// What the virtual processor shares with other threads: its image, its frame log (written by its
// own thread) and its line, kept, read and waited on under its lock.
#include "emulator/VirtualProcessor.h"

#include <algorithm>

namespace tonel::emulator {

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

std::uint16_t VirtualProcessor::listeningPort() const
{
    std::lock_guard lock(mutex_);
    return listeningPort_;
}

bool VirtualProcessor::waitForComPortLine(const ComPortLine& expected, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return comPortLine_ == expected; });
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

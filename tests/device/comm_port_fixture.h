#pragma once
// Shared ground for the serial port tests: a recording owner that waits with deadlines, and a
// port opened on a pseudo-terminal with the session's arguments.

#include "device/CCommPort.h"
#include "device/PortCatalog.h"
#include "tests/support/Pty.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tonel::testing {

struct PortNotice {
    PortEvent event;
    std::uint8_t byte;
    int port;
};

// Records what the port hands over; never blocks the monitoring thread for long.
class RecordingPortOwner : public PortOwner {
public:
    void portNotification(PortEvent event, std::uint8_t byte, int port) override
    {
        std::lock_guard lock(mutex_);
        notices_.push_back({event, byte, port});
        if (event == PortEvent::Char)
            text_.push_back(static_cast<char>(byte));
        changed_.notify_all();
    }
    void portErrorReport(const std::string& text) override
    {
        std::lock_guard lock(mutex_);
        reports_.push_back(text);
        changed_.notify_all();
    }

    bool waitForText(std::size_t length, std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return text_.size() >= length; }, timeout);
    }
    bool waitForEvent(PortEvent event, std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return countLocked(event) > 0; }, timeout);
    }
    bool waitForReports(std::size_t count, std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return reports_.size() >= count; }, timeout);
    }

    std::string text() const
    {
        std::lock_guard lock(mutex_);
        return text_;
    }
    std::vector<std::string> reports() const
    {
        std::lock_guard lock(mutex_);
        return reports_;
    }
    std::vector<PortNotice> notices() const
    {
        std::lock_guard lock(mutex_);
        return notices_;
    }
    std::size_t count(PortEvent event) const
    {
        std::lock_guard lock(mutex_);
        return countLocked(event);
    }

private:
    template <typename Predicate>
    bool waitFor(Predicate predicate, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, predicate);
    }
    std::size_t countLocked(PortEvent event) const
    {
        return static_cast<std::size_t>(
            std::count_if(notices_.begin(), notices_.end(), [event](const PortNotice& n) { return n.event == event; }));
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<PortNotice> notices_;
    std::string text_;
    std::vector<std::string> reports_;
};

inline constexpr std::uint32_t kSessionMask = 0x1FD;
inline constexpr std::size_t kSessionBuffer = 1024;

// The session's open: 38400 baud, "N", 8 data bits, 1 stop bit, mask 0x1FD, 1024 bytes.
inline bool openLikeSession(CCommPort& port, PortOwner& owner, int number, std::size_t buffer = kSessionBuffer,
                            std::uint32_t mask = kSessionMask)
{
    return port.open(&owner, number, 38400, 'N', 8, 1, mask, buffer);
}

// A port on port number 1 = a fresh pseudo-terminal, opened and monitoring.
class PtyPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty_.ok());
        ASSERT_TRUE(openLikeSession(port_, owner_, 1));
        ASSERT_TRUE(port_.startMonitoring());
    }

    PtyPair pty_;
    ExplicitPortCatalog catalog_{{pty_.terminalPath()}};
    RecordingPortOwner owner_;
    CCommPort port_{catalog_};
};

}  // namespace tonel::testing

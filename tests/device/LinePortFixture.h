#pragma once
// Shared ground for the port tests: a recording listener that waits with deadlines, and a port
// opened on a pseudo-terminal with the session's line settings.

#include "device/LinePort.h"
#include "device/PortCatalog.h"
#include "tests/support/Pty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace tonel::testing {

// Records what the port hands over; never blocks the port's thread for long.
class RecordingListener : public LineListener {
public:
    void bytesArrived(std::string_view bytes) override
    {
        std::lock_guard lock(mutex_);
        text_ += bytes;
        ++chunks_;
        changed_.notify_all();
    }
    void lineGone(const std::string& port) override
    {
        std::lock_guard lock(mutex_);
        gone_.push_back(port);
        changed_.notify_all();
    }
    void portError(const PortError& error) override
    {
        std::lock_guard lock(mutex_);
        errors_.push_back(error);
        changed_.notify_all();
    }

    bool waitForText(std::size_t length, std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return text_.size() >= length; }, timeout);
    }
    bool waitForGone(std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return !gone_.empty(); }, timeout);
    }
    bool waitForReports(std::size_t count, std::chrono::milliseconds timeout = 5s)
    {
        return waitFor([&] { return errors_.size() >= count; }, timeout);
    }

    std::string text() const { return locked(text_); }
    // The errors as the user reads them.
    std::vector<std::string> reports() const
    {
        std::vector<std::string> texts;
        for (const PortError& error : errors())
            texts.push_back(formatPortError(error));
        return texts;
    }
    std::vector<PortError> errors() const { return locked(errors_); }
    std::vector<std::string> gone() const { return locked(gone_); }
    std::size_t chunks() const { return locked(chunks_); }

private:
    template <typename T>
    T locked(const T& value) const
    {
        std::lock_guard lock(mutex_);
        return value;
    }
    template <typename Predicate>
    bool waitFor(Predicate predicate, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, predicate);
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string text_;
    std::size_t chunks_ = 0;
    std::vector<std::string> gone_;
    std::vector<PortError> errors_;
};

// CPU time the whole process has used: a port's thread that spins shows here.
inline std::chrono::microseconds processCpuTime()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& t) { return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec); };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// A port on a fresh pseudo-terminal, open with the session's settings.
class PtyPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty_.ok());
        ASSERT_EQ(port_.open(pty_.terminalPath(), LineSettings{}, listener_).state, OpenResult::State::Open);
    }

    PtyPair pty_;
    RecordingListener listener_;
    LinePort port_;
};

}  // namespace tonel::testing

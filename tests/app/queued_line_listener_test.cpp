#include "AppFakes.h"
#include "app/QueuedLineListener.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>

namespace tonel::testing {
namespace {

// Records what reaches the window thread, and on which thread.
struct WindowSide : LineListener {
    void bytesArrived(std::string_view bytes) override { note(std::string(bytes)); }
    void lineGone(const std::string& port) override { note("gone " + port); }
    void portError(const PortError& error) override { note("error " + error.operation); }
    void note(std::string what)
    {
        notices.push_back(std::move(what));
        threads.push_back(std::this_thread::get_id());
    }
    std::vector<std::string> notices;
    std::vector<std::thread::id> threads;
};

TEST(QueuedLineListener, NoticesFromThePortThreadArriveOnTheWindowThreadInOrder)
{
    QueuedLineListener queued;
    WindowSide window;
    queued.setTarget(&window);
    std::vector<std::string> sent;
    for (int i = 0; i < 2000; ++i)
        sent.push_back(std::string(1 + i % 7, static_cast<char>('0' + i % 75)));
    std::thread portThread([&] {
        for (const std::string& bytes : sent)
            queued.bytesArrived(bytes);
        queued.portError({"read()", EIO, "/dev/ttyUSB0", false});
        queued.lineGone("/dev/ttyUSB0");
    });
    portThread.join();
    EXPECT_TRUE(window.notices.empty()) << "queued, not handled on the port's thread";
    ASSERT_TRUE(processEventsUntil([&] { return window.notices.size() == sent.size() + 2; }));
    sent.push_back("error read()");
    sent.push_back("gone /dev/ttyUSB0");
    EXPECT_EQ(window.notices, sent);
    EXPECT_EQ(std::count(window.threads.begin(), window.threads.end(), std::this_thread::get_id()),
              static_cast<long>(window.threads.size()));
}

TEST(QueuedLineListener, WithoutATargetNoticesAreDropped)
{
    QueuedLineListener queued;
    WindowSide window;
    queued.setTarget(&window);
    queued.bytesArrived("x");
    queued.setTarget(nullptr);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(window.notices.empty());
}

}  // namespace
}  // namespace tonel::testing

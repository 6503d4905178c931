#include "AppFakes.h"
#include "app/QueuedPortOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace tonel::testing {
namespace {

TEST(QueuedPortOwner, BytesFromThePortThreadArriveOnTheWindowThreadInOrder)
{
    QueuedPortOwner owner;
    std::string received;
    std::vector<std::thread::id> threads;
    owner.setHandlers(
        [&](PortEvent event, std::uint8_t byte, int port) {
            EXPECT_EQ(event, PortEvent::Char);
            EXPECT_EQ(port, 3);
            received.push_back(static_cast<char>(byte));
            threads.push_back(std::this_thread::get_id());
        },
        nullptr);
    std::string sent;
    for (int i = 0; i < 5000; ++i)
        sent.push_back(static_cast<char>('0' + i % 75));
    std::thread portThread([&] {
        for (const char c : sent)
            owner.portNotification(PortEvent::Char, static_cast<std::uint8_t>(c), 3);
    });
    portThread.join();
    ASSERT_TRUE(processEventsUntil([&] { return received.size() == sent.size(); }));
    EXPECT_EQ(received, sent);
    EXPECT_EQ(std::count(threads.begin(), threads.end(), std::this_thread::get_id()),
              static_cast<long>(threads.size()));
}

TEST(QueuedPortOwner, ErrorReportsAreQueuedToo)
{
    QueuedPortOwner owner;
    std::vector<std::string> reports;
    owner.setHandlers(nullptr, [&](const std::string& text) { reports.push_back(text); });
    std::thread([&] { owner.portErrorReport("first"); owner.portErrorReport("second"); }).join();
    ASSERT_TRUE(processEventsUntil([&] { return reports.size() == 2; }));
    EXPECT_EQ(reports, (std::vector<std::string>{"first", "second"}));
}

TEST(QueuedPortOwner, WithoutHandlersNotificationsAreDropped)
{
    QueuedPortOwner owner;
    int calls = 0;
    owner.setHandlers([&](PortEvent, std::uint8_t, int) { ++calls; }, nullptr);
    owner.portNotification(PortEvent::Char, 'x', 1);
    owner.clearHandlers();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace tonel::testing

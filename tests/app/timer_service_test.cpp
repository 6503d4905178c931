#include "AppFakes.h"
#include "app/TimerService.h"

#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

using namespace std::chrono_literals;

TEST(QtTimerService, FiresOnceByIdAndReArmingReplaces)
{
    QtTimerService timers;
    std::vector<int> fired;
    timers.setExpiryHandler([&](int id) { fired.push_back(id); });
    timers.arm(2, 5000ms);
    timers.arm(2, 10ms);  // replaces the long one
    timers.arm(100, 20ms);
    EXPECT_TRUE(timers.isArmed(2));
    ASSERT_TRUE(processEventsUntil([&] { return fired.size() == 2; }));
    EXPECT_EQ(fired, (std::vector<int>{2, 100}));
    EXPECT_FALSE(timers.isArmed(2));
    EXPECT_FALSE(timers.isArmed(100));
}

TEST(QtTimerService, CancelledTimerDoesNotFire)
{
    QtTimerService timers;
    std::vector<int> fired;
    timers.setExpiryHandler([&](int id) { fired.push_back(id); });
    timers.arm(1, 10ms);
    timers.arm(3, 30ms);
    timers.cancel(1);
    EXPECT_FALSE(timers.isArmed(1));
    ASSERT_TRUE(processEventsUntil([&] { return !fired.empty(); }));
    EXPECT_EQ(fired, (std::vector<int>{3}));
}

}  // namespace
}  // namespace tonel::testing

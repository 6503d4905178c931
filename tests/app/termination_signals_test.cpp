#include "AppFakes.h"
#include "app/TerminationSignals.h"

#include <csignal>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

class TerminationSignalsTest : public ::testing::TestWithParam<int> {};

TEST_P(TerminationSignalsTest, SignalRunsTheHandlerOnTheWindowThread)
{
    ASSERT_TRUE(TerminationSignals::block());
    int calls = 0;
    TerminationSignals signalsSeen([&] { ++calls; });
    ASSERT_TRUE(signalsSeen.active());
    ASSERT_EQ(raise(GetParam()), 0);  // blocked: it waits on the signalfd instead of killing us
    EXPECT_EQ(calls, 0);
    ASSERT_TRUE(processEventsUntil([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

}  // namespace
}  // namespace tonel::testing

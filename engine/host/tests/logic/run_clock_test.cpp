// The run clocks: the machine's monotonic clock, the run dialog's timer as a
// clock, and the virtual clock of the tests.
#include <gtest/gtest.h>

#include "engine/host/MonotonicRunClock.h"
#include "engine/host/TimerRunClock.h"
#include "engine/host/tests/support/VirtualRunClock.h"
#include "engine/timer/TimerMs.h"

namespace qel {

namespace {

TEST(MonotonicRunClock, SleepsUntilTheTimeAskedForAndResetStartsAgain) {
  CMonotonicRunClock clock;
  const uint32_t start = clock.NowMs();
  clock.SleepUntilMs(start + 15);
  EXPECT_GE(clock.NowMs(), start + 15);
  clock.Reset();
  EXPECT_LT(clock.NowMs(), 1000u);  // loose: only that it went back
  clock.SleepUntilMs(0);            // a time already past returns at once
}

TEST(TimerRunClock, ReadsTheTimerAndSleepsOnIt) {
  CTimerMs timer;
  CTimerRunClock clock(timer);
  EXPECT_EQ(clock.NowMs(), 0u);
  clock.SleepUntilMs(50);  // a timer without its clock cannot be waited on
  EXPECT_EQ(clock.NowMs(), 0u);
  ASSERT_TRUE(timer.Init());
  clock.SleepUntilMs(12);
  EXPECT_GE(timer.GetElapsedMs(), 12u);
  EXPECT_GE(clock.NowMs(), 12u);
}

TEST(VirtualRunClock, MovesOnlyBySleepsAndReadSteps) {
  test::VirtualRunClock clock;
  EXPECT_EQ(clock.NowMs(), 0u);
  EXPECT_EQ(clock.NowMs(), 0u);
  clock.SleepUntilMs(25);
  EXPECT_EQ(clock.NowMs(), 25u);
  clock.SleepUntilMs(10);  // in the past: no change
  EXPECT_EQ(clock.NowMs(), 25u);
  clock.SetStep(2);
  EXPECT_EQ(clock.NowMs(), 25u);
  EXPECT_EQ(clock.NowMs(), 27u);
  EXPECT_EQ(clock.Peek(), 29u);
  EXPECT_EQ(clock.Sleeps(), 2);
}

}  // namespace

}  // namespace qel

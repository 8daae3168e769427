#include <gtest/gtest.h>

#include <vector>

#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"

namespace qel {

namespace {

struct CallLog {
  std::vector<intptr_t> calls;
  static void Record(intptr_t arg) { Current()->calls.push_back(arg); }
  static CallLog*& Current() {
    static CallLog* log = nullptr;
    return log;
  }
};

class TimerMsTest : public ::testing::Test {
 protected:
  void SetUp() override { CallLog::Current() = &log; }
  void TearDown() override { CallLog::Current() = nullptr; }

  ManualTickSource clock{5'000'000'000};  // any origin
  CTimerMs timer{&clock};
  CallLog log;
};

TEST_F(TimerMsTest, ClockCountsWholeMillisecondsSinceInitIndependentOfBeats) {
  ASSERT_TRUE(timer.Init());
  clock.AdvanceNs(1'999'999);
  EXPECT_EQ(timer.GetElapsedMs(), 1u);
  clock.AdvanceNs(1);
  EXPECT_EQ(timer.GetElapsedMs(), 2u);
  clock.AdvanceMs(10);  // no beats at all: the clock still moves
  EXPECT_EQ(timer.GetElapsedMs(), 12u);
  timer.Reset();
  EXPECT_EQ(timer.GetElapsedMs(), 0u);
  clock.AdvanceMs(49LL * 24 * 3600 * 1000);  // long runs do not overflow the conversion
  EXPECT_EQ(timer.GetElapsedMs(), static_cast<uint32_t>(49ULL * 24 * 3600 * 1000));
}

TEST_F(TimerMsTest, WithoutClockInitFailsAndTheBeatDoesNotStart) {
  clock.SetHasClock(false);
  EXPECT_FALSE(timer.Init());
  EXPECT_FALSE(timer.HasCounter());
  clock.AdvanceMs(5);
  EXPECT_EQ(timer.GetElapsedMs(), 0u);
  EXPECT_FALSE(timer.Start(&CallLog::Record, 1));
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_STREQ(CTimerMs::kNotAvailableText, "Timer not available!");
}

TEST_F(TimerMsTest, RefusedBeatLeavesTheTimerStopped) {
  clock.SetStartRefused(true);
  EXPECT_FALSE(timer.Start(&CallLog::Record, 1));
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_FALSE(clock.Beat());
}

TEST_F(TimerMsTest, EachBeatCallsTheCallbackWithItsArgumentAfterCountingIt) {
  ASSERT_TRUE(timer.Start(&CallLog::Record, 42));
  EXPECT_EQ(clock.RunMs(3), 3u);
  EXPECT_EQ(log.calls, (std::vector<intptr_t>{42, 42, 42}));
  EXPECT_EQ(timer.BeatCount(), 3u);
  EXPECT_EQ(timer.ElapsedAtLastBeatMs(), 3u);
  EXPECT_EQ(timer.InCallbackCount(), 0);
}

TEST_F(TimerMsTest, StartWhileRunningKeepsTheFirstCallback) {
  ASSERT_TRUE(timer.Start(&CallLog::Record, 1));
  clock.RunMs(2);
  EXPECT_TRUE(timer.Start(&CallLog::Record, 2));
  clock.RunMs(2);
  EXPECT_EQ(log.calls, (std::vector<intptr_t>{1, 1, 1, 1}));
  EXPECT_EQ(timer.BeatCount(), 4u);  // the second Start did not re-initialise
}

TEST_F(TimerMsTest, StopEndsTheBeatAndForgetsTheCallback) {
  ASSERT_TRUE(timer.Start(&CallLog::Record, 1));
  clock.RunMs(1);
  timer.Stop();
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_FALSE(clock.Beat());
  CTimerMs::OnTick(nullptr, 0);  // a beat without owner does nothing
  EXPECT_EQ(log.calls.size(), 1u);
  ASSERT_TRUE(timer.Start(&CallLog::Record, 7));  // restarts with the new callback, fresh figures
  EXPECT_EQ(timer.BeatCount(), 0u);
  clock.RunMs(1);
  EXPECT_EQ(log.calls.back(), 7);
}

TEST_F(TimerMsTest, TheCallbackRunsInsideTheInCallbackCount) {
  static CTimerMs* watched = nullptr;
  static int seen = -1;
  watched = &timer;
  ASSERT_TRUE(timer.Start([](intptr_t) { seen = watched->InCallbackCount(); }, 0));
  clock.RunMs(1);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(timer.InCallbackCount(), 0);
}

// Beat moments (ms after the start) -> late beats and largest gap.
struct GapCase {
  std::vector<int> beatAtMs;
  uint32_t late;
  uint32_t largest;
};

class TimerMsGapTest : public TimerMsTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(TimerMsGapTest, GapsAboveTwoMillisecondsCountAsLate) {
  ASSERT_TRUE(timer.Start(&CallLog::Record, 0));
  int at = 0;
  for (int t : GetParam().beatAtMs) {
    clock.AdvanceMs(t - at);
    at = t;
    ASSERT_TRUE(clock.Beat());
  }
  EXPECT_EQ(timer.LateCount(), GetParam().late);
  EXPECT_EQ(timer.LargestGapMs(), GetParam().largest);
  EXPECT_EQ(timer.BeatCount(), GetParam().beatAtMs.size());
  EXPECT_EQ(timer.ElapsedAtLastBeatMs(), static_cast<uint32_t>(at));
}

INSTANTIATE_TEST_SUITE_P(Beats, TimerMsGapTest,
                         ::testing::Values(GapCase{{1, 2, 3, 4}, 0, 1},
                                           GapCase{{1, 2, 5, 6}, 1, 3},  // one beat delayed by 3 ms
                                           GapCase{{2, 4, 6}, 0, 2},     // 2 ms is not late yet
                                           GapCase{{1, 6, 7, 11}, 2, 5},
                                           GapCase{{1, 1, 2}, 0, 1}));   // two beats in the same ms

}  // namespace

}  // namespace qel

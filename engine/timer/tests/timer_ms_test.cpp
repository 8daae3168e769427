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
  void SetUp() override { CallLog::Current() = &m_log; }
  void TearDown() override { CallLog::Current() = nullptr; }

  ManualTickSource m_clock{5'000'000'000};  // any origin
  CTimerMs m_timer{&m_clock};
  CallLog m_log;
};

TEST_F(TimerMsTest, ClockCountsWholeMillisecondsSinceInitIndependentOfBeats) {
  ASSERT_TRUE(m_timer.Init());
  m_clock.AdvanceNs(1'999'999);
  EXPECT_EQ(m_timer.GetElapsedMs(), 1u);
  m_clock.AdvanceNs(1);
  EXPECT_EQ(m_timer.GetElapsedMs(), 2u);
  m_clock.AdvanceMs(10);  // no beats at all: the clock still moves
  EXPECT_EQ(m_timer.GetElapsedMs(), 12u);
  m_timer.Reset();
  EXPECT_EQ(m_timer.GetElapsedMs(), 0u);
  m_clock.AdvanceMs(49LL * 24 * 3600 * 1000);  // long runs do not overflow the conversion
  EXPECT_EQ(m_timer.GetElapsedMs(), static_cast<uint32_t>(49ULL * 24 * 3600 * 1000));
}

TEST_F(TimerMsTest, WithoutClockInitFailsAndTheBeatDoesNotStart) {
  m_clock.SetHasClock(false);
  EXPECT_FALSE(m_timer.Init());
  EXPECT_FALSE(m_timer.HasCounter());
  m_clock.AdvanceMs(5);
  EXPECT_EQ(m_timer.GetElapsedMs(), 0u);
  EXPECT_FALSE(m_timer.Start(&CallLog::Record, 1));
  EXPECT_FALSE(m_timer.IsRunning());
  EXPECT_STREQ(CTimerMs::kNotAvailableText, "Timer not available!");
}

TEST_F(TimerMsTest, RefusedBeatLeavesTheTimerStopped) {
  m_clock.SetStartRefused(true);
  EXPECT_FALSE(m_timer.Start(&CallLog::Record, 1));
  EXPECT_FALSE(m_timer.IsRunning());
  EXPECT_FALSE(m_clock.Beat());
}

TEST_F(TimerMsTest, EachBeatCallsTheCallbackWithItsArgumentAfterCountingIt) {
  ASSERT_TRUE(m_timer.Start(&CallLog::Record, 42));
  EXPECT_EQ(m_clock.RunMs(3), 3u);
  EXPECT_EQ(m_log.calls, (std::vector<intptr_t>{42, 42, 42}));
  EXPECT_EQ(m_timer.BeatCount(), 3u);
  EXPECT_EQ(m_timer.ElapsedAtLastBeatMs(), 3u);
  EXPECT_EQ(m_timer.InCallbackCount(), 0);
}

TEST_F(TimerMsTest, StartWhileRunningKeepsTheFirstCallback) {
  ASSERT_TRUE(m_timer.Start(&CallLog::Record, 1));
  m_clock.RunMs(2);
  EXPECT_TRUE(m_timer.Start(&CallLog::Record, 2));
  m_clock.RunMs(2);
  EXPECT_EQ(m_log.calls, (std::vector<intptr_t>{1, 1, 1, 1}));
  EXPECT_EQ(m_timer.BeatCount(), 4u);  // the second Start did not re-initialise
}

TEST_F(TimerMsTest, StopEndsTheBeatAndForgetsTheCallback) {
  ASSERT_TRUE(m_timer.Start(&CallLog::Record, 1));
  m_clock.RunMs(1);
  m_timer.Stop();
  EXPECT_FALSE(m_timer.IsRunning());
  EXPECT_FALSE(m_clock.Beat());
  CTimerMs::OnTick(nullptr, 0);  // a beat without owner does nothing
  EXPECT_EQ(m_log.calls.size(), 1u);
  ASSERT_TRUE(m_timer.Start(&CallLog::Record, 7));  // restarts with the new callback, fresh figures
  EXPECT_EQ(m_timer.BeatCount(), 0u);
  m_clock.RunMs(1);
  EXPECT_EQ(m_log.calls.back(), 7);
}

TEST_F(TimerMsTest, TheCallbackRunsInsideTheInCallbackCount) {
  static CTimerMs* watched = nullptr;
  static int seen = -1;
  watched = &m_timer;
  ASSERT_TRUE(m_timer.Start([](intptr_t) { seen = watched->InCallbackCount(); }, 0));
  m_clock.RunMs(1);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(m_timer.InCallbackCount(), 0);
}

// Beat moments (ms after the start) -> late beats and largest gap.
struct GapCase {
  std::vector<int> beatAtMs;
  uint32_t late;
  uint32_t largest;
};

class TimerMsGapTest : public TimerMsTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(TimerMsGapTest, GapsAboveTwoMillisecondsCountAsLate) {
  ASSERT_TRUE(m_timer.Start(&CallLog::Record, 0));
  int at = 0;
  for (int t : GetParam().beatAtMs) {
    m_clock.AdvanceMs(t - at);
    at = t;
    ASSERT_TRUE(m_clock.Beat());
  }
  EXPECT_EQ(m_timer.LateCount(), GetParam().late);
  EXPECT_EQ(m_timer.LargestGapMs(), GetParam().largest);
  EXPECT_EQ(m_timer.BeatCount(), GetParam().beatAtMs.size());
  EXPECT_EQ(m_timer.ElapsedAtLastBeatMs(), static_cast<uint32_t>(at));
}

INSTANTIATE_TEST_SUITE_P(Beats, TimerMsGapTest,
                         ::testing::Values(GapCase{{1, 2, 3, 4}, 0, 1},
                                           GapCase{{1, 2, 5, 6}, 1, 3},  // one beat delayed by 3 ms
                                           GapCase{{2, 4, 6}, 0, 2},     // 2 ms is not late yet
                                           GapCase{{1, 6, 7, 11}, 2, 5},
                                           GapCase{{1, 1, 2}, 0, 1}));  // two beats in the same ms

}  // namespace

}  // namespace qel

// The real beat thread. Bounds are loose on purpose: the machine may be busy.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/timer/MonotonicTickThread.h"
#include "engine/timer/TimerMs.h"

namespace qel {

namespace {

using namespace std::chrono_literals;
constexpr int64_t kPeriod = 1'000'000;

struct Beats {
  MonotonicTickThread* source = nullptr;
  std::vector<int64_t> scheduled;  // written by the beat thread only until Stop
  std::atomic<int> count{0};
  int stallAt = -1;  // beat index that stalls
  int64_t stallNs = 0;
  int64_t stallEndNs = 0;
  int stopAt = -1;  // beat index that stops the beats from inside
};

void Record(void* context, int64_t scheduledNs) {
  auto* b = static_cast<Beats*>(context);
  const int index = b->count.load();
  if (b->scheduled.size() < 100000) b->scheduled.push_back(scheduledNs);
  if (index == b->stallAt) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(b->stallNs));
    b->stallEndNs = b->source->NowNs();
  }
  if (index == b->stopAt) b->source->StopBeats();
  b->count.fetch_add(1);
}

bool WaitForCount(const Beats& b, int n) {
  for (int i = 0; i < 4000 && b.count.load() < n; ++i) std::this_thread::sleep_for(1ms);
  return b.count.load() >= n;
}

TEST(MonotonicTickThread, BeatsOnAbsoluteMillisecondDeadlinesUntilStopJoins) {
  MonotonicTickThread beat;
  Beats b;
  b.source = &beat;
  ASSERT_TRUE(beat.HasClock());
  const int64_t before = beat.NowNs();
  ASSERT_TRUE(beat.StartBeats(&Record, &b));
  EXPECT_TRUE(beat.BeatsRunning());
  EXPECT_FALSE(beat.StartBeats(&Record, &b));  // already running
  ASSERT_TRUE(WaitForCount(b, 50));
  beat.StopBeats();
  EXPECT_FALSE(beat.BeatsRunning());
  const int after = b.count.load();
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(b.count.load(), after) << "a beat came after StopBeats returned";

  ASSERT_GE(b.scheduled.size(), 50u);
  EXPECT_GT(b.scheduled[0], before);
  EXPECT_LE(b.scheduled[0] - before, 50 * kPeriod);
  for (size_t i = 1; i < b.scheduled.size(); ++i) {
    const int64_t step = b.scheduled[i] - b.scheduled[i - 1];
    ASSERT_GT(step, 0);
    ASSERT_EQ(step % kPeriod, 0) << "deadlines drifted off the 1 ms grid";
  }
  const MonotonicTickThread::Stats stats = beat.GetStats();
  EXPECT_EQ(stats.beats, static_cast<uint64_t>(after));
}

TEST(MonotonicTickThread, AStallSkipsThePassedDeadlinesInsteadOfBursting) {
  MonotonicTickThread beat;
  Beats b;
  b.source = &beat;
  b.stallAt = 5;
  b.stallNs = 8 * kPeriod;
  ASSERT_TRUE(beat.StartBeats(&Record, &b));
  ASSERT_TRUE(WaitForCount(b, 20));
  beat.StopBeats();
  ASSERT_GT(b.scheduled.size(), 6u);
  // Only one beat may stand for all deadlines that passed during the stall.
  EXPECT_GT(b.scheduled[6], b.stallEndNs - kPeriod);
  EXPECT_GE(beat.GetStats().missedBeats, 6u);
  EXPECT_GE(beat.GetStats().maxLatenessNs, 0);
}

TEST(MonotonicTickThread, StopFromInsideABeatEndsTheBeatsAndAllowsARestart) {
  MonotonicTickThread beat;
  Beats b;
  b.source = &beat;
  b.stopAt = 3;
  ASSERT_TRUE(beat.StartBeats(&Record, &b));
  ASSERT_TRUE(WaitForCount(b, 4));
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(b.count.load(), 4);
  EXPECT_FALSE(beat.BeatsRunning());

  Beats again;
  again.source = &beat;
  ASSERT_TRUE(beat.StartBeats(&Record, &again));
  EXPECT_TRUE(WaitForCount(again, 5));
  beat.StopBeats();
}

std::atomic<int> g_runCalls{0};
void CountCall(intptr_t arg) { g_runCalls.fetch_add(static_cast<int>(arg)); }

TEST(MonotonicTickThread, DrivesTheRunTimerWhoseStopJoins) {
  g_runCalls.store(0);
  CTimerMs timer;  // its own beat thread
  ASSERT_TRUE(timer.Init());
  ASSERT_TRUE(timer.Start(&CountCall, 1));
  for (int i = 0; i < 4000 && g_runCalls.load() < 30; ++i) std::this_thread::sleep_for(1ms);
  timer.Stop();
  const int calls = g_runCalls.load();
  EXPECT_GE(calls, 30);
  EXPECT_GE(timer.BeatCount(), static_cast<uint32_t>(calls));
  EXPECT_GE(timer.GetElapsedMs(), timer.ElapsedAtLastBeatMs());
  EXPECT_GE(timer.ElapsedAtLastBeatMs(), 30u);
  std::this_thread::sleep_for(10ms);
  EXPECT_EQ(g_runCalls.load(), calls);
}

}  // namespace

}  // namespace qel

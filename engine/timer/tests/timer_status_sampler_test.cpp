#include <gtest/gtest.h>

#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "engine/timer/TimerStatusSampler.h"

namespace qel {

namespace {

// The callback samples the status while the beat runs; `nest` more beats
// are given from inside it, so the sample sees overlapping callbacks.
struct Probe {
  CTimerMs* timer = nullptr;
  TimerStatusSampler* sampler = nullptr;
  int nest = 0;
  int depth = 0;
};
Probe g_probe;

void ProbeCallback(intptr_t) {
  if (g_probe.depth < g_probe.nest) {
    ++g_probe.depth;
    CTimerMs::OnTick(g_probe.timer, 0);
    --g_probe.depth;
    return;
  }
  g_probe.sampler->Sample();
}

TEST(TimerStatusSampler, CopiesTheFiguresAndCountsIdleBusyAndOverlapped) {
  ManualTickSource clock;
  CTimerMs timer(&clock);
  TimerStatusSampler sampler(timer);
  g_probe = Probe{&timer, &sampler, 0, 0};
  ASSERT_TRUE(timer.Start(&ProbeCallback, 0));

  clock.RunMs(3);    // three busy samples
  sampler.Sample();  // idle
  g_probe.nest = 1;
  clock.RunMs(1);  // a sample inside two overlapping callbacks
  g_probe.nest = 0;

  const TimerStatusFigures& f = sampler.Sample();  // idle again
  EXPECT_EQ(f.busy, 3u);
  EXPECT_EQ(f.idle, 2u);
  EXPECT_EQ(f.overlapped, 1u);
  EXPECT_EQ(f.loadPercent, 60u);  // 3 x 100 / 5, overlapped samples left out
  EXPECT_EQ(f.beats, 5u);         // the nested beat counts as a beat
  EXPECT_EQ(f.elapsedMs, 4u);
  EXPECT_EQ(f.lateBeats, 0u);
  EXPECT_EQ(f.largestGapMs, 1u);
  timer.Stop();
}

TEST(TimerStatusSampler, LoadIsZeroBeforeAnySample) {
  ManualTickSource clock;
  CTimerMs timer(&clock);
  TimerStatusSampler sampler(timer);
  EXPECT_EQ(sampler.Figures().loadPercent, 0u);
  EXPECT_EQ(sampler.Sample().loadPercent, 0u);  // one idle sample
  EXPECT_EQ(sampler.Figures().idle, 1u);
}

}  // namespace

}  // namespace qel

// What the "Timer Status" dialog shows: the watched timer's figures, copied
// at each sample, and how busy the beat was, judged from how often a sample
// finds the beat callback running (idle: not running, busy: running once,
// overlapped: running more than once).
#pragma once

#include <cstdint>

#include "engine/timer/TimerMs.h"

namespace qel {

struct TimerStatusFigures {
  uint32_t beats = 0;
  uint32_t elapsedMs = 0;
  uint32_t lateBeats = 0;
  uint32_t largestGapMs = 0;
  uint32_t idle = 0;
  uint32_t busy = 0;
  uint32_t overlapped = 0;
  uint32_t loadPercent = 0;  // busy x 100 / (idle + busy)
  bool realTime = false;     // the beat runs under real-time scheduling
};

class TimerStatusSampler {
 public:
  explicit TimerStatusSampler(const CTimerMs& timer) : m_timer(timer) {}

  const TimerStatusFigures& Sample();
  const TimerStatusFigures& Figures() const { return m_figures; }

 private:
  const CTimerMs& m_timer;
  TimerStatusFigures m_figures;
};

}  // namespace qel

#include "engine/timer/TimerStatusSampler.h"

namespace qel {

const TimerStatusFigures& TimerStatusSampler::Sample() {
  m_figures.beats = m_timer.BeatCount();
  m_figures.elapsedMs = m_timer.ElapsedAtLastBeatMs();
  m_figures.lateBeats = m_timer.LateCount();
  m_figures.largestGapMs = m_timer.LargestGapMs();
  m_figures.realTime = m_timer.IsRealTime();
  switch (m_timer.InCallbackCount()) {
    case 0:
      ++m_figures.idle;
      break;
    case 1:
      ++m_figures.busy;
      break;
    default:
      ++m_figures.overlapped;
      break;
  }
  const uint64_t samples = static_cast<uint64_t>(m_figures.idle) + m_figures.busy;
  m_figures.loadPercent = samples == 0 ? 0 : static_cast<uint32_t>(m_figures.busy * uint64_t{100} / samples);
  return m_figures;
}

}  // namespace qel

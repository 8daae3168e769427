#include "engine/timer/TimerStatusSampler.h"

namespace qel {


const TimerStatusFigures& TimerStatusSampler::Sample() {
  figures_.beats = timer_.BeatCount();
  figures_.elapsedMs = timer_.ElapsedAtLastBeatMs();
  figures_.lateBeats = timer_.LateCount();
  figures_.largestGapMs = timer_.LargestGapMs();
  switch (timer_.InCallbackCount()) {
    case 0: ++figures_.idle; break;
    case 1: ++figures_.busy; break;
    default: ++figures_.overlapped; break;
  }
  const uint64_t samples = static_cast<uint64_t>(figures_.idle) + figures_.busy;
  figures_.loadPercent = samples == 0 ? 0 : static_cast<uint32_t>(figures_.busy * uint64_t{100} / samples);
  return figures_;
}

}  // namespace qel

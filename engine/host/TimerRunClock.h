// The run dialog's millisecond timer as the host's run clock: the run time
// is the timer's elapsed time, so plug-ins and the trial state machine read
// the same clock. Sleeps wait on the machine's monotonic clock until the
// timer has reached the time asked for.
#pragma once

#include <cstdint>

#include "engine/host/RunClock.h"

namespace qel {

class CTimerMs;

class CTimerRunClock final : public IRunClock {
 public:
  // The timer is not owned and must outlive the clock.
  explicit CTimerRunClock(const CTimerMs& timer) : m_timer(timer) {}

  uint32_t NowMs() override;
  void SleepUntilMs(uint32_t timeMs) override;
  uint32_t MsAt(int64_t monotonicNs) override;

 private:
  const CTimerMs& m_timer;
};

}  // namespace qel

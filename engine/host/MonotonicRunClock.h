// The machine's monotonic clock as a run clock: the origin is the moment of
// construction or of the last Reset, sleeps end on absolute deadlines
// (clock_nanosleep with TIMER_ABSTIME), so an early wake-up is slept again.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/host/RunClock.h"

namespace qel {

class CMonotonicRunClock final : public IRunClock {
 public:
  CMonotonicRunClock();

  // The clock starts again from 0.
  void Reset();

  uint32_t NowMs() override;
  void SleepUntilMs(uint32_t timeMs) override;
  uint32_t MsAt(int64_t monotonicNs) override;

 private:
  std::atomic<int64_t> m_originNs{0};
};

}  // namespace qel

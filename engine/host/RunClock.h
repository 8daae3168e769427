// The clock a run is timed by, as the task host reads it: milliseconds since
// the run's origin, and a sleep that ends once the clock has reached a given
// time. The host's run time and every wait a plug-in makes go through one
// such clock, so a test can run plug-ins on a virtual clock.
#pragma once

#include <cstdint>

namespace qel {

class IRunClock {
 public:
  virtual ~IRunClock() = default;

  // Milliseconds since the clock's origin, truncated.
  virtual uint32_t NowMs() = 0;
  // Returns once NowMs() has reached timeMs (at once when it already has).
  virtual void SleepUntilMs(uint32_t timeMs) = 0;
  // The clock's time (ms, truncated; 0 before its origin) at a
  // CLOCK_MONOTONIC moment in ns, such as an input event's stamp.
  virtual uint32_t MsAt(int64_t monotonicNs) = 0;
};

}  // namespace qel

// The system's monotonic clock (CLOCK_MONOTONIC) in ns: the one time base
// of input event stamps, frame stamps and the run's beat.
#pragma once

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace qel {

inline int64_t MonotonicNowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// How long before a moment a wait stops sleeping and watches the clock:
// a sleep may overshoot by about this much.
constexpr int64_t kWaitSpinNs = 200'000;

// Returns at the CLOCK_MONOTONIC moment `ns` (at once when it has passed):
// sleeps until just before it, then watches the clock.
inline void WaitUntilMonotonicNs(int64_t ns) {
  const int64_t wake = ns - kWaitSpinNs;
  if (wake > MonotonicNowNs()) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(wake / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(wake % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
  }
  while (MonotonicNowNs() < ns) {
  }
}

}  // namespace qel

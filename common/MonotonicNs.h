// The system's monotonic clock (CLOCK_MONOTONIC) in ns: the one time base
// of input event stamps, frame stamps and the run's beat.
#pragma once

#include <cstdint>
#include <ctime>

namespace qel {

inline int64_t MonotonicNowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace qel

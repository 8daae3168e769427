#include "display/VblankClock.h"

#include <cstdlib>
#include <limits>

namespace qel {

namespace display {

namespace {

constexpr int64_t kNsPerUs = 1000;
constexpr int64_t kMaxUst = std::numeric_limits<int64_t>::max() / kNsPerUs;

}  // namespace

bool UstToMonotonicNs(int64_t ust, const UstReading& reading, int64_t* ns) {
  if (ust <= 0 || reading.ust <= 0 || reading.monotonicNs <= 0) return false;
  if (ust > kMaxUst || reading.ust > kMaxUst) return false;
  const int64_t readingUstNs = reading.ust * kNsPerUs;
  // The swap was done before the pair was read.
  if (ust > reading.ust) return false;
  if (std::llabs(readingUstNs - reading.monotonicNs) <= kSameClockToleranceNs) {
    *ns = ust * kNsPerUs;
    return true;
  }
  const int64_t sinceSwapNs = (reading.ust - ust) * kNsPerUs;
  if (sinceSwapNs >= reading.monotonicNs) return false;
  *ns = reading.monotonicNs - sinceSwapNs;
  return true;
}

}  // namespace display

}  // namespace qel

// The time of a vertical-blank swap on this system's monotonic clock. The
// GLX swap timestamps (UST) count microseconds on a clock of the driver's
// choice: on Mesa's DRI it is CLOCK_MONOTONIC, elsewhere it may not be. A
// reading pair (a UST and a monotonic time taken back to back) tells
// which: when the two agree the UST is taken as it stands, otherwise the
// swap is placed by its distance from the pair's UST.
#pragma once

#include <cstdint>

namespace qel {

namespace display {

// A UST and the monotonic clock read together.
struct UstReading {
  int64_t ust = 0;          // microseconds, of the last vertical blank
  int64_t monotonicNs = 0;  // CLOCK_MONOTONIC
};

// How far apart a reading pair may lie and still be one clock: the pair's
// UST is that of the last vertical blank (up to a refresh period, 100 ms
// at 10 Hz, before the reading) and takes a round trip to the X server.
// Two different clocks lie years apart.
constexpr int64_t kSameClockToleranceNs = 100'000'000;

// The swap's UST on CLOCK_MONOTONIC (ns). False for a UST the driver did not
// fill in (0 or less), a reading without a UST, a swap after the reading
// (the pair is taken once the swap is done) or a UST out of range.
bool UstToMonotonicNs(int64_t ust, const UstReading& reading, int64_t* ns);

}  // namespace display

}  // namespace qel

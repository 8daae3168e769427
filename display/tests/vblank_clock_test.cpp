// Placing a vertical-blank swap's UST on the monotonic clock.
#include <gtest/gtest.h>

#include <cstdint>

#include "display/VblankClock.h"

namespace qel {

namespace display {
namespace {

constexpr int64_t kMonoNow = 5'000'000'000'000;       // 5000 s after boot, in ns
constexpr int64_t kRealtimeUs = 1'765'400'000'000'000;  // a wall-clock UST, in µs

struct UstCase {
  const char* name;
  int64_t ust;
  UstReading reading;
  bool ok;
  int64_t ns;
};

TEST(VblankClock, UstOnTheMonotonicClock) {
  const UstCase cases[] = {
      // Mesa's DRI: the UST is CLOCK_MONOTONIC in µs, taken as it stands.
      {"same clock, swap 2 ms before the reading", kMonoNow / 1000 - 2000, {kMonoNow / 1000, kMonoNow}, true,
       kMonoNow - 2'000'000},
      {"same clock, pair a refresh apart (last blank's UST)", kMonoNow / 1000 - 500,
       {kMonoNow / 1000, kMonoNow + 16'700'000}, true, kMonoNow - 500'000},
      {"same clock, pair just within the tolerance", kMonoNow / 1000, {kMonoNow / 1000, kMonoNow + kSameClockToleranceNs},
       true, kMonoNow},
      {"same clock, swap at the reading", kMonoNow / 1000, {kMonoNow / 1000, kMonoNow}, true, kMonoNow},
      // Another clock (wall clock): placed by its distance from the pair.
      {"wall clock, swap 2 ms before the reading", kRealtimeUs - 2000, {kRealtimeUs, kMonoNow}, true,
       kMonoNow - 2'000'000},
      {"clock just beyond the tolerance: placed by distance", kMonoNow / 1000 - 1000,
       {kMonoNow / 1000, kMonoNow + kSameClockToleranceNs + 1}, true, kMonoNow + kSameClockToleranceNs + 1 - 1'000'000},
      {"clock 1 s ahead: placed by distance", kMonoNow / 1000 + 1'000'000 - 3000, {kMonoNow / 1000 + 1'000'000, kMonoNow},
       true, kMonoNow - 3'000'000},
      // Not a time.
      {"UST not filled in", 0, {kMonoNow / 1000, kMonoNow}, false, 0},
      {"negative UST", -5, {kMonoNow / 1000, kMonoNow}, false, 0},
      {"reading without a UST", kMonoNow / 1000, {0, kMonoNow}, false, 0},
      {"reading without a monotonic time", kMonoNow / 1000, {kMonoNow / 1000, 0}, false, 0},
      {"swap after the reading", kMonoNow / 1000 + 1, {kMonoNow / 1000, kMonoNow}, false, 0},
      {"swap before the monotonic clock began", 1, {kRealtimeUs, kMonoNow}, false, 0},
      {"UST out of range", INT64_MAX / 10, {INT64_MAX / 10, kMonoNow}, false, 0},
  };
  for (const UstCase& c : cases) {
    SCOPED_TRACE(c.name);
    int64_t ns = -1;
    EXPECT_EQ(UstToMonotonicNs(c.ust, c.reading, &ns), c.ok);
    if (c.ok) {
      EXPECT_EQ(ns, c.ns);
    } else {
      EXPECT_EQ(ns, -1);  // left alone
    }
  }
}

}  // namespace
}  // namespace display

}  // namespace qel

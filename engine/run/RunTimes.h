// Millisecond arithmetic of the run clock shared by the tick and the handlers.
#pragma once

#include <cstdint>
#include <limits>

namespace qel {

constexpr int64_t kNsPerMs = 1'000'000;

// Run clock ns as whole ms, truncated like the clock's own ms (never below
// 0, at most the far end of the ms clock).
inline uint32_t MsOfNs(int64_t ns) {
  if (ns <= 0) return 0;
  const int64_t ms = ns / kNsPerMs;
  return ms > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(ms);
}

// A duration in ns rounded once to the nearest whole ms (halves away from
// 0): the one place where a reaction time becomes whole milliseconds.
inline int32_t RoundedMs(int64_t ns) {
  const int64_t half = kNsPerMs / 2;
  return static_cast<int32_t>(ns >= 0 ? (ns + half) / kNsPerMs : -((-ns + half) / kNsPerMs));
}

// A plug-in's millisecond answer as a duration: a negative answer counts as 0.
inline uint32_t AsDuration(int32_t ms) { return ms > 0 ? static_cast<uint32_t>(ms) : 0; }

// The time ms after t. Task words are not validated, so a huge interval or
// window must not wrap round to a time in the past (a trial that fires and
// times out at once); it stays at the far end of the clock instead.
inline uint32_t LaterMs(uint32_t t, uint32_t ms) {
  return ms > std::numeric_limits<uint32_t>::max() - t ? std::numeric_limits<uint32_t>::max() : t + ms;
}

}  // namespace qel

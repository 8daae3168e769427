// Millisecond arithmetic of the run clock shared by the tick and the handlers.
#pragma once

#include <cstdint>
#include <limits>

namespace qel {

// A plug-in's millisecond answer as a duration: a negative answer counts as 0.
inline uint32_t AsDuration(int32_t ms) { return ms > 0 ? static_cast<uint32_t>(ms) : 0; }

// The time ms after t. Task words are not validated, so a huge interval or
// window must not wrap round to a time in the past (a trial that fires and
// times out at once); it stays at the far end of the clock instead.
inline uint32_t LaterMs(uint32_t t, uint32_t ms) {
  return ms > std::numeric_limits<uint32_t>::max() - t ? std::numeric_limits<uint32_t>::max() : t + ms;
}

}  // namespace qel

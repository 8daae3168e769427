// A whole number drawn from [0, n) with every value equally likely, from a
// generator of 32-bit values (std::mt19937): draws at or past the last whole
// multiple of n are drawn again. Shared by the run's random intervals, the
// tasks' random pictures and the trial-list generator.
#pragma once

#include <cstdint>

namespace qel {

// n from 1 to 2^32.
template <typename Engine>
uint64_t QelDrawBelow(Engine& engine, uint64_t n) {
  const uint64_t range = uint64_t{1} << 32;
  const uint64_t limit = range - range % n;
  for (;;) {
    const uint64_t value = static_cast<uint32_t>(engine());
    if (value < limit) return value % n;
  }
}

}  // namespace qel

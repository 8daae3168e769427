#include "engine/run/RunRandom.h"

namespace qel {

uint32_t CRunRandom::Interval(uint32_t low, uint32_t high) {
  if (high <= low) return low;
  // Span up to 2^32; the rejection keeps the draw uniform over it.
  const uint64_t span = static_cast<uint64_t>(high) - low + 1;
  const uint64_t range = uint64_t{1} << 32;
  const uint64_t limit = range - range % span;
  uint64_t v;
  do {
    v = m_engine();
  } while (v >= limit);
  return low + static_cast<uint32_t>(v % span);
}

}  // namespace qel

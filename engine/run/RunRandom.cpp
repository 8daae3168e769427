#include "engine/run/RunRandom.h"

#include "include/qel/UniformDraw.h"

namespace qel {

uint32_t CRunRandom::Interval(uint32_t low, uint32_t high) {
  if (high <= low) return low;
  // Span up to 2^32, every value equally likely.
  const uint64_t span = static_cast<uint64_t>(high) - low + 1;
  return low + static_cast<uint32_t>(QelDrawBelow(m_engine, span));
}

}  // namespace qel

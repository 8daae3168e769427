#include "tools/triallists/SeededDraw.h"

#include <stdexcept>

namespace qel {

namespace triallists {

uint32_t SeededDraw::Below(uint32_t n) {
  if (n == 0) throw std::invalid_argument("draw from an empty range");
  // Draws at or past the last whole multiple of n are thrown away, so every
  // remainder is equally likely.
  const uint64_t range = uint64_t{1} << 32;
  const uint64_t limit = range - range % n;
  for (;;) {
    const uint64_t value = static_cast<uint32_t>(m_engine());
    if (value < limit) return static_cast<uint32_t>(value % n);
  }
}

}  // namespace triallists

}  // namespace qel

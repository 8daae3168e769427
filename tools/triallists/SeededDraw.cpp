#include "tools/triallists/SeededDraw.h"

#include <stdexcept>

#include "include/qel/UniformDraw.h"

namespace qel {

namespace triallists {

uint32_t SeededDraw::Below(uint32_t n) {
  if (n == 0) throw std::invalid_argument("draw from an empty range");
  return static_cast<uint32_t>(QelDrawBelow(m_engine, n));
}

}  // namespace triallists

}  // namespace qel

// Random intervals and durations of one run: one generator, seeded once when
// the run starts, so that successive draws are independent of each other and
// of the moment they are made. Used on the user-interface thread only.
#pragma once

#include <cstdint>
#include <random>

namespace qel {

class CRunRandom {
 public:
  explicit CRunRandom(uint32_t seed = 1) : m_engine(seed) {}

  void Seed(uint32_t seed) { m_engine.seed(seed); }

  // low + a uniform draw in [0, high - low]; low itself (no draw) when
  // high - low is below 1.
  uint32_t Interval(uint32_t low, uint32_t high);

 private:
  std::mt19937 m_engine;
};

}  // namespace qel

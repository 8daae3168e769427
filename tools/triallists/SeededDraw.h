// Reproducible random draws for the trial lists: std::mt19937 (whose output
// the language fixes) with draws and shuffles of our own, so the same seed
// gives the same lists with every standard library.
#pragma once

#include <cstdint>
#include <random>
#include <utility>

namespace qel {

namespace triallists {

class SeededDraw {
 public:
  explicit SeededDraw(uint32_t seed) : m_engine(seed) {}

  // A whole number in [0, n), every value equally likely; n must be > 0.
  uint32_t Below(uint32_t n);

  // Fisher-Yates shuffle of any container with size() and operator[].
  template <class Container>
  void Shuffle(Container& items) {
    for (size_t i = items.size(); i > 1; --i) {
      using std::swap;
      swap(items[i - 1], items[Below(static_cast<uint32_t>(i))]);
    }
  }

 private:
  std::mt19937 m_engine;
};

}  // namespace triallists

}  // namespace qel

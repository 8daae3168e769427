// Movement summed by one thread and taken by another without a lock: the
// sum is kept in fixed point (1/65536 of a count), the taker takes the whole
// counts and leaves the fraction for the next take, and movement added
// while a take runs is never lost.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qel {

class MotionSum {
 public:
  static constexpr int64_t kUnit = 65536;

  // Writer: adds a movement (in counts, fractions allowed).
  void Add(double counts) {
    if (!std::isfinite(counts)) return;
    m_units.fetch_add(static_cast<int64_t>(std::llround(counts * kUnit)), std::memory_order_acq_rel);
  }
  // Drops everything summed so far.
  void Clear() { m_units.store(0, std::memory_order_release); }
  // Reader: the whole counts (towards 0, at most the int32 range), the
  // rest stays.
  int32_t TakeWhole() {
    const int64_t units = m_units.load(std::memory_order_acquire);
    int64_t whole = units / kUnit;
    if (whole > std::numeric_limits<int32_t>::max()) whole = std::numeric_limits<int32_t>::max();
    if (whole < std::numeric_limits<int32_t>::min()) whole = std::numeric_limits<int32_t>::min();
    m_units.fetch_sub(whole * kUnit, std::memory_order_acq_rel);
    return static_cast<int32_t>(whole);
  }

 private:
  std::atomic<int64_t> m_units{0};
};

}  // namespace qel

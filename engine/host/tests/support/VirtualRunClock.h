// A run clock for tests: time moves only when someone sleeps on it (to the
// end of the sleep) and, when a step is set, by that step after every
// reading, so code that busy-polls the clock still sees time pass.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/host/RunClock.h"

namespace qel {

namespace test {

class VirtualRunClock final : public IRunClock {
 public:
  explicit VirtualRunClock(uint32_t stepPerReadMs = 0) : m_step(stepPerReadMs) {}

  uint32_t NowMs() override { return m_now.fetch_add(m_step.load()); }
  void SleepUntilMs(uint32_t timeMs) override {
    m_sleeps.fetch_add(1);
    uint32_t now = m_now.load();
    while (now < timeMs && !m_now.compare_exchange_weak(now, timeMs)) {
    }
  }

  // A virtual clock has no CLOCK_MONOTONIC origin: every moment is its now.
  uint32_t MsAt(int64_t) override { return m_now.load(); }

  // Reading without moving the clock.
  uint32_t Peek() const { return m_now.load(); }
  void Set(uint32_t ms) { m_now.store(ms); }
  void SetStep(uint32_t ms) { m_step.store(ms); }
  int Sleeps() const { return m_sleeps.load(); }

 private:
  std::atomic<uint32_t> m_now{0};
  std::atomic<uint32_t> m_step;
  std::atomic<int> m_sleeps{0};
};

}  // namespace test

}  // namespace qel

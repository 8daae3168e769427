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
  explicit VirtualRunClock(uint32_t stepPerReadMs = 0) : step_(stepPerReadMs) {}

  uint32_t NowMs() override { return now_.fetch_add(step_.load()); }
  void SleepUntilMs(uint32_t timeMs) override {
    sleeps_.fetch_add(1);
    uint32_t now = now_.load();
    while (now < timeMs && !now_.compare_exchange_weak(now, timeMs)) {
    }
  }

  // Reading without moving the clock.
  uint32_t Peek() const { return now_.load(); }
  void Set(uint32_t ms) { now_.store(ms); }
  void SetStep(uint32_t ms) { step_.store(ms); }
  int Sleeps() const { return sleeps_.load(); }

 private:
  std::atomic<uint32_t> now_{0};
  std::atomic<uint32_t> step_;
  std::atomic<int> sleeps_{0};
};

}  // namespace test

}  // namespace qel

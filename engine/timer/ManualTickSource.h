// A clock and beat that the caller moves by hand: the run engine's tests
// drive the trial state machine with it, beat by beat, on their own thread,
// with no real time passing. Not a device: the program itself never uses it.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/timer/TickSource.h"

namespace qel {

class ManualTickSource final : public ITickSource {
 public:
  explicit ManualTickSource(int64_t startNs = 0) : m_now(startNs) {}

  bool HasClock() const override { return m_hasClock; }
  int64_t NowNs() const override { return m_now.load(); }
  bool StartBeats(BeatFn fn, void* context) override;
  void StopBeats() override;
  bool BeatsRunning() const override { return m_running; }
  bool RealTimeAllowed() const override { return m_realTimeAllowed; }

  // A machine without a usable clock, or one whose beat cannot start.
  void SetHasClock(bool has) { m_hasClock = has; }
  void SetStartRefused(bool refused) { m_startRefused = refused; }
  // A machine where this process has no right to real-time scheduling.
  void SetRealTimeAllowed(bool allowed) { m_realTimeAllowed = allowed; }

  // Moves the clock only (a beat that comes late is AdvanceMs then Beat).
  void AdvanceNs(int64_t ns) { m_now.fetch_add(ns); }
  void AdvanceMs(int64_t ms) { AdvanceNs(ms * 1'000'000); }
  // One beat now, on the calling thread; false when the beats are not running.
  bool Beat();
  // The given number of milliseconds of regular beats: each moves the clock
  // by 1 ms and beats. Returns the beats given (fewer when a beat stops them).
  uint32_t RunMs(uint32_t ms);

 private:
  std::atomic<int64_t> m_now;
  bool m_hasClock = true;
  bool m_startRefused = false;
  bool m_realTimeAllowed = true;
  bool m_running = false;
  BeatFn m_fn = nullptr;
  void* m_context = nullptr;
};

}  // namespace qel

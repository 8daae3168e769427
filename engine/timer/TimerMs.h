// The run's clock and its 1 ms beat. The clock is the tick source's
// monotonic time in milliseconds since the last Init/Reset, independent of
// the beat: a late beat never shifts a time stamp, only the moment of the
// next check. Each beat updates the statistics that the "Timer Status"
// dialog shows and then calls the run's callback on the beat thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/timer/TickSource.h"

namespace qel {

class CTimerMs {
 public:
  using Callback = void (*)(intptr_t argument);

  // The run dialog's status text when the timer cannot be used.
  static constexpr const char* kNotAvailableText = "Timer not available!";
  // A gap between beats above this many ms counts as a late beat.
  static constexpr uint32_t kLateGapMs = 2;
  // A callback that takes longer than this counts as a long beat.
  static constexpr int64_t kLongBeatNs = 1'000'000;

  // Without a source the timer runs a beat thread of its own
  // (MonotonicTickThread); a given source is not owned and must outlive it.
  explicit CTimerMs(ITickSource* source = nullptr);
  ~CTimerMs();
  CTimerMs(const CTimerMs&) = delete;
  CTimerMs& operator=(const CTimerMs&) = delete;

  // Takes the clock, clears the statistics and resets the clock. False when
  // there is no clock.
  bool Init();
  // Clock back to 0.
  void Reset();
  // Milliseconds since the last Init/Reset, truncated; 0 without a clock.
  uint32_t GetElapsedMs() const;

  // Starts the 1 ms beat with the callback (Init first). Already running:
  // true, and the first callback stays. False when the beat cannot start.
  bool Start(Callback callback, intptr_t argument);
  // Ends the beat; when it returns the callback is not running and will not
  // be called again. Call it from outside the callback.
  void Stop();
  bool IsRunning() const { return m_running.load(); }

  // Statistics (plain words, read by the user-interface thread without a lock).
  bool HasCounter() const { return m_hasCounter.load(); }
  uint32_t BeatCount() const { return m_beats.load(std::memory_order_relaxed); }
  uint32_t LateCount() const { return m_late.load(std::memory_order_relaxed); }
  uint32_t LargestGapMs() const { return m_largestGap.load(std::memory_order_relaxed); }
  uint32_t ElapsedAtLastBeatMs() const { return m_elapsed.load(std::memory_order_relaxed); }
  int32_t InCallbackCount() const { return m_inCallback.load(std::memory_order_relaxed); }
  // Callbacks that took longer than kLongBeatNs, and the longest one.
  uint32_t LongBeatCount() const { return m_longBeats.load(std::memory_order_relaxed); }
  int64_t LongestBeatNs() const { return m_longestBeatNs.load(std::memory_order_relaxed); }

  // The run clock in nanoseconds since the last Init/Reset (0 without a clock).
  int64_t GetElapsedNs() const;
  // A time of the tick source's clock as run clock nanoseconds.
  int64_t ElapsedNsAt(int64_t sourceNs) const { return sourceNs - m_startNs.load(); }
  // The tick source's clock at a run clock time in nanoseconds.
  int64_t SourceNsAt(int64_t runNs) const { return runNs + m_startNs.load(); }
  // Whether the tick source's clock is the system's CLOCK_MONOTONIC, so
  // device time stamps of that clock can be put onto the run clock.
  bool OnSystemMonotonicClock() const { return m_source->IsSystemMonotonic(); }
  // Whether the beat may run in real time (SCHED_FIFO), and whether it does now.
  bool RealTimeAllowed() const { return m_source->RealTimeAllowed(); }
  bool IsRealTime() const { return m_source->IsRealTime(); }

  // One beat as the tick source gives it; a null owner does nothing.
  static void OnTick(void* owner, int64_t scheduledNs);

 private:
  void UpdateStats();

  std::unique_ptr<ITickSource> m_ownSource;
  ITickSource* m_source;
  std::atomic<bool> m_running{false};
  std::atomic<int32_t> m_inCallback{0};
  std::atomic<uint32_t> m_elapsed{0};
  std::atomic<uint32_t> m_previous{0};
  std::atomic<uint32_t> m_beats{0};
  std::atomic<uint32_t> m_late{0};
  std::atomic<uint32_t> m_largestGap{0};
  std::atomic<uint32_t> m_longBeats{0};
  std::atomic<int64_t> m_longestBeatNs{0};
  std::atomic<bool> m_hasCounter{false};
  int64_t m_frequency = 0;  // clock units per second
  std::atomic<int64_t> m_startNs{0};
  Callback m_callback = nullptr;
  intptr_t m_argument = 0;
};

}  // namespace qel

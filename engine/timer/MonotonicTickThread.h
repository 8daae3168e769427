// The program's beat: a thread that sleeps on CLOCK_MONOTONIC against
// absolute deadlines (start + k periods), so beats never drift. Real-time
// scheduling (SCHED_FIFO) is used when the process may have it.
//
// Waking from a sleep takes the kernel (and a virtual machine's host) tens
// of microseconds, so the thread sleeps until a little before each deadline
// and spins the rest of the way. The spin window follows the wake-up delays
// it sees (a running high-water mark that decays slowly), bounded by
// maxSpinNs; 0 sleeps straight to the deadline.
//
// A beat that comes late is still given at once; when the thread falls more
// than a whole period behind (a stall), the deadlines already passed are
// skipped and counted as missed, and only the latest of them is given, so a
// stall never turns into a burst of back-to-back beats.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/timer/TickSource.h"

namespace qel {

class MonotonicTickThread final : public ITickSource {
 public:
  static constexpr int64_t kDefaultPeriodNs = 1'000'000;
  static constexpr int64_t kDefaultMaxSpinNs = 200'000;

  explicit MonotonicTickThread(int64_t periodNs = kDefaultPeriodNs, int64_t maxSpinNs = kDefaultMaxSpinNs);
  ~MonotonicTickThread() override;
  MonotonicTickThread(const MonotonicTickThread&) = delete;
  MonotonicTickThread& operator=(const MonotonicTickThread&) = delete;

  bool HasClock() const override;
  int64_t NowNs() const override;
  bool IsSystemMonotonic() const override { return true; }
  bool RealTimeAllowed() const override;
  bool IsRealTime() const override { return BeatsRunning() && m_realTime.load(); }
  bool StartBeats(BeatFn fn, void* context) override;
  void StopBeats() override;
  bool BeatsRunning() const override;

  struct Stats {
    uint64_t beats = 0;         // beats given since the start
    uint64_t missedBeats = 0;   // deadlines skipped after stalls
    int64_t maxLatenessNs = 0;  // largest delay of a beat behind its deadline
    bool realTime = false;      // the thread runs under SCHED_FIFO
    int64_t spinNs = 0;         // the current spin window before each deadline
  };
  // Figures of the current (or last) run of beats.
  Stats GetStats() const;

 private:
  void Run(BeatFn fn, void* context, int64_t startNs);
  void JoinFinished();
  bool OnBeatThread() const;

  const int64_t m_periodNs;
  const int64_t m_maxSpinNs;
  std::thread m_thread;                         // touched only by the starting thread
  std::atomic<std::thread::id> m_beatThread{};  // set by the beat thread while it runs
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_running{false};
  std::atomic<uint64_t> m_beats{0};
  std::atomic<uint64_t> m_missed{0};
  std::atomic<int64_t> m_maxLateness{0};
  std::atomic<bool> m_realTime{false};
  std::atomic<int64_t> m_spin{0};
};

}  // namespace qel

#include "engine/timer/MonotonicTickThread.h"

#include "engine/timer/RealTimeRights.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <system_error>

namespace qel {

namespace {

constexpr int64_t kNsPerSecond = 1'000'000'000;
// High enough to come before ordinary work, below the kernel's own threads
// and audio servers that often sit in the 50-90 range.
constexpr int kRealTimePriority = 45;
constexpr int64_t kInitialSpinNs = 50'000;
constexpr int64_t kSpinMarginNs = 10'000;

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

bool ReadMonotonic(int64_t* ns) {
  timespec ts{};
  if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return false;
  *ns = static_cast<int64_t>(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
  return true;
}

void SleepUntil(int64_t deadlineNs) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(deadlineNs / kNsPerSecond);
  ts.tv_nsec = static_cast<long>(deadlineNs % kNsPerSecond);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

// Real-time scheduling when allowed; silently stays as it is otherwise.
bool TryRealTime() {
  sched_param param{};
  param.sched_priority = kRealTimePriority;
  const int lo = sched_get_priority_min(SCHED_FIFO);
  const int hi = sched_get_priority_max(SCHED_FIFO);
  if (lo >= 0 && hi >= lo) {
    if (param.sched_priority < lo) param.sched_priority = lo;
    if (param.sched_priority > hi) param.sched_priority = hi;
  }
  if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) return true;
  // Without real-time rights, at least wake as close to the deadline as the
  // kernel allows (the default timer slack is 50 us).
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  return false;
}

}  // namespace

MonotonicTickThread::MonotonicTickThread(int64_t periodNs, int64_t maxSpinNs)
    : m_periodNs(periodNs > 0 ? periodNs : kDefaultPeriodNs),
      m_maxSpinNs(std::clamp<int64_t>(maxSpinNs, 0, (periodNs > 0 ? periodNs : kDefaultPeriodNs) / 4)) {}

MonotonicTickThread::~MonotonicTickThread() { StopBeats(); }

bool MonotonicTickThread::HasClock() const {
  int64_t ns = 0;
  return ReadMonotonic(&ns);
}

int64_t MonotonicTickThread::NowNs() const {
  int64_t ns = 0;
  ReadMonotonic(&ns);
  return ns;
}

bool MonotonicTickThread::RealTimeAllowed() const { return RealTimeSchedulingAllowed(kRealTimePriority); }

bool MonotonicTickThread::OnBeatThread() const { return m_beatThread.load() == std::this_thread::get_id(); }

void MonotonicTickThread::JoinFinished() {
  if (m_thread.joinable()) m_thread.join();
}

bool MonotonicTickThread::StartBeats(BeatFn fn, void* context) {
  if (fn == nullptr || BeatsRunning() || OnBeatThread()) return false;
  JoinFinished();  // a run of beats that was ended from inside a beat
  int64_t startNs = 0;
  if (!ReadMonotonic(&startNs)) return false;
  m_stop.store(false);
  m_beats.store(0);
  m_missed.store(0);
  m_maxLateness.store(0);
  m_realTime.store(false);
  m_running.store(true);
  try {
    m_thread = std::thread(&MonotonicTickThread::Run, this, fn, context, startNs);
  } catch (const std::system_error&) {
    m_running.store(false);
    return false;
  }
  return true;
}

void MonotonicTickThread::StopBeats() {
  m_stop.store(true);
  if (OnBeatThread()) {
    // Asked from inside a beat: the thread ends after it; the next start or
    // stop from another thread joins it. The thread object itself belongs to
    // the starting thread and is not touched here.
    return;
  }
  JoinFinished();
  m_running.store(false);
}

bool MonotonicTickThread::BeatsRunning() const { return m_running.load() && !m_stop.load(); }

MonotonicTickThread::Stats MonotonicTickThread::GetStats() const {
  Stats s;
  s.beats = m_beats.load(std::memory_order_relaxed);
  s.missedBeats = m_missed.load(std::memory_order_relaxed);
  s.maxLatenessNs = m_maxLateness.load(std::memory_order_relaxed);
  s.realTime = m_realTime.load(std::memory_order_relaxed);
  s.spinNs = m_spin.load(std::memory_order_relaxed);
  return s;
}

void MonotonicTickThread::Run(BeatFn fn, void* context, int64_t startNs) {
  m_beatThread.store(std::this_thread::get_id());
  m_realTime.store(TryRealTime(), std::memory_order_relaxed);
  int64_t spin = std::min(kInitialSpinNs, m_maxSpinNs);
  m_spin.store(spin, std::memory_order_relaxed);
  int64_t k = 1;
  int64_t now = startNs;
  while (!m_stop.load(std::memory_order_relaxed)) {
    const int64_t deadline = startNs + k * m_periodNs;
    const int64_t wakeAt = deadline - spin;
    ReadMonotonic(&now);
    if (now < wakeAt) {
      SleepUntil(wakeAt);
      ReadMonotonic(&now);
      if (m_maxSpinNs > 0) {
        // Follow the wake-up delay: jump up at once, come down slowly.
        const int64_t wanted = std::min(m_maxSpinNs, now - wakeAt + kSpinMarginNs);
        spin = wanted > spin ? wanted : spin - (spin - wanted) / 64;
        m_spin.store(spin, std::memory_order_relaxed);
      }
    }
    while (now < deadline && !m_stop.load(std::memory_order_relaxed)) {
      CpuRelax();
      ReadMonotonic(&now);
    }
    if (m_stop.load(std::memory_order_relaxed)) break;
    const int64_t lateness = now - deadline;
    if (lateness > m_maxLateness.load(std::memory_order_relaxed)) {
      m_maxLateness.store(lateness, std::memory_order_relaxed);
    }
    fn(context, deadline);
    m_beats.fetch_add(1, std::memory_order_relaxed);

    ++k;
    ReadMonotonic(&now);
    if (now - (startNs + k * m_periodNs) >= m_periodNs) {
      // More than a whole period behind: give only the latest deadline that
      // has passed, at once, and count the ones in between as missed.
      const int64_t latest = (now - startNs) / m_periodNs;
      m_missed.fetch_add(static_cast<uint64_t>(latest - k), std::memory_order_relaxed);
      k = latest;
    }
  }
  m_beatThread.store(std::thread::id());
  m_running.store(false);
}

}  // namespace qel

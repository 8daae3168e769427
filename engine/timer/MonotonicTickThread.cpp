#include "engine/timer/MonotonicTickThread.h"

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
    : periodNs_(periodNs > 0 ? periodNs : kDefaultPeriodNs),
      maxSpinNs_(std::clamp<int64_t>(maxSpinNs, 0, (periodNs > 0 ? periodNs : kDefaultPeriodNs) / 4)) {}

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

bool MonotonicTickThread::OnBeatThread() const { return beatThread_.load() == std::this_thread::get_id(); }

void MonotonicTickThread::JoinFinished() {
  if (thread_.joinable()) thread_.join();
}

bool MonotonicTickThread::StartBeats(BeatFn fn, void* context) {
  if (fn == nullptr || BeatsRunning() || OnBeatThread()) return false;
  JoinFinished();  // a run of beats that was ended from inside a beat
  int64_t startNs = 0;
  if (!ReadMonotonic(&startNs)) return false;
  stop_.store(false);
  beats_.store(0);
  missed_.store(0);
  maxLateness_.store(0);
  realTime_.store(false);
  running_.store(true);
  try {
    thread_ = std::thread(&MonotonicTickThread::Run, this, fn, context, startNs);
  } catch (const std::system_error&) {
    running_.store(false);
    return false;
  }
  return true;
}

void MonotonicTickThread::StopBeats() {
  stop_.store(true);
  if (OnBeatThread()) {
    // Asked from inside a beat: the thread ends after it; the next start or
    // stop from another thread joins it. The thread object itself belongs to
    // the starting thread and is not touched here.
    return;
  }
  JoinFinished();
  running_.store(false);
}

bool MonotonicTickThread::BeatsRunning() const { return running_.load() && !stop_.load(); }

MonotonicTickThread::Stats MonotonicTickThread::GetStats() const {
  Stats s;
  s.beats = beats_.load(std::memory_order_relaxed);
  s.missedBeats = missed_.load(std::memory_order_relaxed);
  s.maxLatenessNs = maxLateness_.load(std::memory_order_relaxed);
  s.realTime = realTime_.load(std::memory_order_relaxed);
  s.spinNs = spin_.load(std::memory_order_relaxed);
  return s;
}

void MonotonicTickThread::Run(BeatFn fn, void* context, int64_t startNs) {
  beatThread_.store(std::this_thread::get_id());
  realTime_.store(TryRealTime(), std::memory_order_relaxed);
  int64_t spin = std::min(kInitialSpinNs, maxSpinNs_);
  spin_.store(spin, std::memory_order_relaxed);
  int64_t k = 1;
  int64_t now = startNs;
  while (!stop_.load(std::memory_order_relaxed)) {
    const int64_t deadline = startNs + k * periodNs_;
    const int64_t wakeAt = deadline - spin;
    ReadMonotonic(&now);
    if (now < wakeAt) {
      SleepUntil(wakeAt);
      ReadMonotonic(&now);
      if (maxSpinNs_ > 0) {
        // Follow the wake-up delay: jump up at once, come down slowly.
        const int64_t wanted = std::min(maxSpinNs_, now - wakeAt + kSpinMarginNs);
        spin = wanted > spin ? wanted : spin - (spin - wanted) / 64;
        spin_.store(spin, std::memory_order_relaxed);
      }
    }
    while (now < deadline && !stop_.load(std::memory_order_relaxed)) {
      CpuRelax();
      ReadMonotonic(&now);
    }
    if (stop_.load(std::memory_order_relaxed)) break;
    const int64_t lateness = now - deadline;
    if (lateness > maxLateness_.load(std::memory_order_relaxed)) {
      maxLateness_.store(lateness, std::memory_order_relaxed);
    }
    fn(context, deadline);
    beats_.fetch_add(1, std::memory_order_relaxed);

    ++k;
    ReadMonotonic(&now);
    if (now - (startNs + k * periodNs_) >= periodNs_) {
      // More than a whole period behind: give only the latest deadline that
      // has passed, at once, and count the ones in between as missed.
      const int64_t latest = (now - startNs) / periodNs_;
      missed_.fetch_add(static_cast<uint64_t>(latest - k), std::memory_order_relaxed);
      k = latest;
    }
  }
  beatThread_.store(std::thread::id());
  running_.store(false);
}

}  // namespace qel

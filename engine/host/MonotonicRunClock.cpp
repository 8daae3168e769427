#include "engine/host/MonotonicRunClock.h"

#include <cerrno>
#include <ctime>

namespace qel {

namespace {

constexpr int64_t kNsPerMs = 1'000'000;
constexpr int64_t kNsPerSecond = 1'000'000'000;

int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

}  // namespace

CMonotonicRunClock::CMonotonicRunClock() { Reset(); }

void CMonotonicRunClock::Reset() { m_originNs.store(MonotonicNs()); }

uint32_t CMonotonicRunClock::NowMs() { return MsAt(MonotonicNs()); }

uint32_t CMonotonicRunClock::MsAt(int64_t monotonicNs) {
  const int64_t elapsed = monotonicNs - m_originNs.load();
  return elapsed <= 0 ? 0 : static_cast<uint32_t>(elapsed / kNsPerMs);
}

void CMonotonicRunClock::SleepUntilMs(uint32_t timeMs) {
  const int64_t deadline = m_originNs.load() + static_cast<int64_t>(timeMs) * kNsPerMs;
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(deadline / kNsPerSecond);
  ts.tv_nsec = static_cast<long>(deadline % kNsPerSecond);
  // A signal interrupts the sleep; the deadline stays, so sleep again.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

}  // namespace qel

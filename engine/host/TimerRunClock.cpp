#include "engine/host/TimerRunClock.h"

#include <cerrno>
#include <ctime>

#include "engine/timer/TimerMs.h"

namespace qel {

uint32_t CTimerRunClock::NowMs() { return m_timer.GetElapsedMs(); }

uint32_t CTimerRunClock::MsAt(int64_t monotonicNs) {
  if (!m_timer.HasCounter()) return 0;
  if (!m_timer.OnSystemMonotonicClock()) return m_timer.GetElapsedMs();  // no common origin
  const int64_t elapsed = m_timer.ElapsedNsAt(monotonicNs);
  return elapsed <= 0 ? 0 : static_cast<uint32_t>(elapsed / 1'000'000);
}

void CTimerRunClock::SleepUntilMs(uint32_t timeMs) {
  // The timer's origin is its own; sleep the difference and look again. A
  // timer without a clock stays at 0 and cannot be waited on: give up then.
  for (;;) {
    const uint32_t now = m_timer.GetElapsedMs();
    if (now >= timeMs || !m_timer.HasCounter()) return;
    // The reading is truncated, so the target may be up to 1 ms nearer
    // than it reads: sleep one millisecond less, then in tenths.
    const int64_t ns = timeMs - now > 1 ? static_cast<int64_t>(timeMs - now - 1) * 1'000'000 : 100'000;
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &ts, &ts) == EINTR) {
    }
  }
}

}  // namespace qel

#include "engine/sound/voicekey/PeriodicTimer.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <system_error>

namespace qel {
namespace {

void AddNs(timespec& t, long ns) {
  t.tv_nsec += ns;
  while (t.tv_nsec >= 1000000000L) {
    t.tv_nsec -= 1000000000L;
    ++t.tv_sec;
  }
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

bool CPeriodicTimer::Start(int periodUs, std::function<void()> callback) {
  if (thread_.joinable() || periodUs <= 0 || !callback) return false;
  callback_ = std::move(callback);
  stop_ = false;
  try {
    thread_ = std::thread([this, periodUs] { Run(periodUs); });
  } catch (const std::system_error&) {
    return false;
  }
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &param);  // best effort
  return true;
}

void CPeriodicTimer::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
    return;
  }
  thread_.join();
}

void CPeriodicTimer::Run(int periodUs) {
  const long periodNs = static_cast<long>(periodUs) * 1000L;
  timespec next{};
  clock_gettime(CLOCK_MONOTONIC, &next);
  while (!stop_.load(std::memory_order_acquire)) {
    AddNs(next, periodNs);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) != 0) {
      if (stop_.load(std::memory_order_acquire)) return;
    }
    if (stop_.load(std::memory_order_acquire)) return;
    callback_();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec limit = next;
    AddNs(limit, periodNs);
    if (Before(limit, now)) next = now;  // far behind: start the beat again from now
  }
}

}  // namespace qel

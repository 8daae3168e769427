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
  if (beatThread_.load() == std::this_thread::get_id()) return false;
  if (thread_.joinable() && stop_.load()) thread_.join();  // stopped from inside its callback
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
  stop_ = true;
  // From inside the callback the thread only learns to end; the thread
  // object belongs to the starting thread, which joins it later.
  if (beatThread_.load() == std::this_thread::get_id()) return;
  if (thread_.joinable()) thread_.join();
}

void CPeriodicTimer::Run(int periodUs) {
  beatThread_.store(std::this_thread::get_id());
  struct ClearId {
    std::atomic<std::thread::id>& id;
    ~ClearId() { id.store(std::thread::id()); }
  } clearId{beatThread_};
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

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
  if (m_beatThread.load() == std::this_thread::get_id()) return false;
  if (m_thread.joinable() && m_stop.load()) m_thread.join();  // stopped from inside its callback
  if (m_thread.joinable() || periodUs <= 0 || !callback) return false;
  m_callback = std::move(callback);
  m_stop = false;
  try {
    m_thread = std::thread([this, periodUs] { Run(periodUs); });
  } catch (const std::system_error&) {
    return false;
  }
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(m_thread.native_handle(), SCHED_FIFO, &param);  // best effort
  return true;
}

void CPeriodicTimer::Stop() {
  m_stop = true;
  // From inside the callback the thread only learns to end; the thread
  // object belongs to the starting thread, which joins it later.
  if (m_beatThread.load() == std::this_thread::get_id()) return;
  if (m_thread.joinable()) m_thread.join();
}

void CPeriodicTimer::Run(int periodUs) {
  m_beatThread.store(std::this_thread::get_id());
  struct ClearId {
    std::atomic<std::thread::id>& id;
    ~ClearId() { id.store(std::thread::id()); }
  } clearId{m_beatThread};
  const long periodNs = static_cast<long>(periodUs) * 1000L;
  timespec next{};
  clock_gettime(CLOCK_MONOTONIC, &next);
  while (!m_stop.load(std::memory_order_acquire)) {
    AddNs(next, periodNs);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) != 0) {
      if (m_stop.load(std::memory_order_acquire)) return;
    }
    if (m_stop.load(std::memory_order_acquire)) return;
    m_callback();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec limit = next;
    AddNs(limit, periodNs);
    if (Before(limit, now)) next = now;  // far behind: start the beat again from now
  }
}

}  // namespace qel

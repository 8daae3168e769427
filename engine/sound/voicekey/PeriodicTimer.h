// A periodic beat on a thread of its own (the voice key's 1 ms timer): the
// callback runs once per period on absolute deadlines of the monotonic
// clock, so late beats do not shift the following ones; a beat that is
// more than a period late is not made up. The thread runs SCHED_FIFO when
// the system permits it.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace qel {

class CPeriodicTimer {
 public:
  CPeriodicTimer() = default;
  ~CPeriodicTimer() { Stop(); }
  CPeriodicTimer(const CPeriodicTimer&) = delete;
  CPeriodicTimer& operator=(const CPeriodicTimer&) = delete;

  // False when it runs already, when asked from inside the callback or
  // when the thread cannot be started.
  bool Start(int periodUs, std::function<void()> callback);
  // Returns when the callback will not run again (joins the thread; from
  // inside the callback it only asks the thread to end).
  void Stop();
  bool IsRunning() const { return m_thread.joinable() && !m_stop.load(); }

 private:
  void Run(int periodUs);

  std::thread m_thread;                         // touched only by the starting thread
  std::atomic<std::thread::id> m_beatThread{};  // set by the beat thread while it runs
  std::atomic<bool> m_stop{false};
  std::function<void()> m_callback;
};

}  // namespace qel

// Work that a thread hands to the user-interface thread and waits for
// (a frame to show, a command to run). The waiter never hangs: it returns
// when the work is done, when the work is cancelled (the display was freed),
// or when the user-interface thread has not even started it within the
// pickup time (that thread is gone or is itself waiting for the caller).
// Work that has started is waited for to its end.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace qel {

namespace display {

class CUiTicket {
 public:
  enum class State { kPending, kRunning, kDone, kCancelled };

  // Waiter: true with the result when done; false when cancelled or not
  // picked up in time (the ticket is then cancelled, so the work never runs).
  bool Wait(std::chrono::milliseconds pickup, intptr_t* result = nullptr);

  // User-interface side: claims the work; false when it was cancelled.
  bool Start();
  void Finish(intptr_t result);

  // Cancels pending work; running work is left to finish.
  void Cancel();

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  State m_state = State::kPending;
  intptr_t m_result = 0;
};

using TicketPtr = std::shared_ptr<CUiTicket>;

// The tickets of one display, so that freeing it releases every waiter.
class CUiTicketList {
 public:
  TicketPtr Issue();
  void CancelAll();

 private:
  std::mutex m_mutex;
  std::vector<std::weak_ptr<CUiTicket>> m_tickets;
};

}  // namespace display

}  // namespace qel

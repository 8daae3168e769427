#include "display/UiHandoff.h"

#include <algorithm>

namespace qel {

namespace display {

bool CUiTicket::Wait(std::chrono::milliseconds pickup, intptr_t* result) {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto deadline = std::chrono::steady_clock::now() + pickup;
  while (state_ == State::kPending) {
    if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && state_ == State::kPending) {
      state_ = State::kCancelled;
      break;
    }
  }
  changed_.wait(lock, [this] { return state_ != State::kRunning; });
  if (state_ != State::kDone) return false;
  if (result) *result = result_;
  return true;
}

bool CUiTicket::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ != State::kPending) return false;
  state_ = State::kRunning;
  return true;
}

void CUiTicket::Finish(intptr_t result) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = result;
    state_ = State::kDone;
  }
  changed_.notify_all();
}

void CUiTicket::Cancel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ != State::kPending) return;
    state_ = State::kCancelled;
  }
  changed_.notify_all();
}

TicketPtr CUiTicketList::Issue() {
  auto ticket = std::make_shared<CUiTicket>();
  std::lock_guard<std::mutex> lock(mutex_);
  tickets_.erase(std::remove_if(tickets_.begin(), tickets_.end(), [](const auto& w) { return w.expired(); }),
                 tickets_.end());
  tickets_.push_back(ticket);
  return ticket;
}

void CUiTicketList::CancelAll() {
  std::vector<TicketPtr> live;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& w : tickets_) {
      if (auto t = w.lock()) live.push_back(std::move(t));
    }
    tickets_.clear();
  }
  for (auto& t : live) t->Cancel();
}

}  // namespace display

}  // namespace qel

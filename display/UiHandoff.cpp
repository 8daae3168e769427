#include "display/UiHandoff.h"

#include <algorithm>

namespace qel {

namespace display {

bool CUiTicket::Wait(std::chrono::milliseconds pickup, intptr_t* result) {
  std::unique_lock<std::mutex> lock(m_mutex);
  const auto deadline = std::chrono::steady_clock::now() + pickup;
  while (m_state == State::kPending) {
    if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout && m_state == State::kPending) {
      m_state = State::kCancelled;
      break;
    }
  }
  m_changed.wait(lock, [this] { return m_state != State::kRunning; });
  if (m_state != State::kDone) return false;
  if (result) *result = m_result;
  return true;
}

bool CUiTicket::Start() {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_state != State::kPending) return false;
  m_state = State::kRunning;
  return true;
}

void CUiTicket::Finish(intptr_t result) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_result = result;
    m_state = State::kDone;
  }
  m_changed.notify_all();
}

void CUiTicket::Cancel() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_state != State::kPending) return;
    m_state = State::kCancelled;
  }
  m_changed.notify_all();
}

TicketPtr CUiTicketList::Issue() {
  auto ticket = std::make_shared<CUiTicket>();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_tickets.erase(std::remove_if(m_tickets.begin(), m_tickets.end(), [](const auto& w) { return w.expired(); }),
                  m_tickets.end());
  m_tickets.push_back(ticket);
  return ticket;
}

void CUiTicketList::CancelAll() {
  std::vector<TicketPtr> live;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& w : m_tickets) {
      if (auto t = w.lock()) live.push_back(std::move(t));
    }
    m_tickets.clear();
  }
  for (auto& t : live) t->Cancel();
}

}  // namespace display

}  // namespace qel

// The program's notify message between windows: one event type carrying an
// event code and a payload. Sent notifications are handled at once and give
// a reply; posted ones are queued and handled later on the user-interface
// thread (posting is safe from any thread).
#pragma once

#include <wx/event.h>

#include <cstdint>

namespace qel {

class CQelNotifyEvent : public wxEvent {
 public:
  explicit CQelNotifyEvent(int code = 0, intptr_t payload = 0);

  int GetCode() const { return m_nCode; }
  intptr_t GetPayload() const { return m_nPayload; }
  // The reply of a sent notification (0 unless a handler sets one).
  void SetResult(intptr_t result) { m_nResult = result; }
  intptr_t GetResult() const { return m_nResult; }

  wxEvent* Clone() const override { return new CQelNotifyEvent(*this); }

 private:
  int m_nCode;
  intptr_t m_nPayload;
  intptr_t m_nResult = 0;
};

wxDECLARE_EVENT(QEL_EVT_NOTIFY, CQelNotifyEvent);

// Handles the notification now (user-interface thread) and returns the
// handler's reply; 0 without a target or without a handler.
intptr_t SendNotify(wxEvtHandler* target, int code, intptr_t payload = 0);
// Queues the notification for the target; nothing without a target.
void PostNotify(wxEvtHandler* target, int code, intptr_t payload = 0);

}  // namespace qel

// The display window's command channel as a wx event: a command number and
// a payload (a dialog pointer where the command takes one), with the
// result the handler gives back to a sender.
#pragma once

#include <wx/event.h>

#include <cstdint>

namespace qel {

class CDisplayCommandEvent : public wxEvent {
 public:
  explicit CDisplayCommandEvent(int command = 0, intptr_t payload = 0);
  wxEvent* Clone() const override { return new CDisplayCommandEvent(*this); }

  int GetCommand() const { return m_command; }
  intptr_t GetPayload() const { return m_payload; }
  intptr_t GetResult() const { return m_result; }
  void SetResult(intptr_t result) { m_result = result; }

 private:
  int m_command;
  intptr_t m_payload;
  intptr_t m_result = 0;
};

wxDECLARE_EVENT(QEL_EVT_DISPLAY_COMMAND, CDisplayCommandEvent);

}  // namespace qel

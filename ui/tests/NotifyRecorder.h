// A window that records the notify codes it receives (sent and posted) and
// answers sent ones from a settable reply.
#pragma once

#include <wx/app.h>
#include <wx/frame.h>

#include <functional>
#include <vector>

#include "ui/ui/QelNotify.h"

namespace qel {

class NotifyRecorder : public wxFrame {
 public:
  struct Entry {
    int code;
    intptr_t payload;
    bool operator==(const Entry&) const = default;
  };

  NotifyRecorder() : wxFrame(nullptr, wxID_ANY, "recorder") {
    Bind(QEL_EVT_NOTIFY, [this](CQelNotifyEvent& e) {
      m_entries.push_back({e.GetCode(), e.GetPayload()});
      if (m_onEvent) m_onEvent(e);
      e.SetResult(m_reply(e.GetCode()));
    });
  }
  // Handles everything queued so far.
  static void Drain() {
    for (int i = 0; i < 5; ++i) wxTheApp->ProcessPendingEvents();
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const Entry& e : m_entries) codes.push_back(e.code);
    return codes;
  }

  std::vector<Entry> m_entries;
  std::function<intptr_t(int)> m_reply = [](int) { return intptr_t{0}; };
  std::function<void(CQelNotifyEvent&)> m_onEvent;  // sees the payload while it lives
};

}  // namespace qel

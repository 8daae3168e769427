#include "ui/ui/QelNotify.h"

namespace qel {

wxDEFINE_EVENT(QEL_EVT_NOTIFY, CQelNotifyEvent);

CQelNotifyEvent::CQelNotifyEvent(int code, intptr_t payload)
    : wxEvent(wxID_ANY, QEL_EVT_NOTIFY), m_nCode(code), m_nPayload(payload) {}

intptr_t SendNotify(wxEvtHandler* target, int code, intptr_t payload) {
  if (!target) return 0;
  CQelNotifyEvent event(code, payload);
  target->SafelyProcessEvent(event);
  return event.GetResult();
}

void PostNotify(wxEvtHandler* target, int code, intptr_t payload) {
  if (target) target->QueueEvent(new CQelNotifyEvent(code, payload));
}

}  // namespace qel

#include "display/ui/DisplayCommandEvent.h"

namespace qel {

wxDEFINE_EVENT(QEL_EVT_DISPLAY_COMMAND, CDisplayCommandEvent);

CDisplayCommandEvent::CDisplayCommandEvent(int command, intptr_t payload)
    : wxEvent(0, QEL_EVT_DISPLAY_COMMAND), m_command(command), m_payload(payload) {}

}  // namespace qel

#include "engine/timer/ui/TimerStatusButton.h"

#include "engine/timer/ui/DlgTimerStatus.h"

namespace qel {

CTimerStatusButton::CTimerStatusButton(wxWindow* parent, const CTimerMs& timer, const wxString& label, int id)
    : wxButton(parent, id, label), m_timer(timer) {
  Bind(wxEVT_BUTTON, &CTimerStatusButton::OnClicked, this, id);
}

int CTimerStatusButton::ShowStatus() {
  CDlgTimerStatus dialog(this, m_timer);
  return dialog.ShowModal();
}

void CTimerStatusButton::OnClicked(wxCommandEvent&) { ShowStatus(); }

}  // namespace qel

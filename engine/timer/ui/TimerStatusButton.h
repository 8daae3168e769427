// The run dialog's timer button: a click shows the "Timer Status" dialog of
// the run's timer, modally.
#pragma once

#include <wx/button.h>

#include "engine/timer/TimerMs.h"

namespace qel {

class CTimerStatusButton : public wxButton {
 public:
  static constexpr int kDefaultId = 1131;

  CTimerStatusButton(wxWindow* parent, const CTimerMs& timer, const wxString& label = "Timer", int id = kDefaultId);

  // Runs the dialog modally; returns its result.
  int ShowStatus();

 private:
  void OnClicked(wxCommandEvent& event);

  const CTimerMs& m_timer;
};

}  // namespace qel

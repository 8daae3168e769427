// "Timer Status": the run's timer figures, refreshed every millisecond, so
// the operator can see whether the machine keeps the 1 ms beat.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include "engine/timer/TimerMs.h"
#include "engine/timer/TimerStatusSampler.h"

class wxStaticText;

namespace qel {

class CDlgTimerStatus : public wxDialog {
 public:
  // Window ids of the eight figures, in the order of TimerStatusFigures.
  enum FieldId : int {
    kIdBeats = 1132,
    kIdElapsed = 1133,
    kIdLate = 1134,
    kIdLargestGap = 1135,
    kIdIdle = 1136,
    kIdBusy = 1137,
    kIdOverlapped = 1138,
    kIdLoad = 1139,
    kIdRealTime = 1140,
  };
  static constexpr int kTimerId = 100;
  static constexpr int kRefreshMs = 1;

  CDlgTimerStatus(wxWindow* parent, const CTimerMs& timer);
  ~CDlgTimerStatus() override;

  // One sample of the timer, shown at once (what each refresh does).
  void SampleNow();
  const TimerStatusFigures& Figures() const { return m_sampler.Figures(); }

 private:
  void OnRefreshTimer(wxTimerEvent& event);
  void ShowFigures();

  TimerStatusSampler m_sampler;
  wxTimer m_refresh;
  wxStaticText* m_fields[8] = {};
  wxStaticText* m_realTime = nullptr;
};

}  // namespace qel

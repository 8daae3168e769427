// The program's task host as a run session uses it: the run's clock and the
// run's view of the host's display (CRunDisplay) are handed to the host for
// a run; the break texts, break word, cursor and focus go to the host's
// display.
#pragma once

#include "engine/rundlg/RunHost.h"
#include "engine/rundlg/ui/RunDisplay.h"

namespace qel {

class CTaskHost;

class CRunTaskHost final : public IRunHost {
 public:
  explicit CRunTaskHost(CTaskHost& host);

  ITaskHost& TaskHost() override;
  void AttachRun(IRunClock& clock) override;
  void DetachRun() override;
  void SetWaitsInterrupted(bool interrupted) override;
  void SetBreakTexts(const RunBreakDisplayTexts& texts) override;
  void SetBreakState(int state) override;
  void CancelBreak() override;
  void ShowCursor(bool show) override;
  void FocusDisplay() override;
  void SetSpaceKeyBreaks(bool on) override;

 private:
  CTaskHost& m_host;
  CRunDisplay m_runDisplay;
};

}  // namespace qel

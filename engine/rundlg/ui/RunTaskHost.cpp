#include "engine/rundlg/ui/RunTaskHost.h"

#include "engine/host/ui/TaskHost.h"

namespace qel {

CRunTaskHost::CRunTaskHost(CTaskHost& host) : m_host(host), m_runDisplay(host.Display()) {}

ITaskHost& CRunTaskHost::TaskHost() { return m_host; }

void CRunTaskHost::AttachRun(IRunClock& clock) {
  m_host.SetRunClock(&clock);
  m_host.display = &m_runDisplay;
}

void CRunTaskHost::DetachRun() {
  m_host.display = &m_host.Display();
  m_host.SetRunClock(nullptr);
}

void CRunTaskHost::SetWaitsInterrupted(bool interrupted) { m_host.SetWaitsInterrupted(interrupted); }

void CRunTaskHost::SetBreakTexts(const RunBreakDisplayTexts& texts) {
  CDDDisplay& display = m_host.Display();
  display.m_strBreakText = texts.text;
  display.m_strStopCaption = texts.caption;
  display.m_strStopQuestion = texts.stopQuestion;
  display.m_bNoStopConfirm = texts.noStopConfirm;
  display.m_bShowButton = texts.showButton;
}

void CRunTaskHost::SetBreakState(int state) { m_runDisplay.BreakSetState(state); }

void CRunTaskHost::CancelBreak() { m_host.Display().BreakCancel(); }

void CRunTaskHost::ShowCursor(bool show) { m_runDisplay.SetCursor(show); }

void CRunTaskHost::FocusDisplay() { m_host.Display().SetFocus(); }

void CRunTaskHost::SetSpaceKeyBreaks(bool on) { m_host.Display().SetSpaceBreaks(on); }

}  // namespace qel

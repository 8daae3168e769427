// The operator's monitor of a task run: it shows the caption, the
// instruction text, the run time, the counters and indicators of the run
// while it goes, and the break reply, and forwards its buttons, the reply
// list and the posted run events to the run session (engine/rundlg/
// RunSession.h), which starts, ends, scores and stores the run. For the
// session it tells the caller, the main view and the main frame with its
// notify events, and brings up the score dialog over itself.
//
// Threads: the user-interface thread. The run's timer thread and worker
// threads post run events to this dialog as notify events, which it hands
// to the session.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>
#include <string>

#include "engine/port/SignalPort.h"
#include "engine/rundlg/RunDevices.h"
#include "engine/rundlg/RunMonitor.h"
#include "engine/rundlg/RunNotifier.h"
#include "engine/rundlg/RunSession.h"
#include "engine/rundlg/ui/RunEventPoster.h"
#include "engine/rundlg/ui/RunTaskHost.h"
#include "engine/timer/TimerMs.h"
#include "scores/ScoreDialog.h"

class wxButton;
class wxCheckBox;
class wxListBox;
class wxTextCtrl;

namespace qel {

class CExpModelTask;
class CQelNotifyEvent;
class CTaskHost;
class CTaskRunData;
class IRunProject;
class ITickSource;

class CDlgRun : public wxDialog, private IRunMonitor, private IRunNotifier, private IScoreDialogFactory {
 public:
  // Control ids (window ids).
  enum ControlId : int {
    kIdInstruction = 1002,
    kIdTrialCount = 1023,
    kIdStopGo = 1041,
    kIdBreakReply = 1042,
    kIdBreakReplyLabel = 1043,
    kIdRunTime = 1047,
    kIdStatus = 1048,
    kIdTrialIndex = 1052,
    kIdIndicatorFirst = 1053,  // 1053-1056: warning, signal, response, feedback
    kIdCountFirst = 1057,      // 1057-1062: categories 1-6
    kIdMeanRt = 1063,
    kIdAlwaysOnTop = 1087,
    kIdTimer = 1131,
  };
  static constexpr int kCounterTimerId = 101;
  static constexpr int kCounterIntervalMs = 10;

  // The host and the run data are the program's one each. Devices: null
  // for the real ones. Tick source: null for the real 1 ms beat; tests pass
  // a clock they move by hand.
  CDlgRun(wxWindow* parent, CTaskHost& host, CTaskRunData& runData, IRunDevices* devices = nullptr,
          ITickSource* tickSource = nullptr);
  ~CDlgRun() override;

  // Set by the page or editor before a run.
  void SetTask(CExpModelTask* task) { m_session->SetTask(task); }
  CExpModelTask* GetTask() const { return m_session->GetTask(); }
  void SetNotifyWindow(wxWindow* window) { m_pWndNotify = window; }
  void SetCaptureDevice(int index) { m_session->SetCaptureDevice(index); }

  // Start a run for the project, testee and model (see CRunSession::Start).
  bool RunTest(IRunProject* project, const char* testeeCode, const char* modelName);
  bool RunPractice(IRunProject* project, const char* testeeCode, const char* modelName);
  bool RunSignals(IRunProject* project, const char* testeeCode, const char* modelName);
  // Ends a run in progress from outside; it is not offered as savable.
  void AbortRun() { m_session->AbortRun(); }

  bool SetTitle(bool show);
  void ClearCounters() { m_session->ClearCounters(); }
  void OnStopGo() { m_session->OnStopGo(); }
  // Shows the run time, the counters and the status.
  void OnTimer();

  bool IsRunActive() const { return m_session->IsRunActive(); }
  bool IsRunInProgress() const { return m_session->IsRunInProgress(); }

  CRunSession& Session() { return *m_session; }
  CRunMachine& Machine() { return m_session->Machine(); }
  CTimerMs& Timer() { return m_timer; }

 private:
  void CreateControls();
  void SetLabel(int id, const wxString& text);
  void SetCaption();
  void ApplyAlwaysOnTop();
  void EnableCloseButtons(bool enable);
  void ShowBreakControls(bool go);

  // IRunMonitor
  void OnCountersCleared() override;
  void OnInstructionChanged() override;
  void OnRunGoing() override;
  void OnRunProgress() override;
  void OnRunStopped() override;
  void OnGoChanged(bool go) override;
  void OnRunOver() override;
  // IRunNotifier
  void NotifyCaller(QelNotifyCode code) override;
  void ForgetCaller() override;
  void NotifyMainView(QelNotifyCode code, const QelAssessmentNotice* notice) override;
  void PostMainFrame(QelNotifyCode code, intptr_t payload) override;
  // IScoreDialogFactory: the program's score dialog over this dialog.
  int RunScoreDialog(const ScoreDialogRequest& request) override;

  void OnNotify(CQelNotifyEvent& event);
  void OnCounterTimer(wxTimerEvent& event);
  void OnStopGoButton(wxCommandEvent& event);
  void OnBreakReplySelect(wxCommandEvent& event);
  void OnAlwaysOnTop(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);

  CSignalPort m_port;
  CTimerMs m_timer;
  std::unique_ptr<IRunDevices> m_ownDevices;
  IRunDevices* m_pDevices;
  CRunEventPoster m_events;
  CRunTaskHost m_runHost;
  wxTimer m_counterTimer;
  std::unique_ptr<CRunSession> m_session;

  wxWindow* m_pWndNotify = nullptr;
  bool m_bAlwaysOnTop = true;
  bool m_bClosing = false;  // the window goes: it is not destroyed again

  // Controls.
  wxTextCtrl* m_pInstruction = nullptr;
  wxListBox* m_pBreakReply = nullptr;
  wxButton* m_pStopGo = nullptr;
  wxCheckBox* m_pAlwaysOnTop = nullptr;
};

}  // namespace qel

// The operator's monitor of a task run: starts a test, practice or "view
// task signals" run of the current part of a model task, prepares the
// devices, drives the trial state machine (or the plug-in's worker thread
// for self-timed tasks), shows the counters while the run goes, offers the
// break reply, and at the end gives everything back, lets the plug-in
// compute its variables, shows the score dialog and, when the operator
// accepts, stores the run in the project.
//
// Threads: the 1 ms beat runs the machine on the timer thread, which posts
// run events to this dialog; a self-timed part (command 30) and a signals
// run (command 28) run on a worker thread that posts one event at its end.
// Everything else happens here on the user-interface thread. The end of a
// run stops the machine and the beat and joins the worker before it gives
// back any device and before command 29.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "engine/host/TimerRunClock.h"
#include "engine/port/SignalPort.h"
#include "engine/run/RunMachine.h"
#include "engine/rundlg/RunDevices.h"
#include "engine/rundlg/ui/RunDisplay.h"
#include "engine/rundlg/ui/RunEventPoster.h"
#include "engine/timer/TimerMs.h"

class wxButton;
class wxCheckBox;
class wxListBox;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CExpModelTask;
class CQelNotifyEvent;
class CTaskHost;
class CTaskRunData;
class IRunProject;

class ITickSource;

class CDlgRun : public wxDialog {
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
  static constexpr int kDefaultCaptureDevice = -1;  // the default capture device

  // The host and the run data are the program's one each. Devices: null
  // for the real ones. Tick source: null for the real 1 ms beat; tests pass
  // a clock they move by hand.
  CDlgRun(wxWindow* parent, CTaskHost& host, CTaskRunData& runData, IRunDevices* devices = nullptr,
          qel::ITickSource* tickSource = nullptr);
  ~CDlgRun() override;

  // Set by the page or editor before a run.
  void SetTask(CExpModelTask* task) { m_pTask = task; }
  CExpModelTask* GetTask() const { return m_pTask; }
  void SetNotifyWindow(wxWindow* window) { m_pWndNotify = window; }
  void SetCaptureDevice(int index) { m_nCaptureDevice = index; }

  // Store project, testee and model (null texts become "") and start.
  bool RunTest(IRunProject* project, const char* testeeCode, const char* modelName);
  bool RunPractice(IRunProject* project, const char* testeeCode, const char* modelName);
  bool RunSignals(IRunProject* project, const char* testeeCode, const char* modelName);

  bool StartTest();
  bool StartPractice();
  bool StartSignals();
  bool StartRun();
  bool PrepareSignals();
  void EndRun();
  void ReleaseDevices();
  // Ends a run in progress from outside; it is not offered as savable.
  void AbortRun();

  bool SetTitle(bool show);
  void ClearCounters();
  void OnStopGo();
  void OnTimer();
  static const char* GetBreakReplyName(int i);

  bool IsRunActive() const { return m_bRunActive; }
  bool IsSignalsActive() const { return m_bSignalsActive; }
  bool IsRunInProgress() const { return m_bRunActive || m_bSignalsActive; }
  bool IsGo() const { return m_bGo; }
  bool IsPractice() const { return m_bPractice; }
  const std::string& GetInstructionText() const { return m_strInstruction; }

  CRunMachine& Machine() { return *m_machine; }
  qel::CTimerMs& Timer() { return m_timer; }
  qel::CSignalPort& Port() { return m_port; }

 private:
  void CreateControls();
  void SetLabel(int id, const wxString& text);
  void SetCaption();
  void ApplyAlwaysOnTop();
  void EnableCloseButtons(bool enable);
  void ShowBreakControls(bool go);
  void PrepareBreakTexts();
  bool OpenRunDevices(bool withMouse);
  void ReleaseRunDevices(bool withMouse);
  void NotifyCaller(int code);
  void StartWorker(bool signals);
  // Stops a worker: true when it has finished and was joined; with wait
  // false, only asks it to stop and returns false while it still runs.
  bool JoinWorker(bool wait);
  void RestoreHost();
  void FinishRun(int part, bool started);
  void StoreRun(int variableCount);
  void DestroyIfHidden();

  void OnNotify(CQelNotifyEvent& event);
  void OnCounterTimer(wxTimerEvent& event);
  void OnStopGoButton(wxCommandEvent& event);
  void OnBreakReplySelect(wxCommandEvent& event);
  void OnAlwaysOnTop(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);

  CTaskHost& m_host;
  CTaskRunData& m_runData;
  std::unique_ptr<IRunDevices> m_ownDevices;
  IRunDevices* m_pDevices;

  qel::CSignalPort m_port;
  qel::CTimerMs m_timer;
  qel::CTimerRunClock m_runClock;
  CRunEventPoster m_events;
  CRunDisplay m_runDisplay;
  std::unique_ptr<CRunMachine> m_machine;
  wxTimer m_counterTimer;

  std::thread m_worker;
  std::atomic<bool> m_bWorkerDone{false};

  // The run.
  CExpModelTask* m_pTask = nullptr;
  wxWindow* m_pWndNotify = nullptr;
  IRunProject* m_pProject = nullptr;
  std::string m_strTesteeCode;
  std::string m_strModelName;
  std::string m_strInstruction;
  std::string m_strStatus;
  int m_nCaptureDevice = kDefaultCaptureDevice;
  bool m_bGo = false;
  int m_nBreakReply = 0;
  bool m_bAlwaysOnTop = true;
  bool m_bPractice = true;
  bool m_bRunActive = false;
  bool m_bSignalsActive = false;
  bool m_bStarted = false;  // the run got through its start
  bool m_bSelfTimed = false;
  bool m_bStopped = false;     // stopped by the operator or aborted
  bool m_bEndPending = false;  // the end waits for the worker to finish
  bool m_bClosing = false;     // the window goes: no score dialog
  uint32_t m_nTrialCount = 0;

  // Controls.
  wxTextCtrl* m_pInstruction = nullptr;
  wxListBox* m_pBreakReply = nullptr;
  wxButton* m_pStopGo = nullptr;
  wxCheckBox* m_pAlwaysOnTop = nullptr;
};

}  // namespace qel

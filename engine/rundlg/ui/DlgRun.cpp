#include "engine/rundlg/ui/DlgRun.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "common/TextOrEmpty.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/rundlg/RunBreakTexts.h"
#include "engine/rundlg/RunCompletion.h"
#include "engine/rundlg/ui/HostRunDevices.h"
#include "engine/timer/ui/TimerStatusButton.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/MainWindows.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr const char* kBreakReplies[2] = {"Continue", "Stop"};
constexpr const char* kAlreadyPerformed =
    "Project: %s\r\nTestee: %s\r\nModel: %s\r\nTask: %s\r\nPart: %u\r\nAssessment: %u\r\nAlready performed!\r\n"
    "OVERWRITE?\n";

uint32_t RunSeed() { return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()); }

}  // namespace

CDlgRun::CDlgRun(wxWindow* parent, CTaskHost& host, CTaskRunData& runData, IRunDevices* devices,
                 qel::ITickSource* tickSource)
    : wxDialog(parent, wxID_ANY, "Run", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxSTAY_ON_TOP),
      m_host(host),
      m_runData(runData),
      m_pDevices(devices),
      m_timer(tickSource),
      m_runClock(m_timer),
      m_events(this),
      m_runDisplay(host.Display()),
      m_counterTimer(this, kCounterTimerId) {
  if (!m_pDevices) {
    m_ownDevices = std::make_unique<CHostRunDevices>(host);
    m_pDevices = m_ownDevices.get();
  }
  RunMachineDevices machineDevices;
  machineDevices.clock = &m_timer;
  machineDevices.events = &m_events;
  machineDevices.keyboard = m_pDevices->Keyboard();
  machineDevices.voiceKey = m_pDevices->VoiceKey();
  machineDevices.port = &m_port;
  m_machine = std::make_unique<CRunMachine>(machineDevices);

  CreateControls();
  Bind(QEL_EVT_NOTIFY, &CDlgRun::OnNotify, this);
  Bind(wxEVT_TIMER, &CDlgRun::OnCounterTimer, this, kCounterTimerId);
  Bind(wxEVT_BUTTON, &CDlgRun::OnStopGoButton, this, kIdStopGo);
  Bind(wxEVT_LISTBOX, &CDlgRun::OnBreakReplySelect, this, kIdBreakReply);
  Bind(wxEVT_CHECKBOX, &CDlgRun::OnAlwaysOnTop, this, kIdAlwaysOnTop);
  Bind(wxEVT_BUTTON, &CDlgRun::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CDlgRun::OnCancel, this, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, &CDlgRun::OnClose, this);

  // As the dialog comes up: the reply list, topmost, counters, caption.
  ApplyAlwaysOnTop();
  ClearCounters();
  SetCaption();
}

CDlgRun::~CDlgRun() {
  // The window goes: a run still going is aborted without a score dialog,
  // and nothing may run on after this object.
  m_bClosing = true;
  if (m_bRunActive) AbortRun();
  if (m_bSignalsActive) ReleaseDevices();
  m_machine->Stop();
  m_timer.Stop();
  JoinWorker(true);
  m_counterTimer.Stop();
  RestoreHost();
}

// ---- controls --------------------------------------------------------------------------

void CDlgRun::CreateControls() {
  auto* top = new wxBoxSizer(wxVERTICAL);

  m_pInstruction =
      new wxTextCtrl(this, kIdInstruction, "", wxDefaultPosition, wxSize(360, 90), wxTE_MULTILINE | wxTE_READONLY);
  top->Add(m_pInstruction, 1, wxEXPAND | wxALL, 5);

  auto* grid = new wxFlexGridSizer(2, wxSize(8, 2));
  auto row = [&](const char* label, int id) {
    grid->Add(new wxStaticText(this, wxID_ANY, label));
    grid->Add(new wxStaticText(this, id, "", wxDefaultPosition, wxSize(120, -1)));
  };
  row("Run time (s):", kIdRunTime);
  row("Status:", kIdStatus);
  row("Trial:", kIdTrialIndex);
  row("Trials:", kIdTrialCount);
  static const char* const kIndicatorNames[4] = {"Warning:", "Signal:", "Response:", "Feedback:"};
  for (int i = 0; i < 4; ++i) row(kIndicatorNames[i], kIdIndicatorFirst + i);
  static const char* const kCountNames[6] = {"HI:", "CR:", "FA:", "MI:", "AC:", "OM:"};
  for (int i = 0; i < 6; ++i) row(kCountNames[i], kIdCountFirst + i);
  row("Mean RT (ms):", kIdMeanRt);
  top->Add(grid, 0, wxALL, 5);

  auto* breakRow = new wxBoxSizer(wxHORIZONTAL);
  breakRow->Add(new wxStaticText(this, kIdBreakReplyLabel, "Break reply:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  m_pBreakReply = new wxListBox(this, kIdBreakReply, wxDefaultPosition, wxSize(100, 50));
  for (int i = 0; i < 2; ++i) m_pBreakReply->Append(GetBreakReplyName(i));
  breakRow->Add(m_pBreakReply, 0, wxRIGHT, 5);
  m_pStopGo = new wxButton(this, kIdStopGo, "Stop");
  breakRow->Add(m_pStopGo, 0, wxALIGN_CENTER_VERTICAL);
  top->Add(breakRow, 0, wxALL, 5);

  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  m_pAlwaysOnTop = new wxCheckBox(this, kIdAlwaysOnTop, "Always on top");
  m_pAlwaysOnTop->SetValue(m_bAlwaysOnTop);
  bottom->Add(m_pAlwaysOnTop, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  bottom->Add(new qel::CTimerStatusButton(this, m_timer, "Timer", kIdTimer), 0, wxRIGHT, 5);
  bottom->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 5);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Close"));
  top->Add(bottom, 0, wxALL, 5);

  SetSizerAndFit(top);
  ShowBreakControls(false);
}

void CDlgRun::SetLabel(int id, const wxString& text) {
  if (wxWindow* w = FindWindow(id)) {
    if (w->GetLabel() != text) w->SetLabel(text);
  }
}

const char* CDlgRun::GetBreakReplyName(int i) { return i >= 0 && i < 2 ? kBreakReplies[i] : ""; }

void CDlgRun::SetCaption() {
  if (!m_pTask) return;
  wxDialog::SetTitle(wxString::FromUTF8(m_pTask->TaskName) + wxString::Format(", Ver.%d, Part %d",
                                                                              static_cast<int>(m_pTask->w.TaskVersion),
                                                                              m_pTask->currentPart + 1));
}

bool CDlgRun::SetTitle(bool show) {
  SetCaption();
  Show(show);
  ClearCounters();
  return true;
}

void CDlgRun::ClearCounters() {
  m_bGo = false;
  m_nBreakReply = 0;
  m_pBreakReply->SetSelection(0);
  if (wxWindow* w = FindWindow(kIdInstruction)) w->Enable();
  SetLabel(kIdTrialCount, wxString::Format("%d", static_cast<int>(m_nTrialCount)));
  for (const int id : {static_cast<int>(kIdRunTime), static_cast<int>(kIdTrialIndex), static_cast<int>(kIdMeanRt)}) {
    SetLabel(id, "");
  }
  for (int i = 0; i < 4; ++i) SetLabel(kIdIndicatorFirst + i, "");
  for (int i = 0; i < 6; ++i) SetLabel(kIdCountFirst + i, "");
  m_strStatus.clear();
  SetLabel(kIdStatus, "");
  ShowBreakControls(false);
}

void CDlgRun::ApplyAlwaysOnTop() {
  const wxRect rect = GetRect();
  long style = GetWindowStyleFlag();
  style = m_bAlwaysOnTop ? (style | wxSTAY_ON_TOP) : (style & ~wxSTAY_ON_TOP);
  SetWindowStyleFlag(style);
  SetSize(rect);
}

void CDlgRun::EnableCloseButtons(bool enable) {
  for (const int id : {static_cast<int>(wxID_OK), static_cast<int>(wxID_CANCEL)}) {
    if (wxWindow* w = FindWindow(id)) w->Enable(enable);
  }
}

void CDlgRun::ShowBreakControls(bool go) {
  m_pStopGo->SetLabel(go ? "Go" : "Stop");
  m_pBreakReply->Enable(go);
  if (wxWindow* w = FindWindow(kIdBreakReplyLabel)) w->Enable(go);
}

void CDlgRun::OnTimer() {
  SetLabel(kIdRunTime, wxString::Format("%u", m_timer.GetElapsedMs() / 1000));
  if (!m_bSelfTimed && m_bStarted) {
    SetLabel(kIdTrialIndex, wxString::Format("%d", static_cast<int>(m_machine->GetTrialIndex())));
    SetLabel(kIdMeanRt, wxString::Format("%d", m_machine->GetMeanReactionTime()));
    for (int i = 0; i < 6; ++i) SetLabel(kIdCountFirst + i, wxString::Format("%d", m_machine->GetCategoryCount(i + 1)));
    for (int i = 0; i < 4; ++i) SetLabel(kIdIndicatorFirst + i, wxString::FromUTF8(m_machine->GetIndicator(i)));
    if (m_strStatus.empty()) SetLabel(kIdStatus, wxString::FromUTF8(m_machine->GetStatusText()));
  }
  if (!m_strStatus.empty()) SetLabel(kIdStatus, wxString::FromUTF8(m_strStatus));
}

// ---- starting -------------------------------------------------------------------------------

bool CDlgRun::RunTest(IRunProject* project, const char* testeeCode, const char* modelName) {
  m_pProject = project;
  m_strTesteeCode = TextOrEmpty(testeeCode);
  m_strModelName = TextOrEmpty(modelName);
  return StartTest();
}

bool CDlgRun::RunPractice(IRunProject* project, const char* testeeCode, const char* modelName) {
  m_pProject = project;
  m_strTesteeCode = TextOrEmpty(testeeCode);
  m_strModelName = TextOrEmpty(modelName);
  return StartPractice();
}

bool CDlgRun::RunSignals(IRunProject* project, const char* testeeCode, const char* modelName) {
  m_pProject = project;
  m_strTesteeCode = TextOrEmpty(testeeCode);
  m_strModelName = TextOrEmpty(modelName);
  return StartSignals();
}

bool CDlgRun::StartTest() {
  if (!m_pProject || !m_pTask || IsRunInProgress()) return false;
  const int part = m_pTask->currentPart;
  // A read that fails may hide stored trials: nothing is overwritten unasked.
  if (!m_pProject->ReadResponses(m_strTesteeCode, m_strModelName, *m_pTask, m_pTask->currentAssessment, 1, kMaxParts)) {
    return false;
  }
  if (part >= 0 && part < kMaxParts && m_pTask->trialCounts[part] > 0) {
    char question[1024];
    std::snprintf(question, sizeof question, kAlreadyPerformed, m_pProject->GetPath().c_str(), m_strTesteeCode.c_str(),
                  m_strModelName.c_str(), m_pTask->TaskIdStr.c_str(), static_cast<unsigned>(part + 1),
                  static_cast<unsigned>(m_pTask->currentAssessment));
    const int answer =
        qel::ShowPrompt(question, "Qel", qel::kPromptOkCancel | qel::kPromptIconWarning | qel::kPromptDefault2);
    if (answer != qel::kAnswerOk) return false;
  }
  ClearCounters();
  m_bPractice = false;
  if (StartRun()) return true;
  EndRun();
  return false;
}

bool CDlgRun::StartPractice() {
  if (!m_pTask || !m_pTask->library || IsRunInProgress()) return false;
  ClearCounters();
  m_bPractice = true;
  if (StartRun()) return true;
  EndRun();
  return false;
}

void CDlgRun::PrepareBreakTexts() {
  const uint32_t flags = m_pTask->w.TaskFlags;
  const RunBreakTexts texts = BuildBreakTexts(SelectBreakTexts(g_Language, flags), m_pTask->TaskName,
                                              [this](uint32_t id) { return m_host.LoadText(id); });
  m_strInstruction = texts.instruction;
  m_pInstruction->ChangeValue(wxString::FromUTF8(m_strInstruction));
  CDDDisplay& display = m_host.Display();
  display.m_strBreakText = texts.instruction;
  display.m_strStopCaption = m_pTask->TaskName;
  display.m_strStopQuestion = texts.stopQuestion;
  display.m_bNoStopConfirm = m_bPractice;
  display.m_bShowButton = (flags & kTaskFlagShowButton) != 0;
}

bool CDlgRun::OpenRunDevices(bool withMouse) {
  if (m_pTask->w.TaskFlags & kTaskFlagVoiceKey) m_pDevices->InitVoiceKey(m_nCaptureDevice);
  if (!m_pDevices->CreateFullScreen(g_ScreenInd)) return false;
  const qel::InputWindow window = m_pDevices->GetDeviceWindow();
  if (!m_pDevices->InitSoundOutput(g_SoundInd)) return false;
  if (!m_pDevices->CreateInput()) return false;
  if (!m_pDevices->OpenResponseDevice(window)) return false;
  if (g_ButtonType != 0 && !m_pDevices->AcquireKeyboard(window)) return false;
  if (withMouse && g_ButtonType != 1 && !m_pDevices->AcquireMouse(window)) return false;
  return true;
}

bool CDlgRun::StartRun() {
  // A second start while a run goes on is refused before it touches the
  // port: a stray 0 would reach the recording equipment mid-run.
  if (IsRunInProgress() || !m_pTask) return false;
  m_port.SetSignalSync(g_SignalSync != 0);
  m_port.Open();
  m_port.WriteByte(0);
  const int part = m_pTask->currentPart;
  if (part < 0 || part >= kMaxParts) return false;

  m_runDisplay.BreakSetState(kBreakRequested);
  m_bRunActive = true;
  m_bStarted = false;
  m_bStopped = false;
  m_bEndPending = false;
  m_bSelfTimed = false;
  m_host.breakFlag = 0;
  m_host.SetWaitsInterrupted(false);
  NotifyCaller(kNotifyRunStarted);
  m_host.SetRunFlags(m_bPractice ? 1 : 0);
  PrepareBreakTexts();

  if (!m_pTask->library) return false;
  m_runData.ClearPart(part);
  m_strStatus.clear();

  if (!m_timer.Init()) {
    m_strStatus = qel::CTimerMs::kNotAvailableText;
    OnTimer();
    return false;
  }
  // Plug-ins read the run's clock, and the display through the run's view of it.
  m_host.SetRunClock(&m_runClock);
  m_host.display = &m_runDisplay;
  if (!OpenRunDevices(true)) return false;
  if (!m_pTask->PrepareRun(&m_runData)) return false;

  m_nTrialCount = m_host.trialCount;
  SetLabel(kIdTrialCount, wxString::Format("%d", static_cast<int>(m_nTrialCount)));
  EnableCloseButtons(false);
  m_counterTimer.Start(kCounterIntervalMs);
  m_bSelfTimed = (m_pTask->w.TaskFlags & kTaskFlagSelfTimed) != 0;
  if (m_bSelfTimed) {
    StartWorker(false);
  } else {
    if (!m_timer.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(m_machine.get()))) return false;
    RunPartSetup setup;
    setup.task = m_pTask;
    setup.host = &m_host;
    setup.runData = &m_runData;
    setup.part = part;
    setup.practice = m_bPractice;
    setup.seed = RunSeed();
    if (!m_machine->StartPart(setup)) return false;
  }
  m_host.Display().SetFocus();
  m_bStarted = true;
  return true;
}

void CDlgRun::StartWorker(bool signals) {
  m_bWorkerDone = false;
  CExpModelTask* task = m_pTask;
  CTaskRunData* runData = &m_runData;
  IRunEventSink* events = &m_events;
  std::atomic<bool>* done = &m_bWorkerDone;
  m_worker = std::thread([task, runData, events, done, signals] {
    if (signals) {
      task->RunSignals(runData);
    } else {
      task->RunWholeTask(runData);
    }
    done->store(true);
    events->PostRunEvent(signals ? kRunEventSignalsEnd : kRunEventSelfTimedEnd, 0);
  });
}

bool CDlgRun::JoinWorker(bool wait) {
  if (!m_worker.joinable()) return true;
  if (!m_bWorkerDone.load()) {
    // The plug-in's waits give up; its own loops end on its own terms.
    m_host.SetWaitsInterrupted(true);
    if (!wait) return false;
  }
  m_worker.join();
  m_host.SetWaitsInterrupted(false);
  return true;
}

bool CDlgRun::StartSignals() {
  if (!m_pTask || !m_pTask->library) return false;
  if (!PrepareSignals()) return false;
  StartWorker(true);
  return true;
}

bool CDlgRun::PrepareSignals() {
  if (IsRunInProgress()) return false;
  m_bSignalsActive = true;
  NotifyCaller(kNotifyRunStarted);
  ClearCounters();
  m_host.SetWaitsInterrupted(false);
  m_timer.Init();
  m_host.SetRunClock(&m_runClock);
  m_host.display = &m_runDisplay;
  bool ok = OpenRunDevices(false) && m_pTask->PrepareRun(&m_runData);
  if (ok) m_runDisplay.SetCursor(false);
  if (!ok) ReleaseDevices();
  return ok;
}

// ---- ending ----------------------------------------------------------------------------------

void CDlgRun::NotifyCaller(int code) { qel::SendNotify(m_pWndNotify, code, 0); }

void CDlgRun::ReleaseRunDevices(bool withMouse) {
  if (withMouse) m_pDevices->ReleaseMouse();
  m_pDevices->ReleaseKeyboard();
  m_pDevices->CloseResponseDevice();
  m_pDevices->ReleaseInput();
  m_pDevices->ReleaseSound();
  m_pDevices->ReleaseVoiceKey();
  // The testee's screen is given back on every path.
  m_pDevices->FreeDisplay();
}

void CDlgRun::RestoreHost() {
  m_host.display = &m_host.Display();
  m_host.SetRunClock(nullptr);
}

void CDlgRun::AbortRun() {
  if (m_bRunActive) {
    m_bStopped = true;
    EndRun();
    // The end may have waited for a worker: an abort cannot wait.
    if (m_bRunActive) {
      JoinWorker(true);
      EndRun();
    }
  }
  if (m_bSignalsActive) ReleaseDevices();
}

void CDlgRun::EndRun() {
  if (!m_bRunActive || !m_pTask) {
    m_port.Close();
    return;
  }
  // The machine and its beat stop first; a self-timed worker must have
  // finished before anything it uses is given back.
  m_machine->Stop();
  m_timer.Stop();
  if (!JoinWorker(false)) {
    m_bEndPending = true;
    return;
  }
  m_port.Close();
  const int part = m_pTask->currentPart;
  m_bRunActive = false;
  m_bEndPending = false;
  if (m_bStarted && !m_bSelfTimed && part >= 0 && part < kMaxParts) {
    m_pTask->trialCounts[part] = m_machine->GetResponseCount();
  }
  m_counterTimer.Stop();
  OnTimer();
  EnableCloseButtons(true);
  ReleaseRunDevices(true);
  RestoreHost();
  NotifyCaller(kNotifyRunEnded);
  m_pWndNotify = nullptr;
  m_bGo = false;
  ShowBreakControls(false);
  FinishRun(part, m_bStarted);
  DestroyIfHidden();
}

void CDlgRun::FinishRun(int part, bool started) {
  // A run that never got going has nothing to score.
  if (!started || m_bClosing) return;
  m_runData.normTableSwitch = m_bPractice ? 1 : 0;
  m_runData.testDate = CurrentLocalDateTime();
  m_runData.resultWord = 0;
  m_runData.variableCount = 0;
  m_runData.ClearValues();
  int32_t variables = -1;
  ITaskRunData* runData = &m_runData;
  if (!m_pTask->library->CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(runData), 0, 0, &variables)) {
    variables = -1;
  }
  if (variables < 0) return;
  m_runData.variableCount = variables;

  RunEndState end;
  end.stopped = m_bStopped || m_machine->WasStopped();
  end.breakFlag = m_host.breakFlag != 0;
  end.resultsDone = m_runData.resultWord;
  end.taskFlags = m_pTask->w.TaskFlags;
  end.practice = m_bPractice;

  IScoreDialogFactory* factory = qel::GetScoreDialogFactory();
  if (!factory) return;
  ScoreDialogRequest request;
  request.parent = this;
  request.runData = &m_runData;
  request.project = m_pProject;
  request.testeeCode = m_strTesteeCode;
  request.modelName = m_strModelName;
  request.task = m_pTask;
  request.part = part + 1;
  request.savable = IsRunSavable(end);
  request.practice = m_bPractice;
  const int result = factory->RunScoreDialog(request);
  // Only a savable run is stored, whatever the dialog answers.
  if (result == wxID_OK && request.savable && m_pProject) StoreRun(variables);
}

void CDlgRun::StoreRun(int variableCount) {
  CExpModelTask& task = *m_pTask;
  const int part = task.currentPart;
  if (part >= 0 && part < kMaxParts && task.assessmentCounts[part] < task.currentAssessment) {
    task.assessmentCounts[part] = task.currentAssessment;
  }
  bool userAdded = false;
  bool newVariablesRow = false;
  if (!m_pProject->WriteResponses(m_strTesteeCode, m_strModelName, task, m_runData, variableCount, m_runData.testDate,
                                  &userAdded, &newVariablesRow)) {
    return;
  }
  QelAssessmentNotice notice;
  notice.testeeCode = m_strTesteeCode;
  notice.modelName = m_strModelName;
  notice.taskCode = task.TaskIdStr;
  notice.assessment = task.currentAssessment;
  task.SelectNewAssessmentOfCurrentPart();
  task.NextAssessment();
  wxWindow* view = qel::GetMainViewWindow();
  const intptr_t record = reinterpret_cast<intptr_t>(&notice);
  if (userAdded) qel::SendNotify(view, kNotifyUserAdded, 0);
  qel::SendNotify(view, newVariablesRow ? kNotifyNewAssessment : kNotifyAssessmentChanged, record);
  qel::SendNotify(view, kNotifySelectAssessment, record);
  qel::PostNotify(qel::GetMainFrameWindow(), kNotifyRefreshViews, kRefreshAfterRun);
}

void CDlgRun::ReleaseDevices() {
  JoinWorker(true);
  m_bSignalsActive = false;
  m_runDisplay.SetCursor(true);
  m_pDevices->ReleaseKeyboard();
  m_pDevices->CloseResponseDevice();
  m_pDevices->ReleaseInput();
  m_pDevices->ReleaseSound();
  m_pDevices->ReleaseVoiceKey();
  m_pDevices->FreeDisplay();
  RestoreHost();
  NotifyCaller(kNotifyRunEnded);
  m_pWndNotify = nullptr;
  DestroyIfHidden();
}

void CDlgRun::DestroyIfHidden() {
  if (!m_bClosing && !IsShown() && !IsBeingDeleted()) Destroy();
}

// ---- events ------------------------------------------------------------------------------------

void CDlgRun::OnNotify(CQelNotifyEvent& event) {
  switch (m_machine->OnRunEvent(event.GetCode(), event.GetPayload())) {
    case RunEventAction::kEndRun:
      if (m_bRunActive) EndRun();
      break;
    case RunEventAction::kReleaseDevices:
      if (m_bSignalsActive) ReleaseDevices();
      break;
    case RunEventAction::kBreakOpened:
      m_bGo = true;
      ShowBreakControls(true);
      break;
    case RunEventAction::kBreakAnswered:
      m_bGo = false;
      ShowBreakControls(false);
      break;
    case RunEventAction::kNone:
      break;
  }
}

void CDlgRun::OnCounterTimer(wxTimerEvent&) { OnTimer(); }

void CDlgRun::OnStopGo() {
  if (m_bGo) {
    m_bGo = false;
    ShowBreakControls(false);
    const bool stop = m_nBreakReply == 1;
    m_machine->AnswerBreak(stop);
    // On the testee's screen the break dialog goes away as its own
    // Continue would take it; a stop ends the run, which frees the screen.
    if (!stop) m_host.Display().BreakCancel();
    return;
  }
  m_bStopped = true;
  EndRun();
}

void CDlgRun::OnStopGoButton(wxCommandEvent&) { OnStopGo(); }

void CDlgRun::OnBreakReplySelect(wxCommandEvent&) { m_nBreakReply = m_pBreakReply->GetSelection(); }

void CDlgRun::OnAlwaysOnTop(wxCommandEvent&) {
  m_bAlwaysOnTop = m_pAlwaysOnTop->GetValue();
  ApplyAlwaysOnTop();
}

void CDlgRun::OnOk(wxCommandEvent&) {
  if (m_bRunActive) m_bStopped = true;
  EndRun();
  if (!m_bRunActive && !IsBeingDeleted()) Hide();
}

void CDlgRun::OnCancel(wxCommandEvent&) {
  if (!IsRunInProgress()) Hide();
}

void CDlgRun::OnClose(wxCloseEvent& event) {
  // Closed like Cancel: hidden, and not while a run goes on.
  if (IsRunInProgress() && event.CanVeto()) {
    event.Veto();
    return;
  }
  if (event.CanVeto()) {
    Hide();
  } else {
    Destroy();
  }
}

}  // namespace qel

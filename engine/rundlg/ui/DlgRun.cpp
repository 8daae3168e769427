#include "engine/rundlg/ui/DlgRun.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/model/ExpModelTask.h"
#include "common/ui/WxText.h"
#include "engine/rundlg/ui/HostRunDevices.h"
#include "engine/timer/ui/TimerStatusButton.h"
#include "ui/ui/MainWindows.h"
#include "ui/ui/QelNotify.h"

namespace qel {

static_assert(kScoreDialogOk == wxID_OK, "the score dialog's result that stores the run is wxID_OK");

CDlgRun::CDlgRun(wxWindow* parent, CTaskHost& host, CTaskRunData& runData, IRunDevices* devices,
                 ITickSource* tickSource)
    : wxDialog(parent, wxID_ANY, "Run", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxSTAY_ON_TOP),
      m_timer(tickSource),
      m_pDevices(devices),
      m_events(this),
      m_runHost(host),
      m_counterTimer(this, kCounterTimerId) {
  if (!m_pDevices) {
    m_ownDevices = std::make_unique<CHostRunDevices>(host);
    m_pDevices = m_ownDevices.get();
  }
  RunSessionCollaborators collaborators;
  collaborators.runData = &runData;
  collaborators.host = &m_runHost;
  collaborators.devices = m_pDevices;
  collaborators.timer = &m_timer;
  collaborators.port = &m_port;
  collaborators.events = &m_events;
  collaborators.scores = this;
  collaborators.notifier = this;
  collaborators.monitor = this;
  m_session = std::make_unique<CRunSession>(collaborators);

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
  m_session->Close();
  m_counterTimer.Stop();
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
  for (int i = 0; i < kBreakReplyCount; ++i) m_pBreakReply->Append(GetBreakReplyName(i));
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

void CDlgRun::SetCaption() {
  const CExpModelTask* task = GetTask();
  if (!task) return;
  wxDialog::SetTitle(ToWx(task->TaskName) + wxString::Format(", Ver.%d, Part %d", static_cast<int>(task->w.TaskVersion),
                                                             task->currentPart + 1));
}

bool CDlgRun::SetTitle(bool show) {
  SetCaption();
  Show(show);
  ClearCounters();
  return true;
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
  const std::string& status = m_session->GetStatusText();
  RunCounters counters;
  if (m_session->GetCounters(&counters)) {
    SetLabel(kIdTrialIndex, wxString::Format("%d", static_cast<int>(counters.trialIndex)));
    SetLabel(kIdMeanRt, wxString::Format("%d", counters.meanRt));
    for (int i = 0; i < 6; ++i) SetLabel(kIdCountFirst + i, wxString::Format("%d", counters.categoryCounts[i]));
    for (int i = 0; i < 4; ++i) SetLabel(kIdIndicatorFirst + i, ToWx(counters.indicators[i]));
    if (status.empty()) SetLabel(kIdStatus, ToWx(counters.machineStatus));
  }
  if (!status.empty()) SetLabel(kIdStatus, ToWx(status));
}

// ---- starting ---------------------------------------------------------------------------------

bool CDlgRun::RunTest(IRunProject* project, const char* testeeCode, const char* modelName) {
  return m_session->Start(RunKind::kTest, project, testeeCode, modelName);
}

bool CDlgRun::RunPractice(IRunProject* project, const char* testeeCode, const char* modelName) {
  return m_session->Start(RunKind::kPractice, project, testeeCode, modelName);
}

bool CDlgRun::RunSignals(IRunProject* project, const char* testeeCode, const char* modelName) {
  return m_session->Start(RunKind::kSignals, project, testeeCode, modelName);
}

// ---- what the session tells ------------------------------------------------------------------

void CDlgRun::OnCountersCleared() {
  m_pBreakReply->SetSelection(static_cast<int>(RunBreakReply::kContinue));
  if (wxWindow* w = FindWindow(kIdInstruction)) w->Enable();
  SetLabel(kIdTrialCount, wxString::Format("%d", static_cast<int>(m_session->GetTrialCount())));
  for (const int id : {static_cast<int>(kIdRunTime), static_cast<int>(kIdTrialIndex), static_cast<int>(kIdMeanRt)}) {
    SetLabel(id, "");
  }
  for (int i = 0; i < 4; ++i) SetLabel(kIdIndicatorFirst + i, "");
  for (int i = 0; i < 6; ++i) SetLabel(kIdCountFirst + i, "");
  SetLabel(kIdStatus, "");
  ShowBreakControls(false);
}

void CDlgRun::OnInstructionChanged() { m_pInstruction->ChangeValue(ToWx(m_session->GetInstructionText())); }

void CDlgRun::OnRunGoing() {
  SetLabel(kIdTrialCount, wxString::Format("%d", static_cast<int>(m_session->GetTrialCount())));
  EnableCloseButtons(false);
  m_counterTimer.Start(kCounterIntervalMs);
}

void CDlgRun::OnRunProgress() { OnTimer(); }

void CDlgRun::OnRunStopped() {
  m_counterTimer.Stop();
  OnTimer();
  EnableCloseButtons(true);
}

void CDlgRun::OnGoChanged(bool go) { ShowBreakControls(go); }

void CDlgRun::OnRunOver() {
  // A hidden dialog goes with its run.
  if (!m_bClosing && !IsShown() && !IsBeingDeleted()) Destroy();
}

void CDlgRun::NotifyCaller(QelNotifyCode code) { SendNotify(m_pWndNotify, code, 0); }

void CDlgRun::ForgetCaller() { m_pWndNotify = nullptr; }

void CDlgRun::NotifyMainView(QelNotifyCode code, const QelAssessmentNotice* notice) {
  SendNotify(GetMainViewWindow(), code, reinterpret_cast<intptr_t>(notice));
}

void CDlgRun::PostMainFrame(QelNotifyCode code, intptr_t payload) { PostNotify(GetMainFrameWindow(), code, payload); }

int CDlgRun::RunScoreDialog(const ScoreDialogRequest& request) {
  // The factory the program has installed; without one no dialog comes up
  // and nothing is stored.
  IScoreDialogFactory* factory = GetScoreDialogFactory();
  if (!factory) return wxID_CANCEL;
  ScoreDialogRequest over = request;
  over.parent = this;
  return factory->RunScoreDialog(over);
}

// ---- events ------------------------------------------------------------------------------------

void CDlgRun::OnNotify(CQelNotifyEvent& event) { m_session->OnRunEvent(event.GetCode(), event.GetPayload()); }

void CDlgRun::OnCounterTimer(wxTimerEvent&) { OnTimer(); }

void CDlgRun::OnStopGoButton(wxCommandEvent&) { OnStopGo(); }

void CDlgRun::OnBreakReplySelect(wxCommandEvent&) { m_session->SelectBreakReply(m_pBreakReply->GetSelection()); }

void CDlgRun::OnAlwaysOnTop(wxCommandEvent&) {
  m_bAlwaysOnTop = m_pAlwaysOnTop->GetValue();
  ApplyAlwaysOnTop();
}

void CDlgRun::OnOk(wxCommandEvent&) {
  m_session->StopRun();
  if (!IsRunActive() && !IsBeingDeleted()) Hide();
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

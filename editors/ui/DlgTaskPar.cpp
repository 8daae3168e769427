#include "editors/ui/DlgTaskPar.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "common/ui/WxText.h"
#include "editors/EditorRuns.h"
#include "editors/ModelEditing.h"
#include "editors/ui/DlgTaskParTrl.h"
#include "editors/ui/EditorServices.h"
#include "engine/host/ui/TaskHost.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {
constexpr int kHandAny = -1;
constexpr int kPartNext = -1;
}  // namespace

CDlgTaskPar::CDlgTaskPar(wxWindow* parent, CExpModelTask* task, const std::string& modelName, bool canRun,
                         const EditorServices& services)
    : wxDialog(parent, wxID_ANY, "Task", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_task(task),
      m_modelName(modelName),
      m_services(services),
      m_tabs(services),
      m_canRun(canRun) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* notebook = new wxNotebook(this, kIdTabs);
  top->Add(notebook, 1, wxEXPAND | wxALL, 4);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxButton(this, kIdPart, "Part"), 0, wxRIGHT, 2);
  row->Add(new wxTextCtrl(this, kIdPartName, "", wxDefaultPosition, wxSize(180, -1), wxTE_READONLY), 0, wxRIGHT, 2);
  m_partSpin = new wxSpinButton(this, kIdPartSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_partSpin->SetRange(-1000, 1000);
  row->Add(m_partSpin, 0, wxRIGHT, 8);
  row->AddStretchSpacer();
  row->Add(new wxButton(this, kIdSignals, "Instruct"), 0, wxRIGHT, 2);
  row->Add(new wxButton(this, kIdPractice, "Practice"), 0, wxRIGHT, 2);
  row->Add(new wxButton(this, kIdHelp, "Help"), 0, wxRIGHT, 8);
  row->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 2);
  row->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  top->Add(row, 0, wxEXPAND | wxALL, 4);
  SetSizer(top);

  struct Tip {
    int id;
    const char* text;
  } tips[] = {{wxID_OK, "Close dialog with subsequent saving of changes"},
              {wxID_CANCEL, "Cancel changes and close dialog"},
              {kIdPartSpin, "Select part of task"},
              {kIdSignals, "View task signals"},
              {kIdPractice, "Run PRACTICE assessment"},
              {kIdPartName, "Current part of task"},
              {kIdHelp, "Click me!"}};
  for (const Tip& t : tips) FindWindow(t.id)->SetToolTip(t.text);

  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RunSignals(); }, kIdSignals);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RunPractice(); }, kIdPractice);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_tabs.ShowHelp(this); }, kIdHelp);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
    if (e.CanVeto()) {
      e.Veto();
      OnCancel();
    } else {
      e.Skip();
    }
  });
  m_partSpin->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& e) { StepPart(1); e.Veto(); });
  m_partSpin->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& e) { StepPart(kPartNext); e.Veto(); });
  Bind(QEL_EVT_NOTIFY, &CDlgTaskPar::OnNotify, this);

  m_tabs.Init(notebook, task, this, nullptr);
  if (task) {
    if (m_services.host) m_services.host->SetRunFlags(0);
    UpdateTaskTexts();
    SetTitle(ToWx(task->TaskName));
  } else {
    UpdateControls();
  }
  FitWithinScreen(this);
}

CDlgTaskPar::~CDlgTaskPar() { m_tabs.HideAllPages(); }

void CDlgTaskPar::UpdateTaskTexts() {
  m_partCaption.clear();
  std::string partName;
  int n = 0;
  if (m_task) {
    n = m_task->GetPartCount();
    partName = m_task->GetCurrentPartName();
    if (!m_services.runData || m_task->PrepareRun(m_services.runData)) {
      m_partCaption = qel::PartCaption(m_task->currentPart + 1, n);
    }
    if (m_services.host) m_services.host->SetRunFlags(0);
  }
  FindWindow(kIdPart)->SetLabel(ToWx(m_partCaption));
  static_cast<wxTextCtrl*>(FindWindow(kIdPartName))->ChangeValue(ToWx(partName));
  m_partSpin->Show(n > 1);
  m_tabs.UpdateControls(false);
  UpdateControls();
  Layout();
}

void CDlgTaskPar::UpdateControls() {
  const bool runActive = m_services.runs && m_services.runs->IsRunActive();
  bool editable = !runActive && m_canEdit;
  if (m_task) editable = editable && m_task->IsLibraryLoaded();
  const bool loaded = m_task && m_task->loaded;
  const bool modified = m_task && m_task->modified;
  for (int id : {kIdSignals, kIdPractice}) {
    FindWindow(id)->Show(m_canRun);
    FindWindow(id)->Enable(m_canRun && editable && m_task);
  }
  FindWindow(wxID_OK)->Show(loaded);
  FindWindow(wxID_OK)->Enable(modified);
}

bool CDlgTaskPar::StepPart(int delta) {
  if (!m_task || !m_task->StepPart(delta, false)) return false;
  UpdateTaskTexts();
  return true;
}

void CDlgTaskPar::RunSignals() {
  if (!m_task || !m_services.runs) return;
  m_task->ApplyKeysMapping(kHandAny);
  m_focusAfterRun = kIdSignals;
  m_services.runs->RunSignals(m_task, m_modelName, this);
  UpdateControls();
}

void CDlgTaskPar::RunPractice() {
  if (!m_task || !m_services.runs) return;
  m_task->ApplyKeysMapping(kHandAny);
  m_focusAfterRun = kIdPractice;
  m_services.runs->RunPractice(m_task, m_modelName, this);
  UpdateControls();
}

void CDlgTaskPar::OnNotify(CQelNotifyEvent& event) {
  switch (event.GetCode()) {
    case kNotifyRunStarted:
      UpdateControls();
      break;
    case kNotifyRunEnded:
      UpdateControls();
      m_tabs.Trials().UpdateControls();
      if (m_focusAfterRun) {
        if (wxWindow* w = FindWindow(m_focusAfterRun)) w->SetFocus();
        m_focusAfterRun = 0;
      }
      break;
    default:
      event.Skip();
  }
}

void CDlgTaskPar::EndWith(int code) {
  if (m_services.runs) m_services.runs->AbortRun();
  m_tabs.HideAllPages();
  if (IsModal()) {
    EndModal(code);
  } else {
    SetReturnCode(code);
    Hide();
  }
}

void CDlgTaskPar::OnOk() {
  if (m_task && m_task->HasTimingError()) {
    const int answer = ShowPrompt(TaskErrorsQuestion(m_task->TaskName), "Qel",
                                  kPromptYesNo | kPromptIconQuestion | kPromptDefault2);
    if (answer != kAnswerYes) return;
  }
  EndWith(wxID_OK);
}

void CDlgTaskPar::OnCancel() {
  if (m_task && m_task->modified) {
    const int answer = ShowPrompt(ApplyTaskQuestion(m_task->TaskName), "Qel",
                                  kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3);
    if (answer == kAnswerCancel) return;
    if (answer == kAnswerYes) {
      OnOk();
      return;
    }
  }
  EndWith(wxID_CANCEL);
}

}  // namespace qel

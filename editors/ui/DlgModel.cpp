#include "editors/ui/DlgModel.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "common/ui/WxText.h"
#include "editors/EditorRuns.h"
#include "editors/ui/DlgTaskParTrl.h"
#include "editors/ui/EditorServices.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/rundlg/ui/DlgTasksAvailable.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {
const char* const kColumns[] = {"No.", "Id", "Name", "Ver", "Part"};
const int kWidths[] = {-40, 50, 170, -40, -40};
constexpr int kColumnCount = 5;
// The task list's row codes: its kind (6) on the family's deselected and selected codes.
constexpr int kCodeRowDeselected = 316;
constexpr int kCodeRowSelected = 326;
constexpr int kHandAny = -1;
constexpr int kPartNext = -1;
}  // namespace

CDlgModel::CDlgModel(wxWindow* parent, CExpModel* model, bool canRun, const EditorServices& services)
    : wxDialog(parent, wxID_ANY, "Model", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_model(model),
      m_services(services),
      m_editing(model, services.libraries),
      m_tabs(services),
      m_canRun(canRun) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  auto* left = new wxBoxSizer(wxVERTICAL);
  left->Add(new wxStaticText(this, wxID_ANY, "Tasks list"), 0, wxBOTTOM, 2);
  m_list = new CListCtrlQel(this, kIdTaskList, wxDefaultPosition, wxSize(330, 360));
  m_list->SetColumns(kColumns, kWidths, kColumnCount, false);
  m_list->SetSingleStyle(wxLC_SINGLE_SEL);
  m_list->m_keyList.m_pOwner = this;
  m_list->m_nEventCodes[CListCtrlQel::kEventDeselected] = kCodeRowDeselected;
  m_list->m_nEventCodes[CListCtrlQel::kEventSelected] = kCodeRowSelected;
  left->Add(m_list, 1, wxEXPAND);
  auto* listButtons = new wxBoxSizer(wxHORIZONTAL);
  listButtons->Add(new wxBitmapButton(this, kIdMoveUp, wxArtProvider::GetBitmap(wxART_GO_UP, wxART_BUTTON)), 0, wxRIGHT, 2);
  listButtons->Add(new wxButton(this, kIdAdd, "Add"), 0, wxRIGHT, 2);
  listButtons->Add(new wxButton(this, kIdInsert, "Insert"), 0, wxRIGHT, 2);
  listButtons->Add(new wxButton(this, kIdDelete, "Delete"), 0, wxRIGHT, 2);
  listButtons->Add(new wxBitmapButton(this, kIdMoveDown, wxArtProvider::GetBitmap(wxART_GO_DOWN, wxART_BUTTON)), 0);
  left->Add(listButtons, 0, wxTOP, 4);
  top->Add(left, 0, wxEXPAND | wxALL, 4);

  auto* right = new wxBoxSizer(wxVERTICAL);
  auto* taskRow = new wxBoxSizer(wxHORIZONTAL);
  taskRow->Add(new wxStaticText(this, kIdCurrentTask, "Current Task", wxDefaultPosition, wxSize(130, -1)), 0,
               wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  taskRow->Add(new wxButton(this, kIdPart, "Part"), 0, wxRIGHT, 2);
  taskRow->Add(new wxTextCtrl(this, kIdPartName, "", wxDefaultPosition, wxSize(180, -1), wxTE_READONLY), 0, wxRIGHT, 2);
  m_partSpin = new wxSpinButton(this, kIdPartSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_partSpin->SetRange(-1000, 1000);
  taskRow->Add(m_partSpin, 0);
  right->Add(taskRow, 0, wxBOTTOM, 4);
  auto* notebook = new wxNotebook(this, kIdTabs);
  right->Add(notebook, 1, wxEXPAND);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, kIdSignals, "Instruct"), 0, wxRIGHT, 2);
  buttons->Add(new wxButton(this, kIdPractice, "Practice"), 0, wxRIGHT, 2);
  buttons->Add(new wxButton(this, kIdHelp, "Help"), 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 2);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  right->Add(buttons, 0, wxEXPAND | wxTOP, 4);
  top->Add(right, 1, wxEXPAND | wxALL, 4);
  SetSizer(top);

  struct Tip {
    int id;
    const char* text;
  } tips[] = {{wxID_OK, "Close dialog with subsequent saving of changes"},
              {wxID_CANCEL, "Cancel changes and close dialog"},
              {kIdTaskList, "List of tasks in the model"},
              {kIdAdd, "Add new task to the end of tasks list"},
              {kIdInsert, "Insert new task in curently selected position of the list"},
              {kIdDelete, "Delete curently selected tasks from the model"},
              {kIdPartSpin, "Select part of task"},
              {kIdSignals, "View task signals"},
              {kIdPractice, "Run PRACTICE assessment"},
              {kIdPartName, "Current part of task"},
              {kIdMoveUp, "Move selected task up"},
              {kIdMoveDown, "Move selected task down"},
              {kIdHelp, "Click me!"}};
  for (const Tip& t : tips) FindWindow(t.id)->SetToolTip(t.text);

  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenTasksAvailable(IModelTaskEditor::kAddAppend); }, kIdAdd);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenTasksAvailable(IModelTaskEditor::kAddInsert); }, kIdInsert);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (m_model && m_model->GetCurrentTaskIndex() >= 0) DeleteTaskAsk(m_model->GetCurrentTaskIndex());
  }, kIdDelete);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MoveTask(-1); }, kIdMoveUp);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MoveTask(1); }, kIdMoveDown);
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
  Bind(QEL_EVT_NOTIFY, &CDlgModel::OnNotify, this);
  notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this, notebook](wxBookCtrlEvent& e) {
    e.Skip();
    if (e.GetEventObject() == notebook) CallAfter([this] { SelectCurrentTask(); });
  });

  // The model's tasks are bound to the plug-ins the editor was given.
  m_editing.BindAll();
  FillList(0);
  m_tabs.Init(notebook, nullptr, nullptr, this);
  if (m_model) SetTitle(ToWx(m_model->m_name.empty() ? "Model" : m_model->m_name));
  SelectCurrentTask();
  m_initialised = true;
  FitWithinScreen(this);
}

CDlgModel::~CDlgModel() { m_tabs.HideAllPages(); }

wxWindow* CDlgModel::GetModelListWindow() { return m_list; }

void CDlgModel::SetRow(int row) {
  const CExpModelTask* task = m_model ? m_model->GetTask(row) : nullptr;
  if (!task) return;
  m_list->SetItem(row, 0, std::to_string(row + 1));
  m_list->SetItem(row, 1, ToWx(task->TaskIdStr));
  m_list->SetItem(row, 2, ToWx(task->TaskName));
  m_list->SetItem(row, 3, std::to_string(task->w.TaskVersion));
  m_list->SetItem(row, 4, std::to_string(task->currentPart + 1));
}

void CDlgModel::FillList(int select) {
  m_list->DeleteAllRows();
  const int count = m_model ? m_model->GetTaskCount() : 0;
  for (int i = 0; i < count; ++i) {
    if (m_list->InsertRow(i, m_model->GetTask(i)->TaskIdStr.c_str(), false)) SetRow(i);
  }
  // The columns take the width of their texts: the tasks' names in full.
  m_list->AutoSizeColumns();
  if (select >= 0 && select < count) m_list->SelectRow(select);
  // The columns widen to show every Id and name whole.
  m_list->AutoSizeColumns();
}

void CDlgModel::RefreshModelList() {
  for (int i = 0; i < m_list->GetItemCount(); ++i) SetRow(i);
  m_list->AutoSizeColumns();
}

void CDlgModel::SelectRow(int row) {
  if (row < 0 || row >= m_list->GetItemCount()) return;
  m_list->SelectRow(row);
  SelectCurrentTask();
}

void CDlgModel::SelectCurrentTask() {
  m_currentCaption = qel::CurrentTaskCaption(-1);
  m_partCaption.clear();
  std::string partName;
  CExpModelTask* task = nullptr;
  if (m_model) {
    const int row = m_list->GetSelectedRow();
    task = m_model->SelectTask(row);
    if (!task) m_model->m_currentIndex = -1;
  }
  bool multi = false;
  if (task) {
    m_currentCaption = qel::CurrentTaskCaption(m_model->GetCurrentTaskIndex());
    const int n = task->GetPartCount();
    multi = n > 1;
    m_partCaption = qel::PartCaption(task->currentPart + 1, n);
    partName = task->GetCurrentPartName();
    if (m_services.runData) task->PrepareRun(m_services.runData);
    if (m_services.host) m_services.host->SetRunFlags(0);
  }
  m_tabs.SetTask(task);
  m_tabs.UpdateControls(true);
  m_partSpin->Show(multi);
  FindWindow(kIdCurrentTask)->SetLabel(ToWx(m_currentCaption));
  FindWindow(kIdPart)->SetLabel(ToWx(m_partCaption.empty() ? "Part" : m_partCaption));
  static_cast<wxTextCtrl*>(FindWindow(kIdPartName))->ChangeValue(ToWx(partName));
  UpdateControls();
  Layout();
}

void CDlgModel::UpdateControls() {
  EditorState s;
  s.hasModel = m_model != nullptr;
  s.runActive = m_services.runs && m_services.runs->IsRunActive();
  s.canEdit = m_canEdit != 0;
  s.canRun = m_canRun;
  s.taskCount = m_model ? m_model->GetTaskCount() : 0;
  s.selected = m_list->GetSelectedRow();
  if (m_model) {
    s.loaded = m_model->m_loaded != 0;
    s.modified = m_model->IsModified();
    const CExpModelTask* task = m_model->GetTask(s.selected);
    s.selectedLibraryLoaded = task && task->IsLibraryLoaded();
  }
  const EditorButtons b = ModelEditorButtons(s);
  FindWindow(kIdAdd)->Enable(b.add);
  FindWindow(kIdInsert)->Enable(b.insert);
  FindWindow(kIdDelete)->Enable(b.remove);
  FindWindow(kIdMoveUp)->Enable(b.moveUp);
  FindWindow(kIdMoveDown)->Enable(b.moveDown);
  for (int id : {kIdSignals, kIdPractice}) {
    FindWindow(id)->Show(b.runShown);
    FindWindow(id)->Enable(b.runEnabled);
  }
  FindWindow(wxID_OK)->Show(b.okShown);
  FindWindow(wxID_OK)->Enable(b.okEnabled);
}

bool CDlgModel::InsertTask(int index, const CExpModelTask& task) {
  if (!m_editing.InsertTask(index, task)) return false;
  m_list->InsertRow(index, task.TaskIdStr.c_str(), false);
  RefreshModelList();
  m_list->SelectRow(index);
  SelectCurrentTask();
  return true;
}

bool CDlgModel::AddTask(int mode, const CExpModelTask& task) {
  int index;
  if (mode == IModelTaskEditor::kAddAppend) {
    index = m_model ? m_model->GetTaskCount() : 0;
  } else if (mode == IModelTaskEditor::kAddInsert) {
    index = m_list->GetSelectedRow();
    if (index < 0) return false;
  } else {
    return false;
  }
  return InsertTask(index, task);
}

void CDlgModel::OpenTasksAvailable(int mode) {
  if (!m_model || m_editing.IsFull()) return;
  CDlgTasksAvailable dialog(this, mode);
  dialog.ShowModal();
}

void CDlgModel::DeleteTaskAsk(int index) {
  const CExpModelTask* task = m_model ? m_model->GetTask(index) : nullptr;
  if (!task) return;
  const int answer = ShowPrompt(DeleteTaskQuestion(task->TaskName, m_model->m_name), "Qel",
                                kPromptYesNo | kPromptIconQuestion | kPromptDefault2);
  if (answer == kAnswerYes) {
    m_tabs.HideAllPages();
    const int select = m_editing.DeleteTask(index);
    FillList(select);
  }
  SelectCurrentTask();
}

bool CDlgModel::MoveTask(int direction) {
  if (!m_model) return false;
  const int current = m_list->GetSelectedRow();
  if (!m_editing.SwapTask(current, direction)) return false;
  m_tabs.HideAllPages();
  FillList(current + direction);
  SelectCurrentTask();
  return true;
}

bool CDlgModel::StepPart(int delta) {
  CExpModelTask* task = m_model ? m_model->GetCurrentTask() : nullptr;
  if (!task || !task->StepPart(delta, false)) return false;
  SetRow(m_model->GetCurrentTaskIndex());
  SelectCurrentTask();
  return true;
}

void CDlgModel::RunSignals() {
  CExpModelTask* task = m_model ? m_model->GetCurrentTask() : nullptr;
  if (!task || !m_services.runs) return;
  m_model->ApplyKeysMapping(kHandAny);
  m_focusAfterRun = kIdSignals;
  m_services.runs->RunSignals(task, m_model->m_name, this);
  UpdateControls();
}

void CDlgModel::RunPractice() {
  CExpModelTask* task = m_model ? m_model->GetCurrentTask() : nullptr;
  if (!task || !m_services.runs) return;
  m_model->ApplyKeysMapping(kHandAny);
  m_focusAfterRun = kIdPractice;
  m_services.runs->RunPractice(task, m_model->m_name, this);
  UpdateControls();
}

void CDlgModel::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  switch (event.GetCode()) {
    case kNotifyRunStarted:
      m_runNotices.push_back(kNotifyRunStarted);
      UpdateControls();
      break;
    case kNotifyRunEnded:
      m_runNotices.push_back(kNotifyRunEnded);
      UpdateControls();
      m_tabs.Trials().UpdateControls();
      if (m_focusAfterRun) {
        if (wxWindow* w = FindWindow(m_focusAfterRun)) w->SetFocus();
        m_focusAfterRun = 0;
      }
      break;
    case kCodeRowDeselected:
      if (m_model && row >= 0 && row < m_model->GetTaskCount()) m_tabs.HideCurrentPage();
      break;
    case kCodeRowSelected:
      if (m_model && row >= 0 && row < m_model->GetTaskCount()) SelectCurrentTask();
      break;
    default:
      break;
  }
}

void CDlgModel::EndWith(int code) {
  if (m_services.runs) m_services.runs->AbortRun();
  m_tabs.HideAllPages();
  if (IsModal()) {
    EndModal(code);
  } else {
    SetReturnCode(code);
    Hide();
  }
}

void CDlgModel::OnOk() {
  if (m_editing.HasErrors()) {
    const int answer = ShowPrompt(ModelErrorsQuestion(m_model->m_name), "Qel",
                                  kPromptYesNo | kPromptIconQuestion | kPromptDefault2);
    if (answer != kAnswerYes) return;
  }
  EndWith(wxID_OK);
}

void CDlgModel::OnCancel() {
  if (m_model && m_model->IsModified()) {
    const int answer = ShowPrompt(ApplyModelQuestion(m_model->m_name), "Qel",
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

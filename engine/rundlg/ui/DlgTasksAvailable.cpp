#include "engine/rundlg/ui/DlgTasksAvailable.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "app/model/ExpModelTask.h"
#include "editors/ModelTaskEditor.h"
#include "engine/library/TaskLibraries.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

const char* const kCaptions[] = {"No.", "Id", "Name", "Keys", "Vers", "Parts", "Vars"};
const int kWidths[] = {-40, 60, 150, -60, -60, -60, -60};
constexpr int kColumnCount = 7;

const char* OkCaption(const IModelTaskEditor* owner, int mode) {
  if (!owner) return "OK";
  return mode == IModelTaskEditor::kAddInsert ? "Insert into model" : "Add to model";
}

wxWindow* ParentOf(IModelTaskEditor* owner, wxWindow* parent) {
  return owner && owner->GetEditorWindow() ? owner->GetEditorWindow() : parent;
}

// The screen's work area the window is on (the first screen's when it is on none).
wxRect WorkAreaOf(const wxWindow* window) {
  const int display = wxDisplay::GetFromWindow(window);
  return wxDisplay(display != wxNOT_FOUND ? static_cast<unsigned>(display) : 0u).GetClientArea();
}

// The window moved (and, larger than the work area, shrunk) until all of it
// is within the work area.
void KeepWithin(wxWindow* window, const wxRect& area) {
  wxRect rect = window->GetRect();
  rect.width = std::min(rect.width, area.width);
  rect.height = std::min(rect.height, area.height);
  rect.x = std::clamp(rect.x, area.x, area.GetRight() + 1 - rect.width);
  rect.y = std::clamp(rect.y, area.y, area.GetBottom() + 1 - rect.height);
  window->SetSize(rect);
}

}  // namespace

CDlgTasksAvailable::CDlgTasksAvailable(IModelTaskEditor* owner, int mode, wxWindow* parent)
    : wxDialog(ParentOf(owner, parent), wxID_ANY, "Tasks available", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pOwner(owner),
      m_nMode(mode) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_pList = new CListCtrlQel(this, kIdList, wxDefaultPosition, wxSize(520, 300));
  m_pList->m_keyList.m_pOwner = this;
  top->Add(m_pList, 1, wxEXPAND | wxALL, 5);
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(new wxStaticText(this, wxID_ANY, "Tasks:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  bottom->Add(new wxStaticText(this, kIdCount, "0", wxDefaultPosition, wxSize(40, -1)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  bottom->AddStretchSpacer();
  bottom->Add(new wxButton(this, wxID_OK, OkCaption(owner, mode)), 0, wxRIGHT, 5);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  top->Add(bottom, 0, wxEXPAND | wxALL, 5);

  // The dialog opens wide enough for every column of its rows, within the screen.
  FillList();
  int columns = 0;
  for (int c = 0; c < m_pList->GetColumnCount(); ++c) columns += m_pList->GetColumnWidth(c);
  const int frame = m_pList->GetSize().x - m_pList->GetClientSize().x;
  const int wanted = columns + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_pList) + frame + 4;
  const int screen = WorkAreaOf(this).GetWidth();
  m_pList->SetMinSize(wxSize(std::min(std::max(wanted, 520), screen * 9 / 10), 300));
  SetSizerAndFit(top);

  FindWindow(kIdCount)->SetLabel(wxString::Format("%d", static_cast<int>(m_rows.size())));
  FindWindow(wxID_OK)->Enable(false);
  // It opens below the editor's list of tasks, as far as the screen lets it.
  if (owner) {
    if (wxWindow* list = owner->GetModelListWindow()) Move(list->GetScreenRect().GetBottomLeft());
  }
  KeepWithin(this, WorkAreaOf(this));
  Bind(QEL_EVT_NOTIFY, &CDlgTasksAvailable::OnNotify, this);
  Bind(wxEVT_BUTTON, &CDlgTasksAvailable::OnOk, this, wxID_OK);
}

void CDlgTasksAvailable::FillList() {
  m_pList->SetColumns(kCaptions, kWidths, kColumnCount, true);
  m_rows = BuildTaskListRows();
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const TaskListRow& row = m_rows[i];
    const int r = static_cast<int>(i);
    if (!m_pList->InsertRowWithImage(r, row.key.c_str(), row.image, false)) continue;
    m_pList->SetItem(r, 1, wxString::FromUTF8(row.id));
    m_pList->SetItem(r, 2, wxString::FromUTF8(row.name));
    m_pList->SetItem(r, 3, wxString::FromUTF8(row.keys));
    m_pList->SetItem(r, 4, wxString::FromUTF8(row.versions));
    m_pList->SetItem(r, 5, wxString::FromUTF8(row.parts));
    m_pList->SetItem(r, 6, wxString::FromUTF8(row.variables));
  }
  m_pList->AutoSizeColumns();
}

bool CDlgTasksAvailable::IsAnyChecked() const { return m_pList->CountCheckedRows() > 0; }

void CDlgTasksAvailable::OnNotify(CQelNotifyEvent& event) {
  // A check change comes as "check changed", and as "selected" when the
  // row is the selected one: either may change what OK can do.
  const int code = event.GetCode();
  // The rows this dialog unchecked after adding their tasks leave OK as the
  // adding set it.
  if (code == m_pList->m_nEventCodes[CListCtrlQel::kEventCheckChanged] && m_nOwnUnchecks > 0) {
    --m_nOwnUnchecks;
    return;
  }
  if (code == m_pList->m_nEventCodes[CListCtrlQel::kEventCheckChanged] ||
      code == m_pList->m_nEventCodes[CListCtrlQel::kEventSelected]) {
    FindWindow(wxID_OK)->Enable(IsAnyChecked());
  }
}

void CDlgTasksAvailable::AddCheckedTasks() {
  if (!m_pOwner) return;
  bool added = false;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const int r = static_cast<int>(i);
    if (!m_pList->IsRowChecked(r)) continue;
    const CTaskLibrary* record = GetTaskLibrary(m_rows[i].libraryIndex);
    if (!record || !record->modelDefault) continue;
    CExpModelTask task;
    task.SetFromModelTask(record->modelDefault);
    if (m_pOwner->AddTask(m_nMode, task)) {
      ++m_nOwnUnchecks;
      m_pList->SetRowCheck(r, false, false);
      added = true;
    }
  }
  if (!added) return;
  m_pOwner->RefreshModelList();
  FindWindow(wxID_OK)->Enable(false);
  FindWindow(wxID_CANCEL)->SetFocus();
}

void CDlgTasksAvailable::OnOk(wxCommandEvent&) { AddCheckedTasks(); }

}  // namespace qel

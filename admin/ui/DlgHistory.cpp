#include "admin/ui/DlgHistory.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cstdlib>

#include "admin/HistoryProject.h"
#include "admin/ui/AdminDialogSupport.h"
#include "app/startup/AppStartup.h"
#include "common/ui/WxText.h"
#include "project/ProjectData.h"
#include "project/TesteeFilter.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int kBorder = 8;
constexpr int kGap = 4;
constexpr int kListWidth = 640;
constexpr int kListHeight = 240;
constexpr int kCountWidth = 40;

bool IsEvent(const CListCtrlQel& list, const CQelNotifyEvent& event, CListCtrlQel::EventIndex index) {
  return event.GetCode() == list.m_nEventCodes[index];
}

bool ValidRow(const CListCtrlQel& list, int row) { return row >= 0 && row < list.GetItemCount(); }

// A list at least as wide as its columns.
void FitListToColumns(wxListCtrl* list) {
  int columns = 0;
  for (int c = 0; c < list->GetColumnCount(); ++c) columns += list->GetColumnWidth(c);
  list->SetMinSize(wxSize(std::max(columns + 30, kListWidth), kListHeight));
}

}  // namespace

// ---- the common frame ------------------------------------------------------------------------

CDlgHistoryBase::CDlgHistoryBase(wxWindow* parent, const char* caption, IHistoryProject* project, std::string mode)
    : wxDialog(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pProject(project),
      m_mode(std::move(mode)) {}

void CDlgHistoryBase::Lay(wxWindow* list, const char* countLabel, const char* emptyText, wxWindow* extra) {
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(new wxStaticText(this, wxID_ANY, countLabel), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  bottom->Add(new wxStaticText(this, kIdCount, "", wxDefaultPosition, wxSize(kCountWidth, -1)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  if (emptyText) {
    m_hasEmpty = true;
    auto* empty = new wxStaticText(this, kIdEmpty, emptyText);
    empty->SetForegroundColour(*wxRED);
    bottom->Add(empty, 0, wxALIGN_CENTER_VERTICAL);
  }
  bottom->AddStretchSpacer();
  if (extra) bottom->Add(extra, 0, wxRIGHT, kBorder);
  bottom->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, kBorder);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(list, 1, wxEXPAND | wxALL, kBorder);
  top->Add(bottom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
  SetSizer(top);
}

void CDlgHistoryBase::Finish(int count, const std::string& caption) {
  m_count = std::max(count, 0);
  FindWindow(kIdCount)->SetLabel(wxString::Format("%d", m_count));
  if (m_hasEmpty) FindWindow(kIdEmpty)->Show(m_count < 1);
  SetTitle(ToWx(caption));
  FindWindow(wxID_OK)->Enable(false);
  Layout();
  Fit();
}

// ---- testees ---------------------------------------------------------------------------------

CDlgTesteeHistory::CDlgTesteeHistory(wxWindow* parent, IHistoryProject* project, const std::string& testee,
                                     bool history)
    : CDlgHistoryBase(parent, "History of testees updating", project, history ? kHistoryMode : kListMode),
      m_history(history) {
  m_pList = new CListCtrlTestees;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  // "Changes" only where changes are kept: a list of an audited project in 21 CFR mode.
  m_changesAllowed = !history && project && !project->GetPath().empty() && kCfrMode && project->IsOpenCfr();
  auto* changes = new wxButton(this, kIdChanges, "Changes");
  changes->Show(m_changesAllowed);
  changes->Enable(false);
  Lay(m_pList, "Total Testees:", "NO TESTEES AVAILABLE!", changes);

  int count = 0;
  if (project) {
    if (history) {
      count = m_pList->FillHistory(&project->History(), testee, -1);
    } else {
      CTesteeFilter filter;
      filter.m_testee = testee;
      filter.m_wholeMatch = 1;
      count = m_pList->Fill(&project->GetData(), testee.empty() ? nullptr : &filter, -1);
    }
  }
  FitListToColumns(m_pList);
  Finish(count, ProjectCaption(project, m_mode));

  Bind(QEL_EVT_NOTIFY, &CDlgTesteeHistory::OnNotify, this);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowChanges(); }, kIdChanges);
}

void CDlgTesteeHistory::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  if (IsEvent(*m_pList, event, CListCtrlQel::kEventSelected)) {
    if (ValidRow(*m_pList, row)) m_chosen = m_pList->GetKey(row);
    FindWindow(kIdChanges)->Enable(m_pList->GetSelectedRow() >= 0 && !m_history);
  } else if (IsEvent(*m_pList, event, CListCtrlQel::kEventDblClk)) {
    if (!ValidRow(*m_pList, row)) return;
    m_chosen = m_pList->GetKey(row);
    ShowChanges();
  }
}

void CDlgTesteeHistory::ShowChanges() {
  if (!m_changesAllowed || m_chosen.empty()) return;
  CDlgTesteeUpdates updates(this, m_pProject, m_chosen);
  updates.ShowModal();
}

CDlgTesteeUpdates::CDlgTesteeUpdates(wxWindow* parent, IHistoryProject* project, const std::string& testee)
    : CDlgHistoryBase(parent, "Testee updates", project, kMode) {
  m_pList = new CListCtrlTesteeUpdates;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  Lay(m_pList, "Total Updates:", "NO UPDATES!", nullptr);
  const int count = project ? m_pList->Fill(&project->GetData(), testee, -1) : 0;
  FitListToColumns(m_pList);
  Finish(count, TesteeUpdatesCaption(project, testee, m_mode));
}

// ---- assessments -------------------------------------------------------------------------------

CDlgAssessmentHistory::CDlgAssessmentHistory(wxWindow* parent, IHistoryProject* project, bool history,
                                             const std::string& testee, const std::string& model,
                                             const std::string& task)
    : CDlgHistoryBase(parent, "Assessments", project, history ? kHistoryMode : kListMode), m_history(history) {
  m_pList = new CListCtrlResponses;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  Lay(m_pList, "Total assessments:", nullptr, nullptr);
  int count = 0;
  if (project) {
    count = history ? m_pList->FillHistory(&project->History(), testee, model, task, -1)
                    : m_pList->Fill(&project->GetData(), testee, model, task, -1);
  }
  FitListToColumns(m_pList);
  Finish(count, ProjectCaption(project, m_mode));
  Bind(QEL_EVT_NOTIFY, &CDlgAssessmentHistory::OnNotify, this);
  Bind(wxEVT_BUTTON, &CDlgAssessmentHistory::OnOk, this, wxID_OK);
}

void CDlgAssessmentHistory::OnNotify(CQelNotifyEvent& event) {
  if (!IsEvent(*m_pList, event, CListCtrlQel::kEventSelected)) return;
  // The kept versions are only shown: nothing is chosen from them.
  FindWindow(wxID_OK)->Enable(m_pList->GetSelectedRow() >= 0 && !m_history);
}

void CDlgAssessmentHistory::OnOk(wxCommandEvent&) {
  const int row = m_pList->GetSelectedRow();
  if (row < 0 || m_history) return;
  m_chosenRow = row;
  FinishDialog(this, wxID_OK);
}

// ---- scores ------------------------------------------------------------------------------------

CDlgScoreHistory::CDlgScoreHistory(wxWindow* parent, IHistoryProject* project, bool history, const std::string& testee,
                                   const std::string& model, const std::string& task, ScoreViewer viewer)
    : CDlgHistoryBase(parent, "Scores", project, history ? kHistoryMode : kListMode),
      m_history(history),
      m_viewer(std::move(viewer)) {
  m_pList = new CListCtrlVariables;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  Lay(m_pList, "Total scores:", nullptr, nullptr);
  FindWindow(wxID_OK)->SetLabel("View");
  int count = 0;
  if (project) {
    count = history ? m_pList->FillHistory(&project->History(), testee, model, task, -1)
                    : m_pList->Fill(&project->GetData(), testee, model, task, -1);
  }
  FitListToColumns(m_pList);
  Finish(count, ProjectCaption(project, m_mode));
  Bind(QEL_EVT_NOTIFY, &CDlgScoreHistory::OnNotify, this);
  // "View" leaves the history open.
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ViewChosen(); }, wxID_OK);
}

void CDlgScoreHistory::Choose(int row) {
  if (!ValidRow(*m_pList, row)) return;
  m_chosen.testee = m_pList->GetRowTestee(row);
  m_chosen.model = m_pList->GetRowModel(row);
  m_chosen.task = m_pList->GetRowTask(row);
  m_chosen.assessment = static_cast<uint32_t>(std::strtoul(m_pList->GetKey(row).c_str(), nullptr, 10));
  m_chosen.savedDate = m_pList->GetRowDate(row);
}

void CDlgScoreHistory::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  if (IsEvent(*m_pList, event, CListCtrlQel::kEventSelected)) {
    Choose(row);
    FindWindow(wxID_OK)->Enable(m_pList->GetSelectedRow() >= 0);
  } else if (IsEvent(*m_pList, event, CListCtrlQel::kEventDblClk) && m_pProject && ValidRow(*m_pList, row)) {
    Choose(row);
    ViewChosen();
  }
}

bool CDlgScoreHistory::ViewChosen() {
  if (!m_pProject || !m_viewer || m_chosen.testee.empty() || m_chosen.assessment == 0) return false;
  // A kept version is the one saved at its date; in the list the score as it stands.
  m_viewer(this, m_chosen, m_history ? &m_chosen.savedDate : nullptr);
  return true;
}

CDlgAssessmentScoreHistory::CDlgAssessmentScoreHistory(wxWindow* parent, IHistoryProject* project,
                                                       const std::string& testee, const std::string& model,
                                                       const std::string& task, uint32_t assessment, int rowToSelect)
    : CDlgHistoryBase(parent, "Score updates", project, kMode) {
  m_pList = new CListCtrlVariablesUpdates;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  Lay(m_pList, "Total updates:", nullptr, nullptr);
  const bool filled = project && !testee.empty() && !model.empty() && !task.empty() && assessment > 0;
  int count = 0;
  if (filled) {
    count = m_pList->Fill(&project->GetData(), testee, model, task, assessment, rowToSelect);
    m_selectedRow = rowToSelect;
  }
  FitListToColumns(m_pList);
  Finish(count, filled ? AssessmentUpdatesCaption(project, testee, model, task, assessment, m_mode)
                       : GetTitle().utf8_string());
  // An empty list has no count to show.
  if (!filled) FindWindow(kIdCount)->SetLabel("");
  if (filled && Choose(rowToSelect)) FindWindow(wxID_OK)->Enable(true);
  Bind(QEL_EVT_NOTIFY, &CDlgAssessmentScoreHistory::OnNotify, this);
}

bool CDlgAssessmentScoreHistory::Choose(int row) {
  if (!ValidRow(*m_pList, row)) return false;
  m_selectedRow = row;
  m_newDate = m_pList->GetNewDate(row);
  m_newUser = m_pList->GetNewUser(row);
  m_oldDate = m_pList->GetOldDate(row);
  m_oldUser = m_pList->GetOldUser(row);
  return true;
}

void CDlgAssessmentScoreHistory::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  if (IsEvent(*m_pList, event, CListCtrlQel::kEventSelected)) {
    if (Choose(row)) FindWindow(wxID_OK)->Enable(m_pList->GetSelectedRow() >= 0);
  } else if (IsEvent(*m_pList, event, CListCtrlQel::kEventDblClk)) {
    if (Choose(row)) FinishDialog(this, wxID_OK);
  }
}

}  // namespace qel

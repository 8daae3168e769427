#include "admin/ui/DlgTesteeSearch.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "admin/AdminProject.h"
#include "admin/ui/AdminDialogSupport.h"
#include "admin/ui/AdminListKinds.h"
#include "app/text/DateTimeText.h"
#include "common/ui/WxText.h"
#include "project/ProjectData.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

const CControlTip kTips[] = {
    {CDlgTesteeSearch::kIdPath, "Qel project's file path"},
    {CDlgTesteeSearch::kIdIdPattern, "Left part of Id of testee looking for"},
    {CDlgTesteeSearch::kIdCode, "Left part of Code of testee looking for"},
    {CDlgTesteeSearch::kIdSurname, "Left part of Surname of testee looking for"},
    {CDlgTesteeSearch::kIdSelected, "Id of testee selected"},
    {CDlgTesteeSearch::kIdIgnoreCase, "Ignore case in testee's Id, Code, Surname"},
    {CDlgTesteeSearch::kIdSearch, "Start search of testee using Id, Code, Surname"},
    {CDlgTesteeSearch::kIdList, "List of testees found"},
    {CDlgTesteeSearch::kIdFilterMarked, "Filter project tree for testees marked in the list"},
    {CDlgTesteeSearch::kIdFilterSelected, "Filter project tree for testee selected"},
    {wxID_OK, "Confirm selection"},
    {wxID_CANCEL, "Close this window"},
};

const char* const kCaptions[] = {"No.", "Id", "Code", "First name", "Surname", "Birth date", "Preference"};
const int kWidths[] = {40, 80, 80, 100, 100, 90, 90};

}  // namespace

CDlgTesteeSearch::CDlgTesteeSearch(wxWindow* parent, IAdminProject* project, const std::string& startId,
                                   CListCtrlQel* markList, const CTesteeSearchOptions& options)
    : wxDialog(parent, wxID_ANY, "Find testee", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pParent(parent),
      m_pProject(project),
      m_pMarkList(markList),
      m_search(options, startId) {
  auto* path = new wxTextCtrl(this, kIdPath, ToWx(project ? project->GetPath() : std::string()), wxDefaultPosition,
                              wxDefaultSize, wxTE_READONLY);
  m_pIdPattern = new wxTextCtrl(this, kIdIdPattern, ToWx(startId));
  m_pCode = new wxTextCtrl(this, kIdCode);
  m_pSurname = new wxTextCtrl(this, kIdSurname);
  m_pIgnoreCase = new wxCheckBox(this, kIdIgnoreCase, "Ignore case");
  m_pList = new CListCtrlQel(this, kIdList, wxDefaultPosition, wxSize(600, 220));
  SetListKind(*m_pList, kListKindTestees);
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(kCaptions, kWidths, static_cast<int>(std::size(kCaptions)), options.marking);
  m_pSelected = new wxTextCtrl(this, kIdSelected, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);

  auto* fields = new wxFlexGridSizer(2, 5, 8);
  fields->AddGrowableCol(1);
  auto addRow = [&](const char* caption, wxWindow* control) {
    fields->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(control, 1, wxEXPAND);
  };
  addRow("Project", path);
  addRow("Testee Id", m_pIdPattern);
  addRow("Code", m_pCode);
  addRow("Surname", m_pSurname);
  auto* searchRow = new wxBoxSizer(wxHORIZONTAL);
  searchRow->Add(m_pIgnoreCase, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
  searchRow->Add(new wxButton(this, kIdSearch, "Start search"), 0);

  auto* counts = new wxBoxSizer(wxHORIZONTAL);
  counts->Add(new wxStaticText(this, kIdFound, "Found 0", wxDefaultPosition, wxSize(100, -1), wxST_NO_AUTORESIZE), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  counts->Add(new wxStaticText(this, kIdMarked, "Marked 0", wxDefaultPosition, wxSize(100, -1), wxST_NO_AUTORESIZE),
              0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  counts->AddStretchSpacer();
  counts->Add(new wxButton(this, kIdMarkAll, "Mark all"), 0, wxRIGHT, 8);
  counts->Add(new wxButton(this, kIdUnmarkAll, "Unmark all"), 0);

  auto* selected = new wxBoxSizer(wxHORIZONTAL);
  selected->Add(new wxStaticText(this, kIdSelectedLabel, "Testee Id selected"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
                8);
  selected->Add(m_pSelected, 1);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, kIdFilterMarked, "<- Filter tree (by marked)"), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, kIdFilterSelected, "<- Filter tree (selected)"), 0);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(fields, 0, wxEXPAND | wxALL, 8);
  top->Add(searchRow, 0, wxLEFT | wxRIGHT, 8);
  top->Add(m_pList, 1, wxEXPAND | wxALL, 8);
  top->Add(counts, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  top->Add(selected, 0, wxEXPAND | wxALL, 8);
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizer(top);

  FindWindow(kIdFilterMarked)->Show(options.treeFilter);
  FindWindow(kIdFilterSelected)->Show(options.treeFilter);
  FindWindow(kIdMarkAll)->Show(options.marking);
  FindWindow(kIdUnmarkAll)->Show(options.marking);
  FindWindow(kIdMarked)->Show(options.marking);
  FindWindow(kIdSelectedLabel)->Show(options.selectOne);
  m_pSelected->Show(options.selectOne);
  SetToolTips(this, kTips, std::size(kTips));
  Fit();
  UpdateControls(true);

  for (int id : {kIdIdPattern, kIdCode, kIdSurname}) Bind(wxEVT_TEXT, &CDlgTesteeSearch::OnPattern, this, id);
  Bind(wxEVT_CHECKBOX, &CDlgTesteeSearch::OnPattern, this, kIdIgnoreCase);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnSearch, this, kIdSearch);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnMark, this, kIdMarkAll);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnMark, this, kIdUnmarkAll);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnFilter, this, kIdFilterMarked);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnFilter, this, kIdFilterSelected);
  Bind(wxEVT_BUTTON, &CDlgTesteeSearch::OnOk, this, wxID_OK);
  Bind(QEL_EVT_NOTIFY, &CDlgTesteeSearch::OnNotify, this);
}

bool CDlgTesteeSearch::HasProject() const { return m_pProject && !m_pProject->GetPath().empty(); }

void CDlgTesteeSearch::UpdateControls(bool focusPattern) {
  const CTesteeSearchEnables e = m_search.Enables(HasProject());
  for (wxWindow* w : std::initializer_list<wxWindow*>{m_pIdPattern, m_pCode, m_pSurname, m_pIgnoreCase, m_pList})
    w->Enable(e.patterns);
  FindWindow(kIdSearch)->Enable(e.search);
  FindWindow(wxID_OK)->Enable(e.ok);
  FindWindow(kIdMarkAll)->Enable(e.markAll);
  FindWindow(kIdUnmarkAll)->Enable(e.unmarkAll);
  FindWindow(kIdFilterMarked)->Enable(e.filterMarked);
  FindWindow(kIdFilterSelected)->Enable(e.filterSelected);
  FindWindow(kIdFound)->SetLabel(m_search.FoundText());
  FindWindow(kIdMarked)->SetLabel(m_search.MarkedText());
  m_pSelected->ChangeValue(ToWx(m_search.Selected()));
  if (focusPattern && e.patterns) m_pIdPattern->SetFocus();
}

void CDlgTesteeSearch::TakePatterns() {
  m_search.SetPatterns(m_pIdPattern->GetValue().utf8_string(), m_pCode->GetValue().utf8_string(),
                       m_pSurname->GetValue().utf8_string(), m_pIgnoreCase->GetValue());
}

void CDlgTesteeSearch::OnPattern(wxCommandEvent&) {
  if (m_filling) return;
  TakePatterns();
  UpdateControls(false);
}

void CDlgTesteeSearch::StartSearch() {
  if (!HasProject()) return;
  TakePatterns();
  const std::vector<CTesteeSearchRow> rows = m_search.Search(&m_pProject->GetData());
  ++m_filling;
  m_pIdPattern->ChangeValue(ToWx(m_search.IdPattern()));
  m_pList->DeleteAllRows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const CTesteeSearchRow& r = rows[i];
    const int row = static_cast<int>(i);
    if (!m_pList->InsertRow(row, r.id.c_str(), false)) continue;
    m_pList->SetItem(row, 1, ToWx(r.id));
    m_pList->SetItem(row, 2, ToWx(r.code));
    m_pList->SetItem(row, 3, ToWx(r.firstName));
    m_pList->SetItem(row, 4, ToWx(r.surname));
    m_pList->SetItem(row, 5, ToWx(FormatDateDots(r.birthDate)));
    m_pList->SetItem(row, 6, ToWx(r.handednessSex));
  }
  --m_filling;
  UpdateControls(true);
}

void CDlgTesteeSearch::OnSearch(wxCommandEvent&) { StartSearch(); }

void CDlgTesteeSearch::OnNotify(CQelNotifyEvent& event) {
  const int code = event.GetCode();
  const int row = static_cast<int>(event.GetPayload());
  const int32_t* codes = m_pList->m_nEventCodes;
  if (code == codes[CListCtrlQel::kEventSelected]) {
    m_search.Select(m_pList->GetKey(row));
  } else if (code == codes[CListCtrlQel::kEventChecked] || code == codes[CListCtrlQel::kEventUnchecked]) {
    m_search.SetMarkedCount(m_pList->CountCheckedRows());
  } else if (code == codes[CListCtrlQel::kEventDblClk]) {
    if (m_search.FoundCount() > 0) {
      const std::string key = m_pList->GetKey(row);
      if (key.empty()) return;
      m_search.Select(key);
      UpdateControls(false);
      FinishDialog(this, wxID_OK);
      return;
    }
    StartSearch();
    return;
  } else {
    return;
  }
  UpdateControls(false);
}

void CDlgTesteeSearch::OnMark(wxCommandEvent& event) {
  const bool mark = event.GetId() == kIdMarkAll;
  for (int r = 0; r < m_pList->GetItemCount(); ++r) m_pList->SetRowCheck(r, mark, false);
  m_search.SetMarkedCount(m_pList->CountCheckedRows());
  UpdateControls(false);
}

void CDlgTesteeSearch::OnFilter(wxCommandEvent& event) {
  const CTesteeFilter* filter = nullptr;
  if (event.GetId() == kIdFilterMarked) {
    std::vector<std::string> marked;
    for (int r = 0; r < m_pList->GetItemCount(); ++r)
      if (m_pList->IsRowChecked(r)) marked.push_back(m_pList->GetKey(r));
    filter = &m_search.FilterByMarked(marked);
  } else {
    filter = &m_search.FilterBySelected();
  }
  // Sent, not queued: handled while the filter lives (the dialog stays open).
  SendNotify(m_pParent, kNotifyFilterTree, reinterpret_cast<intptr_t>(filter));
}

void CDlgTesteeSearch::OnOk(wxCommandEvent&) {
  if (m_pMarkList) {
    for (int r = 0; r < m_pList->GetItemCount(); ++r) {
      if (!m_pList->IsRowChecked(r)) continue;
      const std::string key = m_pList->GetKey(r);
      for (int c = 0; c < m_pMarkList->GetItemCount(); ++c)
        if (m_pMarkList->GetKey(c) == key) m_pMarkList->SetRowCheck(c, true, false);
    }
  }
  FinishDialog(this, wxID_OK);
}

}  // namespace qel

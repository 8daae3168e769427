#include "admin/ui/DlgUsers.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "admin/UserForm.h"
#include "admin/ui/AdminDialogSupport.h"
#include "common/ui/WxText.h"
#include "ui/IconIndex.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int kBorder = 8;
constexpr int kGap = 4;
constexpr int kListWidth = 520;
constexpr int kListHeight = 200;

CListCtrlUsers* MakeUsersList(wxWindow* parent, int id, wxWindow* owner) {
  auto* list = new CListCtrlUsers;
  list->Create(parent, id, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  list->m_keyList.m_pOwner = owner;
  list->SetColumns(false);
  return list;
}

// A list as wide as its columns (at least the default width).
void FitToColumns(wxListCtrl& list) {
  int width = 0;
  for (int c = 0; c < list.GetColumnCount(); ++c) width += list.GetColumnWidth(c);
  constexpr int kScrollBarRoom = 30;
  list.SetMinSize(wxSize(std::max(width + kScrollBarRoom, kListWidth), kListHeight));
}

wxStaticText* MakeNotice(wxWindow* parent, int id, const std::string& text) {
  auto* notice = new wxStaticText(parent, id, ToWx(text));
  notice->SetForegroundColour(*wxRED);
  return notice;
}

// Marks the rows of the list by the comparison; marked rows are selected.
void ShowMarks(CListCtrlUsers& list, const CUsersComparison& comparison) {
  for (size_t i = 0; i < comparison.marks.size(); ++i) {
    const int row = static_cast<int>(i);
    switch (comparison.marks[i]) {
      case UserMark::kDiffers:
        list.SetRowImage(row, kIconUserDiffers);
        list.SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        break;
      case UserMark::kMissing:
        list.SetRowImage(row, kIconUserMissing);
        list.SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        break;
      case UserMark::kNone:
        break;
    }
  }
}

}  // namespace

// ---- the users list ---------------------------------------------------------------------------

CDlgUsers::CDlgUsers(wxWindow* parent, const std::vector<CUserRecord>& users, const std::string* projectName,
                     bool viewOnly, const std::string& idToFind)
    : wxDialog(parent, wxID_ANY, "Qel Users Available", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_users(users),
      m_viewOnly(viewOnly) {
  m_pList = MakeUsersList(this, kIdList, this);
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(new wxStaticText(this, wxID_ANY, "Total users:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  bottom->Add(new wxStaticText(this, kIdCount, ""), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  bottom->Add(MakeNotice(this, kIdNotice, UsersListNotice(viewOnly, idToFind)), 0, wxALIGN_CENTER_VERTICAL);
  bottom->AddStretchSpacer();
  bottom->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, kBorder);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_pList, 1, wxEXPAND | wxALL, kBorder);
  top->Add(bottom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
  SetSizer(top);

  const int count = std::max(m_pList->Fill(&m_users, -1), 0);
  FitToColumns(*m_pList);
  FindWindow(kIdCount)->SetLabel(wxString::Format("%d", count));
  const std::string source = UserSourceName(projectName ? *projectName : std::string(), projectName != nullptr);
  SetTitle(ToWx(UsersListCaption(source, idToFind)));
  m_foundRow = FindUserRow(m_users, idToFind);
  if (m_foundRow >= 0) {
    m_pList->SetRowImage(m_foundRow, kIconUserDiffers);
    m_pList->SelectRow(m_foundRow);
  }
  FindWindow(kIdNotice)->Show(UsersListNoticeShown(viewOnly, count, m_foundRow >= 0));
  FindWindow(wxID_OK)->Show(!viewOnly);
  FindWindow(wxID_OK)->Enable(false);
  Layout();
  Fit();

  Bind(QEL_EVT_NOTIFY, &CDlgUsers::OnNotify, this);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Choose(); }, wxID_OK);
}

const CUserRecord* CDlgUsers::GetChosenUser() const {
  return m_chosenRow >= 0 && static_cast<size_t>(m_chosenRow) < m_users.size() ? &m_users[static_cast<size_t>(m_chosenRow)]
                                                                               : nullptr;
}

void CDlgUsers::Choose() {
  if (m_viewOnly) return;
  const int row = m_pList->GetSelectedRow();
  if (row < 0) return;
  m_chosenRow = row;
  FinishDialog(this, wxID_OK);
}

void CDlgUsers::OnNotify(CQelNotifyEvent& event) {
  if (event.GetCode() == m_pList->m_nEventCodes[CListCtrlQel::kEventSelected]) {
    FindWindow(wxID_OK)->Enable(m_pList->GetSelectedRow() >= 0);
  } else if (event.GetCode() == m_pList->m_nEventCodes[CListCtrlQel::kEventDblClk]) {
    Choose();
  }
}

bool PickUserFromList(wxWindow* parent, const std::vector<CUserRecord>& users, const std::string* projectName,
                      CUserRecord* chosen) {
  CDlgUsers dialog(parent, users, projectName, false, std::string());
  if (dialog.ShowModal() != wxID_OK || !dialog.GetChosenUser()) return false;
  *chosen = *dialog.GetChosenUser();
  return true;
}

// ---- the comparison -----------------------------------------------------------------------------

CDlgUsersCompare::CDlgUsersCompare(wxWindow* parent, const std::vector<CUserRecord>& first,
                                   const std::vector<CUserRecord>& second, bool projectAgainstWorkstation,
                                   const std::string& captionName, const std::string& labelName)
    : wxDialog(parent, wxID_ANY, "Compare users", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_first(first),
      m_second(second) {
  m_pFirst = MakeUsersList(this, kIdFirstList, this);
  m_pSecond = MakeUsersList(this, kIdSecondList, this);
  auto* lists = new wxBoxSizer(wxVERTICAL);
  lists->Add(new wxStaticText(this, kIdFirstLabel, "Qel workstation users"), 0, wxBOTTOM, kGap);
  lists->Add(m_pFirst, 1, wxEXPAND | wxBOTTOM, kBorder);
  lists->Add(new wxStaticText(this, kIdSecondLabel, labelName.empty() ? wxString() : ToWx("Project " + labelName + " users")),
             0, wxBOTTOM, kGap);
  lists->Add(m_pSecond, 1, wxEXPAND);
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(new wxStaticText(this, wxID_ANY, "Users:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  bottom->Add(new wxStaticText(this, kIdCount, ""), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  bottom->Add(MakeNotice(this, kIdNotice, projectAgainstWorkstation ? kUsersDifferNotice : kDuplicateUserNotice), 0,
              wxALIGN_CENTER_VERTICAL);
  bottom->AddStretchSpacer();
  bottom->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, kBorder);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(lists, 1, wxEXPAND | wxALL, kBorder);
  top->Add(bottom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
  SetSizer(top);

  m_pFirst->Fill(&m_first, -1);
  m_pSecond->Fill(&m_second, -1);
  FitToColumns(*m_pFirst);
  FitToColumns(*m_pSecond);
  SetTitle(ToWx(UsersCompareCaption(captionName, projectAgainstWorkstation)));
  const CUsersComparison comparison =
      projectAgainstWorkstation ? CompareUsers(m_second, m_first) : CompareUsers(m_first, m_second);
  ShowMarks(projectAgainstWorkstation ? *m_pSecond : *m_pFirst, comparison);
  m_differences = comparison.differences;
  FindWindow(kIdCount)->SetLabel(
      wxString::Format("%d/%d", static_cast<int>(m_first.size()), static_cast<int>(m_second.size())));
  FindWindow(kIdNotice)->Show(m_differences > 0);
  FindWindow(wxID_OK)->Hide();
  FindWindow(wxID_OK)->Enable(false);
  Layout();
  Fit();
  Bind(QEL_EVT_NOTIFY, &CDlgUsersCompare::OnNotify, this);
}

void CDlgUsersCompare::OnNotify(CQelNotifyEvent& event) {
  const bool first = event.GetCode() == m_pFirst->m_nEventCodes[CListCtrlQel::kEventDblClk];
  const bool second = event.GetCode() == m_pSecond->m_nEventCodes[CListCtrlQel::kEventDblClk];
  if (first || second) FinishDialog(this, wxID_OK);
}

}  // namespace qel

#include "ui/ui/DlgTabTestee.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "project/ProjectData.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/PageServices.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kCodeListHeight = 110;
constexpr int kTesteeListHeight = 220;

// The lists' notify codes: double click 300 and selection 320, plus the list's kind.
constexpr int kListDblClk = 300;
constexpr int kListSelected = 320;
constexpr int kNotifyDblClkTestee = kListDblClk + kListKindTestees;
constexpr int kNotifyDblClkCode = kListDblClk + kListKindTesteeCodes;
constexpr int kNotifySelectedTestee = kListSelected + kListKindTestees;
constexpr int kNotifySelectedCode = kListSelected + kListKindTesteeCodes;

const PageButtonDef kCodeButtons[] = {
    {CDlgTabTestee::kIdCodeNew, "New", "Add new testee code into working project"},
    {CDlgTabTestee::kIdCodeEdit, "Edit", "Edit existing testee code's data in working project"},
    {CDlgTabTestee::kIdCodeDelete, "Delete", "Remove selected testee code from working project"},
    {CDlgTabTestee::kIdCodesHelp, "Help", ""},
};

const PageButtonDef kTesteeButtons[] = {
    {CDlgTabTestee::kIdTesteeNew, "New", "Add new testee into working project"},
    {CDlgTabTestee::kIdTesteeEdit, "Edit", "Edit some existing testee's data in working project"},
    {CDlgTabTestee::kIdTesteeDelete, "Delete", "Remove selected testee from working project"},
    {CDlgTabTestee::kIdSearch, "Search", "Find existing testee in working project"},
    {CDlgTabTestee::kIdFilterTree, "<- Filter tree", "Filter working project tree for selected testee"},
    {CDlgTabTestee::kIdHistory, "Testees history",
     "View list of old data of testees (history of changes) in working project"},
    {CDlgTabTestee::kIdChanges, "Testee changes", "View list of changes of selected testee in working project"},
    {CDlgTabTestee::kIdTesteesHelp, "Help", ""},
};

const CProjectData* ProjectData() {
  IPageServices* services = GetPageServices();
  return services ? services->GetProjectData() : nullptr;
}

}  // namespace

CDlgTabTestee::CDlgTabTestee() : CDlgTab(kTemplateId) {}

bool CDlgTabTestee::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);

  m_pCodesGroup = new wxStaticBox(this, kIdCodesGroup, "Testee codes in project");
  auto* codes = new wxStaticBoxSizer(m_pCodesGroup, wxHORIZONTAL);
  m_pCodes = new CListCtrlTesteeCodes;
  m_pCodes->Create(m_pCodesGroup, kIdCodes, wxDefaultPosition, wxSize(-1, kCodeListHeight));
  m_pCodes->SetToolTip("Full list of testee codes available in working project");
  m_pCodes->m_keyList.m_pOwner = this;
  m_pCodes->SetColumns(false);
  codes->Add(m_pCodes, 1, wxEXPAND | wxALL, kBorder);
  codes->Add(MakeButtonColumn(m_pCodesGroup, kCodeButtons, std::size(kCodeButtons)), 0, wxALL, kBorder);
  page->Add(codes, 0, wxEXPAND | wxALL, kBorder);

  m_pTesteesGroup = new wxStaticBox(this, kIdTesteesGroup, "Testees in project");
  auto* testees = new wxStaticBoxSizer(m_pTesteesGroup, wxHORIZONTAL);
  m_pTestees = new CListCtrlTestees;
  m_pTestees->Create(m_pTesteesGroup, kIdTestees, wxDefaultPosition, wxSize(-1, kTesteeListHeight));
  m_pTestees->SetToolTip("Full list of testees available in working project");
  m_pTestees->m_keyList.m_pOwner = this;
  m_pTestees->SetColumns(false);
  testees->Add(m_pTestees, 1, wxEXPAND | wxALL, kBorder);
  testees->Add(MakeButtonColumn(m_pTesteesGroup, kTesteeButtons, std::size(kTesteeButtons)), 0, wxALL, kBorder);
  page->Add(testees, 1, wxEXPAND | wxALL, kBorder);

  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabTestee::OnButton, this);
  RefillCodes();
  RefillTestees();
  UpdateControls();
  return true;
}

void CDlgTabTestee::RefillTestees() {
  m_testeeId.clear();
  m_testeeCount = 0;
  if (!m_pTestees) return;
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  if (!data) {
    m_pTestees->ResetRows();
    return;
  }
  const int rows = m_pTestees->Fill(data, nullptr, -1);
  if (rows > 0) {
    m_testeeCount = rows;
    m_testeeId = m_pTestees->m_keyList.m_strCurrentKey;
  }
}

void CDlgTabTestee::RefillCodes() {
  m_code.clear();
  m_codeCount = 0;
  if (!m_pCodes) return;
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  if (!data) {
    m_pCodes->ResetRows();
    return;
  }
  const int rows = m_pCodes->Fill(data, -1);
  if (rows > 0) {
    m_codeCount = rows;
    m_code = m_pCodes->m_keyList.m_strCurrentKey;
  }
}

void CDlgTabTestee::Refresh() {
  RefillCodes();
  RefillTestees();
  UpdateControls();
}

bool CDlgTabTestee::HasTesteeRow() const {
  return !m_testeeId.empty() && m_pTestees && m_pTestees->m_keyList.m_keys.Find(m_testeeId.c_str()) >= 0;
}

bool CDlgTabTestee::HasCodeRow() const {
  return !m_code.empty() && m_pCodes && m_pCodes->m_keyList.m_keys.Find(m_code.c_str()) >= 0;
}

TesteesPageState CDlgTabTestee::GetState() const {
  TesteesPageState s;
  s.running = IsAnyRunInProgress();
  s.ready = IsProjectReady();
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  s.mayDelete = IsCurrentUserType1();
  s.open = m_pProject && m_pProject->IsOpen();
  s.cfrProject = m_pProject && m_pProject->IsOpenCfr();
  s.hasTestee = HasTesteeRow();
  s.hasCode = HasCodeRow();
  if (const CProjectData* data = s.open ? ProjectData() : nullptr) {
    s.anyChanges = data->GetTesteeChangeCount(nullptr) > 0;
    s.testeeChanges = s.hasTestee && data->GetTesteeChangeCount(m_testeeId.c_str()) > 0;
  }
  s.testeeCount = m_testeeCount;
  s.codeCount = m_codeCount;
  return s;
}

void CDlgTabTestee::UpdateControls() {
  if (!m_pCodes) return;
  const TesteesPageControls c = TesteesPageRules(GetState());
  ApplyPageButton(FindWindow(kIdCodeNew), c.codeNew);
  ApplyPageButton(FindWindow(kIdCodeEdit), c.codeEdit);
  ApplyPageButton(FindWindow(kIdCodeDelete), c.codeDelete);
  ApplyPageButton(FindWindow(kIdHistory), c.history);
  ApplyPageButton(FindWindow(kIdChanges), c.changes);
  ApplyPageButton(FindWindow(kIdTesteeNew), c.testeeNew);
  ApplyPageButton(FindWindow(kIdTesteeEdit), c.testeeEdit);
  ApplyPageButton(FindWindow(kIdFilterTree), c.filterTree);
  ApplyPageButton(FindWindow(kIdSearch), c.search);
  ApplyPageButton(FindWindow(kIdTesteeDelete), c.testeeDelete);
  m_pCodes->Enable(c.codeListEnabled);
  m_pTestees->Enable(c.testeeListEnabled);
  m_pCodesGroup->SetLabel(wxString::FromUTF8(c.codeCaption));
  m_pTesteesGroup->SetLabel(wxString::FromUTF8(c.testeeCaption));
  Layout();
}

bool CDlgTabTestee::MayChangeProject() const {
  return !IsAnyRunInProgress() && m_pProject && m_pProject->IsOpen() && IsProjectReady() && GetPageServices();
}

intptr_t CDlgTabTestee::SendToTree(int code, intptr_t payload) {
  wxWindow* tree = m_pView ? m_pView->GetTreeWindow() : nullptr;
  return tree ? SendNotify(tree, code, payload) : 0;
}

void CDlgTabTestee::TellWritten(const PageWriteNotice& notice, int treeCode, bool relabel) {
  int flags = notice.viewFlags;
  if (notice.treeUsers) SendToTree(kTreeRefreshUsers, 0);
  if (relabel && SendToTree(kTreeRelabelTestees, 0) != 0) flags |= kRefreshScores;
  NotifyView(flags);
  if (treeCode) SendToTree(treeCode, 0);
}

void CDlgTabTestee::NewTesteeCode() {
  if (!MayChangeProject()) return;
  std::string code;
  bool usersAdded = false;
  if (!GetPageServices()->EditTesteeCode(this, &code, &usersAdded)) return;
  m_code = code;
  TellWritten(TesteeCodeWrittenNotice(usersAdded), kTreeRefreshCodes, false);
}

void CDlgTabTestee::EditTesteeCode() {
  if (!MayChangeProject() || !HasCodeRow()) return;
  std::string code = m_code;
  bool usersAdded = false;
  if (!GetPageServices()->EditTesteeCode(this, &code, &usersAdded)) return;
  TellWritten(TesteeCodeWrittenNotice(usersAdded), 0, false);
}

void CDlgTabTestee::NewTestee() {
  if (!MayChangeProject()) return;
  std::string testee;
  bool usersAdded = false;
  bool datesChanged = false;
  if (!GetPageServices()->EditTestee(this, &testee, &usersAdded, &datesChanged)) return;
  m_testeeId = testee;
  TellWritten(TesteeWrittenNotice(usersAdded), kTreeRefreshTestees, false);
}

void CDlgTabTestee::EditTestee() {
  if (!MayChangeProject() || !HasTesteeRow()) return;
  std::string testee = m_testeeId;
  bool usersAdded = false;
  bool datesChanged = false;
  if (!GetPageServices()->EditTestee(this, &testee, &usersAdded, &datesChanged)) return;
  TellWritten(TesteeWrittenNotice(usersAdded), 0, true);
}

void CDlgTabTestee::SearchTestee() {
  IPageServices* services = GetPageServices();
  if (!m_pProject || !services) return;
  std::string selected;
  if (!services->SearchTestee(this, m_pTestees, &selected)) return;
  m_testeeId = selected;
  m_pTestees->EnsureRowVisibleByKey(m_testeeId.c_str(), true);
  UpdateControls();
}

void CDlgTabTestee::FilterTree() {
  m_filter = CTesteeFilter();
  m_filter.m_testee = m_testeeId;
  m_filter.m_wholeMatch = 0;
  PostNotify(this, kNotifyFilterTestees, reinterpret_cast<intptr_t>(&m_filter));
}

void CDlgTabTestee::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdCodeNew:
      NewTesteeCode();
      break;
    case kIdCodeEdit:
      EditTesteeCode();
      break;
    case kIdTesteeNew:
      NewTestee();
      break;
    case kIdTesteeEdit:
      EditTestee();
      break;
    case kIdSearch:
      SearchTestee();
      break;
    case kIdFilterTree:
      FilterTree();
      break;
    case kIdHistory:
      if (GetPageServices() && m_pProject) GetPageServices()->ShowTesteeHistory(this);
      break;
    case kIdChanges:
      if (GetPageServices() && m_pProject && HasTesteeRow()) GetPageServices()->ShowTesteeChanges(this, m_testeeId);
      break;
    case kIdTesteesHelp:
      ShowPageHelp(this, kHelpText, "Testees help");
      break;
    case kIdCodesHelp: {
      CDlgHelp help(this);
      help.ShowModal();
      break;
    }
    default:
      // Both Delete buttons have no action.
      event.Skip();
      break;
  }
}

void CDlgTabTestee::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  switch (event.GetCode()) {
    case kNotifyRefreshViews: {
      const intptr_t flags = event.GetPayload();
      if (flags & kRefreshTesteeCodes) RefillCodes();
      if (flags & kRefreshTestees) RefillTestees();
      if (flags & (kRefreshTestees | kRefreshTesteeCodes)) UpdateControls();
      event.SetResult(0);
      return;
    }
    case kNotifyDblClkTestee:
      if (row >= 0 && row < m_pTestees->GetItemCount()) {
        m_testeeId = m_pTestees->GetKey(row);
        EditTestee();
      }
      return;
    case kNotifyDblClkCode:
      if (row >= 0 && row < m_pCodes->GetItemCount()) {
        m_code = m_pCodes->GetKey(row);
        EditTesteeCode();
      }
      return;
    case kNotifySelectedTestee:
      m_testeeId = m_pTestees->GetKey(row);
      UpdateControls();
      return;
    case kNotifySelectedCode:
      m_code = m_pCodes->GetKey(row);
      UpdateControls();
      return;
    default:
      CDlgTab::OnNotify(event);
  }
}

}  // namespace qel

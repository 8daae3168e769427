#include "ui/ui/DlgTabImport.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "admin/AdminProject.h"
#include "app/startup/AppStartup.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kTesteeListHeight = 150;
constexpr int kModelListHeight = 90;
constexpr int kScoreListHeight = 90;

// The lists' codes: double click 300, selected 320, unchecked 330, checked 340 plus the kind.
constexpr int kDblClk = 300;
constexpr int kSelected = 320;
constexpr int kUnchecked = 330;
constexpr int kChecked = 340;

const PageButtonDef kTesteeButtons[] = {
    {CDlgTabImport::kIdSelectAll, "Select all", ""},         {CDlgTabImport::kIdSelectGroup, "Select group", ""},
    {CDlgTabImport::kIdSelectFound, "Select found", ""},     {CDlgTabImport::kIdUnselectAll, "Unselect all", ""},
    {CDlgTabImport::kIdImportTestees, "Import checked", ""},
};

}  // namespace

CDlgTabImport::CDlgTabImport() : CDlgTab(kTemplateId) {}

bool CDlgTabImport::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);

  auto* source = new wxBoxSizer(wxHORIZONTAL);
  source->Add(new wxStaticText(this, wxID_ANY, "From project"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  m_pSourceText = new wxTextCtrl(this, kIdSource, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
  source->Add(m_pSourceText, 1, wxRIGHT, kBorder);
  source->Add(new wxBitmapButton(this, kIdBrowse, wxArtProvider::GetBitmap(wxART_FILE_OPEN, wxART_BUTTON)), 0);
  page->Add(source, 0, wxEXPAND | wxALL, kBorder);

  m_pTesteeGroup = new wxStaticBox(this, kIdTesteeGroup, "Testees");
  auto* testees = new wxStaticBoxSizer(m_pTesteeGroup, wxHORIZONTAL);
  m_pTestees = new CListCtrlTestees;
  m_pTestees->Create(m_pTesteeGroup, kIdTestees, wxDefaultPosition, wxSize(-1, kTesteeListHeight));
  m_pTestees->m_keyList.m_pOwner = this;
  m_pTestees->SetColumns(true);
  testees->Add(m_pTestees, 1, wxEXPAND | wxALL, kBorder);
  testees->Add(MakeButtonColumn(m_pTesteeGroup, kTesteeButtons, std::size(kTesteeButtons)), 0, wxALL, kBorder);
  page->Add(testees, 1, wxEXPAND | wxALL, kBorder);

  m_pModelGroup = new wxStaticBox(this, kIdModelGroup, "Models");
  auto* models = new wxStaticBoxSizer(m_pModelGroup, wxHORIZONTAL);
  m_pModels = new CListCtrlModels;
  m_pModels->Create(m_pModelGroup, kIdModels, wxDefaultPosition, wxSize(-1, kModelListHeight));
  m_pModels->m_keyList.m_pOwner = this;
  m_pModels->SetColumns(true);
  models->Add(m_pModels, 1, wxEXPAND | wxALL, kBorder);
  models->Add(new wxButton(m_pModelGroup, kIdImportModels, "Import checked"), 0, wxALL, kBorder);
  page->Add(models, 1, wxEXPAND | wxALL, kBorder);

  m_pScoreGroup = new wxStaticBox(this, kIdScoreGroup, "Score");
  auto* scores = new wxStaticBoxSizer(m_pScoreGroup, wxVERTICAL);
  auto* scoreRow = new wxBoxSizer(wxHORIZONTAL);
  m_pScores = new CListCtrlVariables;
  m_pScores->Create(m_pScoreGroup, kIdScores, wxDefaultPosition, wxSize(-1, kScoreListHeight));
  m_pScores->m_keyList.m_pOwner = this;
  m_pScores->SetColumns(true);
  scoreRow->Add(m_pScores, 1, wxEXPAND | wxALL, kBorder);
  scoreRow->Add(new wxButton(m_pScoreGroup, kIdImportScores, "Import checked"), 0, wxALL, kBorder);
  m_pScoresTestee = new wxStaticText(m_pScoreGroup, kIdScoresTestee, wxEmptyString);
  m_pScoresModel = new wxStaticText(m_pScoreGroup, kIdScoresModel, wxEmptyString);
  auto* whose = new wxBoxSizer(wxHORIZONTAL);
  whose->Add(m_pScoresTestee, 1, wxRIGHT, kBorder);
  whose->Add(m_pScoresModel, 1);
  scores->Add(scoreRow, 1, wxEXPAND);
  scores->Add(whose, 0, wxEXPAND | wxALL, kBorder);
  page->Add(scores, 1, wxEXPAND | wxALL, kBorder);

  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabImport::OnButton, this);
  UpdateControls();
  return true;
}

bool CDlgTabImport::HasSource() const { return m_pSource && !m_pSource->GetPath().empty(); }

void CDlgTabImport::RefillTestees() {
  m_testeeId.clear();
  m_testeeCount = 0;
  if (!m_pSource) {
    m_pTestees->ResetRows();
    return;
  }
  const int rows = m_pTestees->Fill(&m_pSource->GetData(), nullptr, -1);
  if (rows > 0) {
    m_testeeCount = rows;
    m_testeeId = m_pTestees->m_keyList.m_strCurrentKey;
  }
}

void CDlgTabImport::RefillModels() {
  m_modelId.clear();
  m_modelCount = 0;
  if (!m_pSource) {
    m_pModels->ResetRows();
    return;
  }
  const int rows = m_pModels->Fill(&m_pSource->GetData(), -1);
  if (rows > 0) {
    m_modelCount = rows;
    m_modelId = m_pModels->m_keyList.m_strCurrentKey;
  }
}

void CDlgTabImport::RefillScores() {
  m_scoreCount = 0;
  if (!m_pSource) {
    m_pScores->ResetRows();
    return;
  }
  const int rows = m_pScores->Fill(&m_pSource->GetData(), m_testeeId, m_modelId, std::string(), -1);
  if (rows > 0) {
    m_scoreCount = rows;
    if (SetWindowText(m_pScoresTestee, m_testeeId) | SetWindowText(m_pScoresModel, m_modelId)) Layout();
  }
}

void CDlgTabImport::Refresh() {
  RefillTestees();
  RefillModels();
  RefillScores();
  UpdateControls();
}

ImportPageState CDlgTabImport::GetState() const {
  ImportPageState s;
  s.running = IsAnyRunInProgress();
  s.hasSource = HasSource();
  s.testeeCount = m_testeeCount;
  s.modelCount = m_modelCount;
  s.scoreCount = m_scoreCount;
  s.checkedTestees = m_pTestees ? m_pTestees->CountCheckedRows() : 0;
  s.checkedModels = m_pModels ? m_pModels->CountCheckedRows() : 0;
  s.checkedScores = m_pScores ? m_pScores->CountCheckedRows() : 0;
  return s;
}

void CDlgTabImport::UpdateControls() {
  if (!m_pTestees) return;
  const ImportPageControls c = ImportPageRules(GetState());
  bool relayout = false;
  m_pTestees->Enable(c.testeeList);
  for (int id : {kIdSelectAll, kIdSelectGroup, kIdSelectFound, kIdUnselectAll}) FindWindow(id)->Enable(c.testeeList);
  m_pModels->Enable(c.modelList);
  m_pScores->Enable(c.scoreList);
  FindWindow(kIdImportTestees)->Enable(c.importTestees);
  FindWindow(kIdImportModels)->Enable(c.importModels);
  FindWindow(kIdImportScores)->Enable(c.importScores);
  relayout |= SetWindowText(m_pTesteeGroup, c.testeeCaption);
  relayout |= SetWindowText(m_pModelGroup, c.modelCaption);
  relayout |= SetWindowText(m_pScoreGroup, c.scoreCaption);
  const wxString source = wxString::FromUTF8(m_pSource ? m_pSource->GetPath() : std::string());
  if (m_pSourceText->GetValue() != source) m_pSourceText->ChangeValue(source);
  if (relayout) Layout();
}

void CDlgTabImport::SelectAll() {
  for (int i = 0; i < m_pTestees->GetItemCount(); ++i) m_pTestees->SetRowCheck(i, true, false);
  UpdateControls();
}

void CDlgTabImport::UnselectAll() {
  for (int i = 0; i < m_pTestees->GetItemCount(); ++i) m_pTestees->SetRowCheck(i, false, false);
  UpdateControls();
}

void CDlgTabImport::SelectGroup() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pSource) return;
  std::string selected;
  if (!services->SearchTestee(this, m_pSource, m_pTestees, CTesteeSearchOptions{}, &selected)) return;
  m_testeeId = selected;
  UpdateControls();
}

void CDlgTabImport::SelectFound() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pSource) return;
  std::string selected;
  if (!services->SearchTestee(this, m_pSource, nullptr, CTesteeSearchOptions{}, &selected)) return;
  m_testeeId = selected;
  m_pTestees->SetRowCheckByKey(m_testeeId.c_str(), true, false);
  m_pTestees->EnsureRowVisibleByKey(m_testeeId.c_str(), false);
  UpdateControls();
}

void CDlgTabImport::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdSelectAll:
      SelectAll();
      break;
    case kIdUnselectAll:
      UnselectAll();
      break;
    case kIdSelectGroup:
      SelectGroup();
      break;
    case kIdSelectFound:
      SelectFound();
      break;
    default:
      // "..." and the three "Import checked" buttons have no action.
      event.Skip();
      break;
  }
}

void CDlgTabImport::OnNotify(CQelNotifyEvent& event) {
  const int code = event.GetCode();
  const intptr_t payload = event.GetPayload();
  const int row = static_cast<int>(payload);
  switch (code) {
    case kNotifyRefreshViews:
      if (payload & kRefreshTestees) RefillTestees();
      if (payload & kRefreshModels) RefillModels();
      if (payload & kRefreshScores) RefillScores();
      break;
    case kDblClk + kListKindTestees:
      if (row < 0 || row >= m_pTestees->GetItemCount()) break;
      m_testeeId = m_pTestees->GetKey(row);
      m_pTestees->SetRowCheck(row, !m_pTestees->IsRowChecked(row), false);
      break;
    case kDblClk + kListKindModels:
      if (row < 0 || row >= m_pModels->GetItemCount()) break;
      m_modelId = m_pModels->GetKey(row);
      m_pModels->SetRowCheck(row, !m_pModels->IsRowChecked(row), false);
      break;
    case kDblClk + kListKindScores:
      if (row < 0 || row >= m_pScores->GetItemCount()) break;
      m_pScores->SetRowCheck(row, !m_pScores->IsRowChecked(row), false);
      break;
    case kSelected + kListKindTestees:
      if (row < 0 || row >= m_pTestees->GetItemCount()) break;
      m_testeeId = m_pTestees->GetKey(row);
      RefillScores();
      break;
    case kSelected + kListKindModels:
      if (row < 0 || row >= m_pModels->GetItemCount()) break;
      m_modelId = m_pModels->GetKey(row);
      RefillScores();
      break;
    case kSelected + kListKindScores:
    case kUnchecked + kListKindTestees:
    case kChecked + kListKindTestees:
    case kUnchecked + kListKindModels:
    case kChecked + kListKindModels:
    case kUnchecked + kListKindScores:
    case kChecked + kListKindScores:
      break;
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  UpdateControls();
  event.SetResult(0);
}

}  // namespace qel

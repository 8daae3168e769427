#include "ui/ui/DlgTabExport.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "common/Prompt.h"
#include "project/ProjectData.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kComboWidth = 180;
constexpr int kTesteeListHeight = 260;

// The testee list's codes: double click, selected, unchecked, checked, check changing.
constexpr int kNotifyDblClkTestee = 300 + kListKindTestees;
constexpr int kNotifySelectedTestee = 320 + kListKindTestees;
constexpr int kNotifyUncheckedTestee = 330 + kListKindTestees;
constexpr int kNotifyCheckedTestee = 340 + kListKindTestees;
constexpr int kNotifyCheckChanging = 350;

// Check images: none, an empty box.
constexpr int kNoCheckBox = 0;
constexpr int kEmptyCheckBox = 1;

const PageButtonDef kSelectButtons[] = {
    {CDlgTabExport::kIdSelectAll, "Select all", "Select all testees available in working project"},
    {CDlgTabExport::kIdSelectGroup, "Select group", "Select group of testees available in working project"},
    {CDlgTabExport::kIdSelectOne, "Select one", "Select testee in working project"},
    {CDlgTabExport::kIdUnselectAll, "Unselect all", "Unselect all testees"},
};

constexpr const char* kModelTip = "Currently selected model in working project";
constexpr const char* kTaskTip = "Currently selected task in selected model";

const CProjectData* ProjectData() {
  IDataPageServices* services = GetDataPageServices();
  return services ? services->GetProjectData() : nullptr;
}

}  // namespace

CDlgTabExport::CDlgTabExport() : CDlgTab(kTemplateId) {}

bool CDlgTabExport::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxHORIZONTAL);

  m_pTesteeGroup = new wxStaticBox(this, kIdTesteeGroup, "Testees in project");
  auto* testees = new wxStaticBoxSizer(m_pTesteeGroup, wxHORIZONTAL);
  m_pTestees = new CListCtrlTestees;
  m_pTestees->Create(m_pTesteeGroup, kIdTestees, wxDefaultPosition, wxSize(-1, kTesteeListHeight));
  m_pTestees->SetToolTip("Full list of testees available in working project");
  m_pTestees->m_keyList.m_pOwner = this;
  m_pTestees->SetColumns(true);
  testees->Add(m_pTestees, 1, wxEXPAND | wxALL, kBorder);
  testees->Add(MakeButtonColumn(m_pTesteeGroup, kSelectButtons, std::size(kSelectButtons)), 0, wxALL, kBorder);
  page->Add(testees, 1, wxEXPAND | wxALL, kBorder);

  auto* right = new wxBoxSizer(wxVERTICAL);
  m_pModelGroup = new wxStaticBox(this, kIdModelGroup, "Model selected");
  auto* model = new wxStaticBoxSizer(m_pModelGroup, wxHORIZONTAL);
  auto* modelLabel = new wxStaticText(m_pModelGroup, kIdModelLabel, "Id");
  modelLabel->SetToolTip(kModelTip);
  m_pModelCombo = new CComboBoxModels;
  m_pModelCombo->Create(m_pModelGroup, kIdModelCombo, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pModelCombo->SetToolTip(kModelTip);
  m_pModelCombo->m_keyList.m_pOwner = this;
  model->Add(modelLabel, 0, wxALIGN_CENTER_VERTICAL | wxALL, kBorder);
  model->Add(m_pModelCombo, 1, wxALL, kBorder);
  right->Add(model, 0, wxEXPAND | wxBOTTOM, kBorder);

  m_pTaskGroup = new wxStaticBox(this, kIdTaskGroup, "Task selected");
  auto* task = new wxStaticBoxSizer(m_pTaskGroup, wxVERTICAL);
  auto* taskRow = new wxBoxSizer(wxHORIZONTAL);
  auto* taskLabel = new wxStaticText(m_pTaskGroup, kIdTaskLabel, "Id");
  taskLabel->SetToolTip(kTaskTip);
  m_pTaskCombo = new CComboBoxTasks;
  m_pTaskCombo->Create(m_pTaskGroup, kIdTaskCombo, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pTaskCombo->SetToolTip(kTaskTip);
  m_pTaskCombo->m_keyList.m_pOwner = this;
  taskRow->Add(taskLabel, 0, wxALIGN_CENTER_VERTICAL | wxALL, kBorder);
  taskRow->Add(m_pTaskCombo, 1, wxALL, kBorder);
  m_pTaskName = new wxStaticText(m_pTaskGroup, kIdTaskName, wxEmptyString);
  m_pTaskName->SetToolTip(kTaskTip);
  task->Add(taskRow, 0, wxEXPAND);
  task->Add(m_pTaskName, 0, wxEXPAND | wxALL, kBorder);
  right->Add(task, 0, wxEXPAND | wxBOTTOM, kBorder);

  auto* exportScore = new wxButton(this, kIdExportScore, "Export score");
  exportScore->SetToolTip("Export scores for current selection into external file");
  right->Add(exportScore, 0, wxEXPAND | wxTOP | wxBOTTOM, kBorder);
  right->Add(new wxButton(this, kIdHelp, "Help"), 0, wxEXPAND | wxBOTTOM, kBorder);
  page->Add(right, 0, wxEXPAND | wxALL, kBorder);

  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabExport::OnButton, this);
  Refresh();
  return true;
}

// ---- filling ---------------------------------------------------------------------------

void CDlgTabExport::FillTestees() {
  m_testeeCount = 0;
  m_testeeId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  if (!data) {
    m_pTestees->ResetRows();
  } else {
    const int rows = m_pTestees->Fill(data, nullptr, -1);
    if (rows > 0) {
      m_testeeCount = rows;
      m_testeeId = m_pTestees->m_keyList.m_strCurrentKey;
    }
  }
  m_scored.assign(static_cast<size_t>(m_testeeCount), false);
}

void CDlgTabExport::FillModels() {
  m_modelCount = 0;
  m_modelId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int models = m_pModelCombo->Fill(data);
  if (models > 0) {
    m_modelCount = models;
    m_modelId = m_pModelCombo->GetCurrentKey();
  }
  FillTasks();
}

void CDlgTabExport::FillTasks() {
  m_taskCount = 0;
  m_taskIndex = -1;
  m_taskId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int tasks = m_pTaskCombo->Fill(data, m_modelId.c_str(), nullptr);
  if (tasks > 0) {
    m_taskCount = tasks;
    m_taskIndex = 0;
    m_taskId = m_pTaskCombo->GetKey(0);
    m_pTaskCombo->SetSelection(0);
    m_pTaskCombo->m_keyList.m_strCurrentKey = m_taskId;
  }
}

void CDlgTabExport::MarkScoredTestees() {
  m_scoredCount = 0;
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int rows = std::min(m_testeeCount, m_pTestees->GetItemCount());
  m_scored.assign(static_cast<size_t>(m_testeeCount), false);
  for (int i = 0; i < rows; ++i) {
    const std::string testee = m_pTestees->GetKey(i);
    const bool scored =
        data && data->GetScoreRows(testee.c_str(), m_modelId.c_str(), m_taskId.c_str(), nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) > 0;
    if (scored) ++m_scoredCount;
    m_checkGuard = false;
    m_pTestees->SetCheckState(i, scored ? kEmptyCheckBox : kNoCheckBox);
    m_scored[static_cast<size_t>(i)] = scored;
    m_checkGuard = true;
  }
  if (rows > 0) m_pTestees->RefreshItems(0, rows - 1);
}

bool CDlgTabExport::IsRowScored(int row) const {
  return row >= 0 && static_cast<size_t>(row) < m_scored.size() && m_scored[static_cast<size_t>(row)];
}

void CDlgTabExport::Refresh() {
  FillTestees();
  FillModels();
  MarkScoredTestees();
  UpdateControls();
}

// ---- controls --------------------------------------------------------------------------

ExportPageState CDlgTabExport::GetState() const {
  ExportPageState s;
  s.running = IsAnyRunInProgress();
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  s.hasPath = m_pProject && !m_pProject->GetPath().empty();
  s.testeeCount = m_testeeCount;
  s.modelCount = m_modelCount;
  s.taskCount = m_taskCount;
  s.scoredCount = m_scoredCount;
  s.checkedCount = m_pTestees ? m_pTestees->CountCheckedRows() : 0;
  return s;
}

void CDlgTabExport::UpdateControls() {
  if (!m_pTestees) return;
  const ExportPageControls c = ExportPageRules(GetState());
  bool relayout = false;
  m_pTestees->Enable(c.testeeList);
  FindWindow(kIdSelectAll)->Enable(c.selectAll);
  FindWindow(kIdSelectGroup)->Enable(c.selectGroup);
  FindWindow(kIdSelectOne)->Enable(c.selectOne);
  FindWindow(kIdUnselectAll)->Enable(c.unselectAll);
  m_pModelCombo->Enable(c.modelCombo);
  m_pTaskCombo->Enable(c.taskCombo);
  FindWindow(kIdExportScore)->Enable(c.exportScore);
  relayout |= SetWindowText(m_pTesteeGroup, c.testeeCaption);
  relayout |= SetWindowText(m_pModelGroup, c.modelCaption);
  relayout |= SetWindowText(m_pTaskGroup, c.taskCaption);
  const bool named = m_taskIndex >= 0 && m_taskIndex < static_cast<int>(m_pTaskCombo->GetCount());
  relayout |= SetWindowText(
      m_pTaskName, named ? m_pTaskCombo->GetString(static_cast<unsigned>(m_taskIndex)).utf8_string() : std::string());
  if (relayout) Layout();
}

// ---- actions ---------------------------------------------------------------------------

void CDlgTabExport::SelectAll() {
  m_settings.path.clear();
  for (int i = 0; i < m_testeeCount; ++i) m_pTestees->SetRowCheck(i, true, false);  // the veto keeps the unscored
  UpdateControls();
}

void CDlgTabExport::UnselectAll() {
  m_settings.path.clear();
  for (int i = 0; i < m_pTestees->GetItemCount(); ++i) {
    if (m_pTestees->IsRowChecked(i)) m_pTestees->SetRowCheck(i, false, false);
  }
  UpdateControls();
}

void CDlgTabExport::SelectGroup() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pProject) return;
  CTesteeSearchOptions options;
  options.marking = true;
  std::string selected;
  if (!services->SearchTestee(this, services->GetProject(), m_pTestees, options, &selected)) return;
  m_settings.path.clear();
  m_testeeId = selected;
  UpdateControls();
}

void CDlgTabExport::SelectOne() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pProject) return;
  CTesteeSearchOptions options;
  options.selectOne = true;
  std::string selected;
  if (!services->SearchTestee(this, services->GetProject(), nullptr, options, &selected)) return;
  m_settings.path.clear();
  m_testeeId = selected;
  m_pTestees->SetRowCheckByKey(m_testeeId.c_str(), true, true);
  m_pTestees->EnsureRowVisibleByKey(m_testeeId.c_str(), false);
  UpdateControls();
}

void CDlgTabExport::ExportScore() {
  m_testeeId = m_pTestees->m_keyList.m_strCurrentKey;
  m_modelId = m_pModelCombo->GetCurrentKey();
  m_taskId = m_pTaskCombo->GetCurrentKey();
  std::vector<std::string> testees;
  for (int i = 0; i < m_pTestees->GetItemCount(); ++i) {
    if (m_pTestees->IsRowChecked(i)) testees.push_back(m_pTestees->GetKey(i));
  }
  if (testees.empty()) {
    ShowPrompt("No selected testees!", "Qel", kPromptOk);
    return;
  }
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pProject) return;
  ScoreExportSettings settings = m_settings;
  if (services->ExportScores(this, testees, m_modelId, m_taskId, &settings)) m_settings = settings;
}

void CDlgTabExport::OnButton(wxCommandEvent& event) {
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
    case kIdSelectOne:
      SelectOne();
      break;
    case kIdExportScore:
      ExportScore();
      break;
    case kIdHelp:
      ShowPageHelp(this, kHelpText, "Export help");
      break;
    default:
      event.Skip();
      break;
  }
}

void CDlgTabExport::OnNotify(CQelNotifyEvent& event) {
  const int code = event.GetCode();
  const intptr_t payload = event.GetPayload();
  const int row = static_cast<int>(payload);
  if (code == kNotifyCheckChanging) {
    event.SetResult(RefuseExportCheck(m_checkGuard, row, m_testeeCount, IsRowScored(row)) ? 1 : 0);
    return;
  }
  switch (code) {
    case kNotifyRefreshViews:
      m_settings.path.clear();
      if (payload & kRefreshTestees) FillTestees();
      if (payload & kRefreshModels) FillModels();
      if (payload & (kRefreshTestees | kRefreshModels | kRefreshScores)) MarkScoredTestees();
      break;
    case kNotifyDblClkTestee:
      if (row < 0 || row >= m_testeeCount) break;
      m_settings.path.clear();
      m_testeeId = m_pTestees->GetKey(row);
      m_pTestees->SetRowCheck(row, !m_pTestees->IsRowChecked(row), false);
      break;
    case kNotifySelectedTestee:
      if (row < 0 || row >= m_testeeCount) break;
      m_settings.path.clear();
      m_testeeId = m_pTestees->GetKey(row);
      break;
    case kNotifyUncheckedTestee:
    case kNotifyCheckedTestee:
      if (row < 0 || row >= m_testeeCount) break;
      m_settings.path.clear();
      break;
    case CComboBoxQel::kModelsCode:
      if (row < 0 || row >= m_modelCount) break;
      m_settings.path.clear();
      m_modelId = m_pModelCombo->GetKey(row);
      FillTasks();
      MarkScoredTestees();
      break;
    case CComboBoxQel::kTasksCode:
      if (row < 0 || row >= m_taskCount) break;
      m_settings.path.clear();
      m_taskIndex = row;
      m_taskId = m_pTaskCombo->GetKey(row);
      MarkScoredTestees();
      break;
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  UpdateControls();
  event.SetResult(0);
}

}  // namespace qel

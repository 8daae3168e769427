#include "ui/ui/DlgTabData.h"

#include <cstdlib>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "project/ProjectData.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ChooserFit.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kComboWidth = 160;
constexpr int kScoreListHeight = 240;

// The scores list's double-click and selection codes.
constexpr int kNotifyDblClkScore = 300 + kListKindScores;
constexpr int kNotifySelectedScore = 320 + kListKindScores;

const PageButtonDef kScoreButtons[] = {
    {CDlgTabData::kIdExportRaw, "Export raw data", "Export raw data for selected score into external file"},
    {CDlgTabData::kIdAssessments, "Assessments", "View list of assessments for selected score"},
    {CDlgTabData::kIdScoresHistory, "Scores history", "View list of old scores (history of changes)"},
    {CDlgTabData::kIdResponsesHistory, "Responses history", "View list of old assessments (history of assessments)"},
    {CDlgTabData::kIdDelete, "Delete", "Remove selected score from working project"},
    {CDlgTabData::kIdDeleteAll, "Delete all", "Remove the whole list of scores selected from working project"},
    {CDlgTabData::kIdHelp, "Help", ""},
};

constexpr const char* kTesteeTip = "Currently selected testee in working project";
constexpr const char* kModelTip = "Currently selected model in working project";
constexpr const char* kTaskTip = "Currently selected task in selected model";

const CProjectData* ProjectData() {
  IDataPageServices* services = GetDataPageServices();
  return services ? services->GetProjectData() : nullptr;
}

// Selects the item of the key without telling the owner; false when absent.
bool SelectQuietly(CComboBoxQel* combo, const std::string& key) {
  const int i = combo->FindKey(key.c_str());
  if (i < 0 || i >= static_cast<int>(combo->GetCount())) return false;
  combo->SetSelection(i);
  combo->m_keyList.m_strCurrentKey = key;
  combo->OnSelected();
  return true;
}

// The score of a row of the scores list (its key is the assessment number).
DataPageScore RowScore(const CListCtrlVariables& list, int row) {
  DataPageScore score;
  score.testee = list.GetRowTestee(row);
  score.model = list.GetRowModel(row);
  score.task = list.GetRowTask(row);
  score.assessment = static_cast<uint32_t>(std::strtoul(list.GetKey(row).c_str(), nullptr, 10));
  return score;
}

std::string ChooseRawFile(wxWindow* parent, const std::string& proposed) {
  wxFileDialog dialog(parent, "Export raw data", wxEmptyString, wxString::FromUTF8(proposed + ".txt"),
                      "Text files (*.txt)|*.txt", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return std::string();
  std::string path = dialog.GetPath().utf8_string();
  const size_t slash = path.find_last_of('/');
  if (path.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos) path += ".txt";
  return path;
}

}  // namespace

CDlgTabData::CDlgTabData() : CDlgTab(kTemplateId), m_chooser(&ChooseRawFile) {}

bool CDlgTabData::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);
  auto* choosers = new wxBoxSizer(wxHORIZONTAL);

  auto addLabel = [](wxWindow* box, int id, const char* tip) {
    auto* label = new wxStaticText(box, id, "Id");
    label->SetToolTip(tip);
    return label;
  };

  m_pTesteeGroup = new wxStaticBox(this, kIdTesteeGroup, "Testee selected");
  auto* testee = new wxStaticBoxSizer(m_pTesteeGroup, wxVERTICAL);
  m_pAllTesteesBox = new wxCheckBox(m_pTesteeGroup, kIdAllTestees, "All");
  m_pAllTesteesBox->SetToolTip("Select all testees from working project");
  m_pTesteeCombo = new CComboBoxTestees;
  m_pTesteeCombo->Create(m_pTesteeGroup, kIdTesteeCombo, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pTesteeCombo->SetToolTip(kTesteeTip);
  m_pTesteeCombo->m_keyList.m_pOwner = this;
  auto* testeeRow = new wxBoxSizer(wxHORIZONTAL);
  testeeRow->Add(addLabel(m_pTesteeGroup, kIdTesteeLabel, kTesteeTip), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  testeeRow->Add(m_pTesteeCombo, 1, wxRIGHT, kBorder);
  auto* search = new wxButton(m_pTesteeGroup, kIdSearch, "Search");
  search->SetToolTip("Find testee in working project");
  testeeRow->Add(search, 0);
  testee->Add(m_pAllTesteesBox, 0, wxALL, kBorder);
  testee->Add(testeeRow, 0, wxEXPAND | wxALL, kBorder);
  choosers->Add(testee, 1, wxEXPAND | wxRIGHT, kBorder);

  m_pModelGroup = new wxStaticBox(this, kIdModelGroup, "Model selected");
  auto* model = new wxStaticBoxSizer(m_pModelGroup, wxVERTICAL);
  m_pAllModelsBox = new wxCheckBox(m_pModelGroup, kIdAllModels, "All");
  m_pAllModelsBox->SetToolTip("Select all models from working project");
  m_pModelCombo = new CComboBoxModels;
  m_pModelCombo->Create(m_pModelGroup, kIdModelCombo, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pModelCombo->SetToolTip(kModelTip);
  m_pModelCombo->m_keyList.m_pOwner = this;
  auto* modelRow = new wxBoxSizer(wxHORIZONTAL);
  modelRow->Add(addLabel(m_pModelGroup, kIdModelLabel, kModelTip), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  modelRow->Add(m_pModelCombo, 1);
  model->Add(m_pAllModelsBox, 0, wxALL, kBorder);
  model->Add(modelRow, 0, wxEXPAND | wxALL, kBorder);
  choosers->Add(model, 1, wxEXPAND | wxRIGHT, kBorder);

  m_pTaskGroup = new wxStaticBox(this, kIdTaskGroup, "Task selected");
  auto* task = new wxStaticBoxSizer(m_pTaskGroup, wxVERTICAL);
  m_pAllTasksBox = new wxCheckBox(m_pTaskGroup, kIdAllTasks, "All");
  m_pAllTasksBox->SetToolTip("Select all tasks from selected model");
  m_pTaskCombo = new CComboBoxTasks;
  m_pTaskCombo->Create(m_pTaskGroup, kIdTaskCombo, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pTaskCombo->SetToolTip(kTaskTip);
  m_pTaskCombo->m_keyList.m_pOwner = this;
  m_pTaskName = new wxStaticText(m_pTaskGroup, kIdTaskName, wxEmptyString);
  m_pTaskName->SetToolTip(kTaskTip);
  auto* taskRow = new wxBoxSizer(wxHORIZONTAL);
  taskRow->Add(addLabel(m_pTaskGroup, kIdTaskLabel, kTaskTip), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  taskRow->Add(m_pTaskCombo, 1);
  task->Add(m_pAllTasksBox, 0, wxALL, kBorder);
  task->Add(taskRow, 0, wxEXPAND | wxALL, kBorder);
  task->Add(m_pTaskName, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
  choosers->Add(task, 1, wxEXPAND);
  page->Add(choosers, 0, wxEXPAND | wxALL, kBorder);

  m_pScoreGroup = new wxStaticBox(this, kIdScoreGroup, "Scores available");
  auto* scores = new wxStaticBoxSizer(m_pScoreGroup, wxHORIZONTAL);
  m_pScores = new CListCtrlVariables;
  m_pScores->Create(m_pScoreGroup, kIdScores, wxDefaultPosition, wxSize(-1, kScoreListHeight));
  m_pScores->SetToolTip("List of scores available in working project for current selection");
  m_pScores->m_keyList.m_pOwner = this;
  m_pScores->SetColumns(false);
  scores->Add(m_pScores, 1, wxEXPAND | wxALL, kBorder);
  scores->Add(MakeButtonColumn(m_pScoreGroup, kScoreButtons, std::size(kScoreButtons)), 0, wxALL, kBorder);
  page->Add(scores, 1, wxEXPAND | wxALL, kBorder);

  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabData::OnButton, this);
  Bind(wxEVT_CHECKBOX, &CDlgTabData::OnCheckBox, this);
  Refresh();
  return true;
}

// ---- filling ---------------------------------------------------------------------------

void CDlgTabData::FillTestees() {
  m_testeeCount = 0;
  m_testeeId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int testees = m_pTesteeCombo->Fill(data);
  if (testees > 0) {
    m_testeeCount = testees;
    m_testeeId = m_pTesteeCombo->GetCurrentKey();
  }
}

void CDlgTabData::FillModels() {
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

void CDlgTabData::FillTasks() {
  m_taskCount = 0;
  m_taskIndex = -1;
  m_taskId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int tasks = m_pTaskCombo->Fill(data, m_modelId.c_str(), nullptr);
  if (tasks > 0) {
    m_taskCount = tasks;
    m_taskIndex = 0;
    m_taskId = m_pTaskCombo->GetKey(0);
    SelectQuietly(m_pTaskCombo, m_taskId);
  }
}

DataPageScore CDlgTabData::Filter() const {
  DataPageScore filter;
  if (!m_allTestees) filter.testee = m_testeeId;
  if (!m_allModels) filter.model = m_modelId;
  if (!m_allTasks) filter.task = m_taskId;
  return filter;
}

void CDlgTabData::FillScores() {
  m_scoreCount = 0;
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  if (!data) {
    m_pScores->ResetRows();
    return;
  }
  const DataPageScore filter = Filter();
  const int rows = m_pScores->Fill(data, filter.testee, filter.model, filter.task, -1);
  if (rows >= 1) m_scoreCount = rows;
}

void CDlgTabData::Refresh() {
  m_rawName = RawResponseFileName(m_selected);
  FillTestees();
  FillModels();
  FillScores();
  UpdateControls();
}

// ---- controls --------------------------------------------------------------------------

DataPageState CDlgTabData::GetState() const {
  DataPageState s;
  s.running = IsAnyRunInProgress();
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  s.userType1 = IsCurrentUserType1();
  s.open = m_pProject && m_pProject->IsOpen();
  s.cfrOpen = m_pProject && m_pProject->IsOpenCfr();
  if (const CProjectData* data = s.open ? ProjectData() : nullptr) s.scoreChanges = data->GetScoreChangeTotal() > 0;
  s.allTestees = m_allTestees;
  s.allModels = m_allModels;
  s.allTasks = m_allTasks;
  s.testeeCount = m_testeeCount;
  s.modelCount = m_modelCount;
  s.taskCount = m_taskCount;
  s.scoreCount = m_scoreCount;
  s.selectedRow = m_pScores ? m_pScores->GetSelectedRow() : -1;
  return s;
}

void CDlgTabData::UpdateControls() {
  if (!m_pScores) return;
  const DataPageControls c = DataPageRules(GetState());
  bool relayout = ApplyPageButton(FindWindow(kIdSearch), c.search);
  relayout |= ApplyPageButton(FindWindow(kIdTesteeLabel), {c.testeeCombo.shown, true});
  relayout |= ApplyPageButton(m_pTesteeCombo, c.testeeCombo);
  relayout |= ApplyPageButton(FindWindow(kIdModelLabel), {c.modelCombo.shown, true});
  relayout |= ApplyPageButton(m_pModelCombo, c.modelCombo);
  relayout |= ApplyPageButton(FindWindow(kIdTaskLabel), {c.taskCombo.shown, true});
  relayout |= ApplyPageButton(m_pTaskName, {c.taskCombo.shown, true});
  relayout |= ApplyPageButton(m_pTaskCombo, c.taskCombo);
  relayout |= ApplyPageButton(m_pAllTesteesBox, c.allTestees);
  relayout |= ApplyPageButton(m_pAllModelsBox, c.allModels);
  relayout |= ApplyPageButton(m_pAllTasksBox, c.allTasks);
  relayout |= ApplyPageButton(m_pScores, c.scoreList);
  relayout |= ApplyPageButton(FindWindow(kIdDeleteAll), c.deleteAll);
  relayout |= ApplyPageButton(FindWindow(kIdDelete), c.deleteOne);
  relayout |= ApplyPageButton(FindWindow(kIdExportRaw), c.exportRaw);
  relayout |= ApplyPageButton(FindWindow(kIdAssessments), c.assessments);
  relayout |= ApplyPageButton(FindWindow(kIdResponsesHistory), c.responsesHistory);
  relayout |= ApplyPageButton(FindWindow(kIdScoresHistory), c.scoresHistory);
  relayout |= SetWindowText(m_pTesteeGroup, c.testeeCaption);
  relayout |= SetWindowText(m_pModelGroup, c.modelCaption);
  relayout |= SetWindowText(m_pTaskGroup, c.taskCaption);
  relayout |= SetWindowText(m_pScoreGroup, c.scoreCaption);
  const bool named = m_taskIndex >= 0 && m_taskIndex < static_cast<int>(m_pTaskCombo->GetCount());
  relayout |= SetWindowText(
      m_pTaskName, named ? m_pTaskCombo->GetString(static_cast<unsigned>(m_taskIndex)).utf8_string() : std::string());
  if (relayout) Layout();
}

// ---- actions ---------------------------------------------------------------------------

void CDlgTabData::SetAllTestees(bool on) {
  m_allTestees = on;
  m_pAllTesteesBox->SetValue(on);
  FillScores();
  UpdateControls();
}

void CDlgTabData::SetAllModels(bool on) {
  m_allModels = on;
  m_allTasks = on;  // every model: every task
  m_pAllModelsBox->SetValue(on);
  m_pAllTasksBox->SetValue(on);
  FillScores();
  UpdateControls();
}

void CDlgTabData::SetAllTasks(bool on) {
  m_allTasks = on;
  m_pAllTasksBox->SetValue(on);
  FillScores();
  UpdateControls();
}

void CDlgTabData::SearchTestee() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pProject || m_pProject->GetPath().empty()) return;
  CTesteeSearchOptions options;
  options.selectOne = true;
  std::string selected;
  if (!services->SearchTestee(this, services->GetProject(), nullptr, options, &selected)) return;
  m_testeeId = selected;
  SelectQuietly(m_pTesteeCombo, selected);
  FillScores();
  UpdateControls();
}

void CDlgTabData::ExportRawData() {
  IDataPageServices* services = GetDataPageServices();
  if (!services || !m_pProject) return;
  if (m_selected.testee.empty() || m_selected.model.empty() || m_selected.task.empty() || m_selected.assessment == 0) {
    return;
  }
  const std::string path = m_chooser ? m_chooser(this, m_rawName) : std::string();
  if (path.empty()) return;
  if (services->ExportRawResponses(path, m_selected)) m_rawPath = path;
}

void CDlgTabData::ShowAssessments() {
  if (IDataPageServices* services = GetDataPageServices(); services && m_pProject) {
    services->ShowAssessments(this, Filter());
  }
}

void CDlgTabData::ShowScoreHistory() {
  if (IDataPageServices* services = GetDataPageServices(); services && m_pProject) {
    services->ShowScoreHistory(this, Filter());
  }
}

void CDlgTabData::OnCheckBox(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdAllTestees:
      SetAllTestees(m_pAllTesteesBox->GetValue());
      break;
    case kIdAllModels:
      SetAllModels(m_pAllModelsBox->GetValue());
      break;
    case kIdAllTasks:
      SetAllTasks(m_pAllTasksBox->GetValue());
      break;
    default:
      event.Skip();
  }
}

void CDlgTabData::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdSearch:
      SearchTestee();
      break;
    case kIdExportRaw:
      ExportRawData();
      break;
    case kIdAssessments:
      ShowAssessments();
      break;
    case kIdScoresHistory:
      ShowScoreHistory();
      break;
    case kIdHelp:
      ShowPageHelp(this, kHelpText, "Data help");
      break;
    default:
      // "Delete" and "Delete all" have no action.
      event.Skip();
      break;
  }
}

void CDlgTabData::OnNotify(CQelNotifyEvent& event) {
  const int item = static_cast<int>(event.GetPayload());
  switch (event.GetCode()) {
    case CComboBoxQel::kTesteesCode:
      if (item >= 0 && item < m_testeeCount) {
        m_testeeId = m_pTesteeCombo->GetKey(item);
        FillScores();
        UpdateControls();
      }
      break;
    case CComboBoxQel::kModelsCode:
      if (item >= 0 && item < m_modelCount) {
        m_modelId = m_pModelCombo->GetKey(item);
        FillTasks();
        FillScores();
        UpdateControls();
      }
      break;
    case CComboBoxQel::kTasksCode:
      if (item >= 0 && item < m_taskCount) {
        m_taskIndex = item;
        m_taskId = m_pTaskCombo->GetKey(item);
        FillScores();
        UpdateControls();
      }
      break;
    case kNotifyRefreshViews: {
      const intptr_t flags = event.GetPayload();
      if (flags & kRefreshTestees) FillTestees();
      if (flags & kRefreshModels) FillModels();
      if (flags & (kRefreshTestees | kRefreshModels | kRefreshScores)) {
        FillScores();
        UpdateControls();
      }
      break;
    }
    case kNotifyDblClkScore:
      if (item >= 0 && item < m_scoreCount && m_pProject) {
        UpdateControls();
        if (IDataPageServices* services = GetDataPageServices()) {
          services->ShowSavedScore(this, RowScore(*m_pScores, item));
        }
      }
      break;
    case kNotifySelectedScore:
      if (item >= 0 && item < m_scoreCount) {
        m_selected = RowScore(*m_pScores, item);
        m_rawName = RawResponseFileName(m_selected);
        UpdateControls();
      }
      break;
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  event.SetResult(0);
}

}  // namespace qel

#include "ui/ui/DlgTabAssessment.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "include/qel/TaskHostInterface.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/AssessmentsPageServices.h"
#include "ui/ui/ComboBoxQel.h"
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
constexpr int kComboWidth = 260;
constexpr int kNumberWidth = 50;
constexpr int kListHeight = 150;
// The spins keep no position of their own (the page steps the part and the
// assessment); a range around 0 keeps both of their arrows usable.
constexpr int kSpinRange = 1000;
// The preference (hand) with which tasks that allow it start at their second part.
constexpr int kSecondPartPreference = 1;
// The list's selection code: 320 plus the list's kind.
constexpr int kNotifyListSelected = 320 + kListKindAssessments;

const PageButtonDef kTesteeButtons[] = {
    {CDlgTabAssessment::kIdFindTestee, "<- Find", "Find current testee in the project tree"},
    {CDlgTabAssessment::kIdFilterTree, "<- Filter tree", "Filter project tree for current testee only"},
    {CDlgTabAssessment::kIdViewTestee, "View", "View currently selected testee data"},
    {CDlgTabAssessment::kIdNewTestee, "Create new current testee", ""},
    {CDlgTabAssessment::kIdSearch, "Search", "Find testee in the project"},
};

const PageButtonDef kModelButtons[] = {
    {CDlgTabAssessment::kIdFindModel, "<- Find", "Find current model in the project tree"},
    {CDlgTabAssessment::kIdViewModel, "View", "View currently selected model"},
};

const PageButtonDef kTaskButtons[] = {
    {CDlgTabAssessment::kIdFindTask, "<- Find", "Find current task in the project tree"},
};

const PageButtonDef kRunButtons[] = {
    {CDlgTabAssessment::kIdFindAssessment, "<- Find", "Find Ano selected in the project tree"},
    {CDlgTabAssessment::kIdInstruct, "Instruct", "View task signals"},
    {CDlgTabAssessment::kIdPractice, "Practice", "Run PRACTICE assessment"},
    {CDlgTabAssessment::kIdTest, "Test", "Run TEST assessment"},
    {CDlgTabAssessment::kIdStop, "Stop", ""},
    {CDlgTabAssessment::kIdViewScore, "View", "View score of currently selected assessment of current task"},
    {CDlgTabAssessment::kIdBuildScore, "Build score",
     "Recalculate score of currently selected assessment of current task"},
};

const PageButtonDef kListButtons[] = {
    {CDlgTabAssessment::kIdTaskAssessments, "View task assessments list", ""},
    {CDlgTabAssessment::kIdTaskScores, "View task scores list", ""},
};

void AddButtons(wxWindow* parent, wxSizer* row, const PageButtonDef* defs, size_t count) {
  for (size_t i = 0; i < count; ++i)
    row->Add(MakePageButton(parent, defs[i]), 0, wxLEFT | wxALIGN_CENTER_VERTICAL, kBorder);
}

wxStaticText* AddText(wxWindow* parent, wxSizer* row, int id, const char* text, const char* tooltip,
                      int proportion = 0) {
  auto* label = new wxStaticText(parent, id, wxString::FromUTF8(text));
  if (*tooltip) label->SetToolTip(wxString::FromUTF8(tooltip));
  row->Add(label, proportion, wxLEFT | wxALIGN_CENTER_VERTICAL, kBorder);
  return label;
}

IAssessmentsPageServices* Services() { return GetAssessmentsPageServices(); }

const CProjectData* ProjectData() {
  IAssessmentsPageServices* services = Services();
  return services ? services->GetProjectData() : nullptr;
}

bool InRange(intptr_t index, int count) { return index >= 0 && index < count; }

}  // namespace

CDlgTabAssessment::CDlgTabAssessment() : CDlgTab(kTemplateId) {}

// ---- controls ----------------------------------------------------------------------------

bool CDlgTabAssessment::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);
  MakeTesteeGroup(page);
  MakeModelGroup(page);
  MakeTaskGroup(page);
  MakeAssessmentGroup(page);

  m_pList = new CListCtrlAssessments;
  m_pList->Create(this, kIdList, wxDefaultPosition, wxSize(-1, kListHeight));
  m_pList->SetToolTip("List of assessments performed");
  m_pList->m_keyList.m_pOwner = this;
  m_pList->SetColumns(false);
  page->Add(m_pList, 1, wxEXPAND | wxLEFT | wxRIGHT, kBorder);

  auto* help = new wxButton(this, kIdHelp, "Help");
  page->Add(help, 0, wxALIGN_RIGHT | wxALL, kBorder);
  SetSizer(page);

  Bind(wxEVT_BUTTON, &CDlgTabAssessment::OnButton, this);
  Bind(wxEVT_SPIN_UP, &CDlgTabAssessment::OnSpin, this);
  Bind(wxEVT_SPIN_DOWN, &CDlgTabAssessment::OnSpin, this);
  m_model.SelectNewAssessments();
  Refresh();
  return true;
}

void CDlgTabAssessment::MakeTesteeGroup(wxSizer* page) {
  m_pTesteeGroup = new wxStaticBox(this, kIdTesteeGroup, "Current testee");
  auto* group = new wxStaticBoxSizer(m_pTesteeGroup, wxHORIZONTAL);
  m_pTestees = new CComboBoxTestees;
  m_pTestees->Create(m_pTesteeGroup, kIdTestees, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pTestees->SetToolTip("Currently selected (working) testee in working project");
  m_pTestees->m_keyList.m_pOwner = this;
  group->Add(m_pTestees, 1, wxALL | wxALIGN_CENTER_VERTICAL, kBorder);
  AddButtons(m_pTesteeGroup, group, kTesteeButtons, std::size(kTesteeButtons));
  page->Add(group, 0, wxEXPAND | wxALL, kBorder);
}

void CDlgTabAssessment::MakeModelGroup(wxSizer* page) {
  m_pModelGroup = new wxStaticBox(this, kIdModelGroup, "Current model");
  auto* group = new wxStaticBoxSizer(m_pModelGroup, wxHORIZONTAL);
  m_pModels = new CComboBoxModels;
  m_pModels->Create(m_pModelGroup, kIdModels, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pModels->SetToolTip("Currently selected (working) model in working project");
  m_pModels->m_keyList.m_pOwner = this;
  group->Add(m_pModels, 1, wxALL | wxALIGN_CENTER_VERTICAL, kBorder);
  AddButtons(m_pModelGroup, group, kModelButtons, std::size(kModelButtons));
  page->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
}

void CDlgTabAssessment::MakeTaskGroup(wxSizer* page) {
  m_pTaskGroup = new wxStaticBox(this, kIdTaskGroup, "Current task");
  auto* group = new wxStaticBoxSizer(m_pTaskGroup, wxVERTICAL);
  auto* chooser = new wxBoxSizer(wxHORIZONTAL);
  m_pTasks = new CComboBoxTasks;
  m_pTasks->Create(m_pTaskGroup, kIdTasks, wxDefaultPosition, wxSize(kComboWidth, -1));
  m_pTasks->SetToolTip("Currently selected (working) task in selected (working) model");
  m_pTasks->m_keyList.m_pOwner = this;
  chooser->Add(m_pTasks, 1, wxALL | wxALIGN_CENTER_VERTICAL, kBorder);
  AddButtons(m_pTaskGroup, chooser, kTaskButtons, std::size(kTaskButtons));
  group->Add(chooser, 0, wxEXPAND);

  auto* about = new wxBoxSizer(wxHORIZONTAL);
  m_pTaskName =
      AddText(m_pTaskGroup, about, kIdTaskName, "", "Currently selected (working) task in selected (working) model", 1);
  AddText(m_pTaskGroup, about, wxID_ANY, "Version:", "");
  m_pVersionName = AddText(m_pTaskGroup, about, kIdVersionName, "", "Version of working task");
  group->Add(about, 0, wxEXPAND | wxBOTTOM, kBorder);

  auto* part = new wxBoxSizer(wxHORIZONTAL);
  AddText(m_pTaskGroup, part, kIdPartLabel, "Part", "Currently selected (working) part of working task");
  m_pPart = new wxTextCtrl(m_pTaskGroup, kIdPart, "", wxDefaultPosition, wxSize(kNumberWidth, -1), wxTE_READONLY);
  m_pPart->SetToolTip("Currently selected (working) part of working task");
  part->Add(m_pPart, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, kBorder);
  auto* spin = new wxSpinButton(m_pTaskGroup, kIdPartSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  spin->SetRange(-kSpinRange, kSpinRange);
  spin->SetValue(0);
  spin->SetToolTip("Select part of task");
  part->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
  m_pPartName = AddText(m_pTaskGroup, part, kIdPartName, "", "Currently selected (working) part of working task", 1);
  m_pKeysMapping = AddText(m_pTaskGroup, part, kIdKeysMapping, "", "Button keys mapping");
  group->Add(part, 0, wxEXPAND | wxBOTTOM, kBorder);
  page->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
}

void CDlgTabAssessment::MakeAssessmentGroup(wxSizer* page) {
  m_pAssessmentGroup = new wxStaticBox(this, kIdAssessmentGroup, "Current assessment");
  auto* group = new wxStaticBoxSizer(m_pAssessmentGroup, wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  AddText(m_pAssessmentGroup, row, kIdAssessmentLabel, "Ano", "Currently selected No. of assessment");
  m_pAssessment =
      new wxTextCtrl(m_pAssessmentGroup, kIdAssessment, "", wxDefaultPosition, wxSize(kNumberWidth, -1), wxTE_READONLY);
  m_pAssessment->SetToolTip("Currently selected No. of assessment");
  row->Add(m_pAssessment, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, kBorder);
  auto* spin = new wxSpinButton(m_pAssessmentGroup, kIdAssessmentSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  spin->SetRange(-kSpinRange, kSpinRange);
  spin->SetValue(0);
  spin->SetToolTip("Select No. of assessment");
  row->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
  AddButtons(m_pAssessmentGroup, row, kRunButtons, std::size(kRunButtons));
  group->Add(row, 0, wxEXPAND);
  auto* lists = new wxBoxSizer(wxHORIZONTAL);
  AddButtons(m_pAssessmentGroup, lists, kListButtons, std::size(kListButtons));
  group->Add(lists, 0, wxTOP, kBorder);
  page->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
}

void CDlgTabAssessment::SetText(wxStaticText* text, const std::string& value) {
  if (text) text->SetLabel(wxString::FromUTF8(value));
}

// ---- loading -----------------------------------------------------------------------------

void CDlgTabAssessment::FillTestees() {
  m_testeeCount = 0;
  m_testeeId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int n = m_pTestees->Fill(data);
  if (n > 0) {
    m_testeeCount = n;
    m_testeeId = m_pTestees->GetCurrentKey();
  }
}

void CDlgTabAssessment::FillModels() {
  m_modelCount = 0;
  m_modelId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int n = m_pModels->Fill(data);
  if (n > 0) {
    m_modelCount = n;
    m_modelId = m_pModels->GetCurrentKey();
  }
  FillTasks();
}

void CDlgTabAssessment::FillTasks() {
  m_taskCount = 0;
  m_taskId.clear();
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  const int n = (data && !m_modelId.empty()) ? m_pTasks->Fill(data, m_modelId.c_str(), nullptr) : 0;
  if (n <= 0) {
    m_pTasks->ResetItems();
    m_pTasks->Clear();
    return;
  }
  m_taskCount = n;
  m_taskId = m_pTasks->GetKey(0);
  m_pTasks->m_keyList.m_strCurrentKey = m_taskId;
  m_pTasks->SetSelection(0);
}

void CDlgTabAssessment::LoadModel() {
  // The task of a run in progress lives in the page's model: it stays as
  // it is until the run ends.
  IAssessmentsPageServices* services = Services();
  if (services && services->IsRunInProgress()) return;
  // A model that cannot be read leaves no task of another model behind:
  // its runs would be stored under the wrong model's name.
  m_model.Reset();
  if (services && m_pProject && !m_modelId.empty() && !services->ReadModel(m_modelId, &m_model)) m_model.Reset();
  m_model.FindTaskByCode(m_taskId.c_str());
}

void CDlgTabAssessment::LoadTestee() {
  // The record never keeps a former testee's birth date and preference:
  // a run would take the wrong age.
  m_testee = CTesteeInfo();
  IAssessmentsPageServices* services = Services();
  if (services && !m_testeeId.empty() && services->ReadTestee(m_testeeId, &m_testee)) {
    services->CheckModelAssessments(m_testeeId, m_modelId, &m_model);
  }
  FillList();
}

void CDlgTabAssessment::FillList() {
  const CProjectData* data = m_pProject ? ProjectData() : nullptr;
  if (!data) {
    m_pList->ResetRows();
    return;
  }
  m_pList->Fill(data, m_testeeId, m_modelId, m_model.GetCurrentTask(), -1);
}

void CDlgTabAssessment::SyncTask(bool reset) {
  if (CExpModelTask* task = m_model.GetCurrentTask()) {
    task->ClearPartCounts();
    if (reset) task->ResetPart(m_testee.m_preference == kSecondPartPreference);
  }
  UpdateControls();
}

void CDlgTabAssessment::Refresh() {
  if (!m_pList) return;
  m_version = 0;
  m_partNumber = 0;
  m_assessment = 0;
  m_filed = 0;
  FillTestees();
  FillModels();
  LoadModel();
  LoadTestee();
  SyncTask(true);
  m_filter = CTesteeFilter();
  m_filter.m_testee = m_testeeId;
  m_filter.m_wholeMatch = 1;
  SendFilterToTree(kTreeFilter);
}

// ---- controls' state ---------------------------------------------------------------------

AssessmentsPageState CDlgTabAssessment::GetState() const { return m_state; }

void CDlgTabAssessment::UpdateControls() {
  if (!m_pList) return;
  AssessmentsPageState s;
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  IAssessmentsPageServices* services = Services();
  s.running = IsAnyRunInProgress() || (services && services->IsRunInProgress());
  s.ready = IsProjectReady();
  s.open = m_pProject && m_pProject->IsOpen();
  s.hasTestee = !m_testeeId.empty();
  s.hasModel = !m_modelId.empty();
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  s.hasTask = task != nullptr;
  s.testeeCount = m_testeeCount;
  s.modelCount = m_modelCount;
  s.taskCount = m_taskCount;

  std::string taskName, versionName, partName;
  if (task) {
    taskName = task->TaskName;
    m_version = static_cast<int>(task->w.TaskVersion);
    m_partNumber = task->currentPart + 1;
    partName = task->GetPartName(m_partNumber);
    s.partCount = task->GetPartCount();
    m_assessment = task->currentAssessment;
    m_filed = m_pList->GetCompletedCount(m_partNumber);
    s.done = m_pList->FindCompleted(m_partNumber, m_assessment) >= 0;
    s.available = task->IsLibraryLoaded();
    versionName = TaskVersionText(s.available, task->GetVersionName(m_version));
  } else {
    m_version = 0;
    m_partNumber = 0;
    m_assessment = 0;
    m_filed = 0;
  }
  s.filedCount = m_filed;

  m_model.ApplyKeysMapping(m_testee.m_preference);
  if (task && task->library && task->library->host) {
    s.leftCode = task->library->host->leftCode;
    s.rightCode = task->library->host->rightCode;
  }
  m_state = s;

  const AssessmentsPageControls c = AssessmentsPageRules(s);
  m_pTestees->Enable(c.testeeCombo.enabled);
  m_pModels->Enable(c.modelCombo.enabled);
  m_pTasks->Enable(c.taskCombo.enabled);
  m_pList->Enable(c.list.enabled);
  ApplyPageButton(FindWindow(kIdFindTestee), c.findTestee);
  ApplyPageButton(FindWindow(kIdFindModel), c.findModel);
  ApplyPageButton(FindWindow(kIdFindTask), c.findTask);
  ApplyPageButton(FindWindow(kIdFindAssessment), c.findAssessment);
  ApplyPageButton(FindWindow(kIdFilterTree), c.filterTree);
  ApplyPageButton(FindWindow(kIdNewTestee), c.newTestee);
  ApplyPageButton(FindWindow(kIdSearch), c.search);
  ApplyPageButton(FindWindow(kIdViewTestee), c.viewTestee);
  ApplyPageButton(FindWindow(kIdViewModel), c.viewModel);
  for (int id : {kIdPartLabel, kIdPartName, kIdPart, kIdPartSpin}) ApplyPageButton(FindWindow(id), c.part);
  ApplyPageButton(FindWindow(kIdInstruct), c.instruct);
  ApplyPageButton(FindWindow(kIdPractice), c.practice);
  ApplyPageButton(FindWindow(kIdTest), c.test);
  ApplyPageButton(FindWindow(kIdStop), c.stop);
  ApplyPageButton(FindWindow(kIdViewScore), c.viewScore);
  ApplyPageButton(FindWindow(kIdBuildScore), c.buildScore);
  ApplyPageButton(FindWindow(kIdTaskAssessments), c.taskAssessments);
  ApplyPageButton(FindWindow(kIdTaskScores), c.taskScores);
  for (int id : {kIdAssessment, kIdAssessmentSpin, kIdAssessmentLabel}) ApplyPageButton(FindWindow(id), c.assessment);

  m_pTesteeGroup->SetLabel(wxString::FromUTF8(c.testeeCaption));
  m_pModelGroup->SetLabel(wxString::FromUTF8(c.modelCaption));
  m_pTaskGroup->SetLabel(wxString::FromUTF8(c.taskCaption));
  m_pAssessmentGroup->SetLabel(wxString::FromUTF8(c.assessmentCaption));
  SetText(m_pTaskName, taskName);
  SetText(m_pVersionName, versionName);
  SetText(m_pPartName, partName);
  SetText(m_pKeysMapping, c.keysMapping);
  m_pPart->ChangeValue(m_partNumber ? std::to_string(m_partNumber) : std::string());
  m_pAssessment->ChangeValue(m_assessment ? std::to_string(m_assessment) : std::string());
  Layout();
}

// ---- choosers ----------------------------------------------------------------------------

void CDlgTabAssessment::ChooseTestee(int index) {
  m_testeeId = m_pTestees->GetKey(index);
  FilterTree();
  LoadTestee();
  SyncTask(true);
}

void CDlgTabAssessment::ChooseModel(int index) {
  m_modelId = m_pModels->GetKey(index);
  // The task chooser always follows the model: without a testee it would
  // otherwise keep the former model's tasks.
  FillTasks();
  LoadModel();
  LoadTestee();
  SyncTask(true);
}

void CDlgTabAssessment::ChooseTask(int index) {
  m_taskId = m_pTasks->GetKey(index);
  m_model.FindTaskByCode(m_taskId.c_str());
  FillList();
  SyncTask(true);
}

void CDlgTabAssessment::ChooseListRow(int row) {
  CExpModelTask* task = m_model.GetCurrentTask();
  if (!task || m_taskId.empty()) return;
  if (task->SelectPart(row + 1) && task->SelectNewAssessmentOfCurrentPart()) UpdateControls();
}

void CDlgTabAssessment::StepPart(int delta) {
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!task || !task->StepPart(delta, false)) return;
  m_pList->SelectRow(task->currentPart);
  UpdateControls();
}

bool CDlgTabAssessment::StepAssessment(int delta) {
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!task || !task->StepAssessment(delta)) return false;
  SyncTask(false);
  return true;
}

void CDlgTabAssessment::OnSpin(wxSpinEvent& event) {
  // Up is the next part or assessment, down the previous one; the page
  // steps itself, so the spin keeps no position of its own.
  const int delta = event.GetEventType() == wxEVT_SPIN_UP ? -1 : 1;
  if (event.GetId() == kIdPartSpin) {
    StepPart(delta);
  } else if (event.GetId() == kIdAssessmentSpin) {
    StepAssessment(delta);
  }
  event.Veto();
}

// ---- runs --------------------------------------------------------------------------------

void CDlgTabAssessment::RunSignals() {
  IAssessmentsPageServices* services = Services();
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!services || !m_pProject || !task) return;
  m_refocusId = kIdInstruct;
  services->RunSignals(task, m_testeeId, m_modelId, this);
}

void CDlgTabAssessment::RunPractice() {
  IAssessmentsPageServices* services = Services();
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!services || !m_pProject || !task) return;
  m_refocusId = kIdPractice;
  services->RunPractice(task, m_testeeId, m_modelId, this);
}

void CDlgTabAssessment::RunTest() {
  IAssessmentsPageServices* services = Services();
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!services || !m_pProject || !task || services->IsRunInProgress()) return;
  // The button's own rules hold when the action is called: a test run needs
  // a testee in an open project the operator may use.
  if (!AssessmentsPageRules(m_state).test.enabled) return;
  m_refocusId = kIdTest;
  services->RunTest(task, m_testee, m_modelId, this);
}

void CDlgTabAssessment::StopRun() {
  IAssessmentsPageServices* services = Services();
  if (services && services->IsRunInProgress()) services->AbortRun();
}

void CDlgTabAssessment::RunEnded() {
  if (m_pView) {
    m_pView->RefreshAll();
  } else {
    UpdateControls();
  }
  if (m_refocusId) {
    if (wxWindow* control = FindWindow(m_refocusId)) control->SetFocus();
    m_refocusId = 0;
  }
}

// ---- testees, models and the tree --------------------------------------------------------

void CDlgTabAssessment::NewTestee() {
  IAssessmentsPageServices* services = Services();
  if (!services || IsAnyRunInProgress() || !m_pProject || !m_pProject->IsOpen() || !IsProjectReady()) return;
  std::string testee;
  bool usersAdded = false;
  if (!services->NewTestee(this, &testee, &usersAdded)) return;
  int flags = kRefreshTestees;
  if (usersAdded) {
    flags |= kRefreshUsers;
    SendToTree(kTreeRefreshUsers, 0);
  }
  NotifyView(flags);
  if (!m_pView) {
    FillTestees();
  }
  SendToTree(kTreeRefreshTestees, 0);
  const int index = m_pTestees->FindKey(testee.c_str());
  if (index >= 0) m_pTestees->SelectIndex(index);
}

void CDlgTabAssessment::SearchTestee() {
  IAssessmentsPageServices* services = Services();
  if (!services || !m_pProject) return;
  std::string selected;
  if (!services->SearchTestee(this, &selected)) return;
  m_testeeId = selected;
  LoadTestee();
  SyncTask(true);
  m_pTestees->SelectKey(m_testeeId.c_str());
}

void CDlgTabAssessment::ViewTestee() {
  IAssessmentsPageServices* services = Services();
  if (!services || !m_pProject || !m_pProject->IsOpen()) return;
  if (m_testeeId.empty()) {
    SearchTestee();
    return;
  }
  services->ViewTestee(this, m_testee);
}

void CDlgTabAssessment::ViewModel() {
  IAssessmentsPageServices* services = Services();
  if (services && m_pProject && !m_modelId.empty()) services->ViewModel(this, m_modelId);
}

void CDlgTabAssessment::ViewScore() {
  IAssessmentsPageServices* services = Services();
  if (!services || !m_pProject || m_testeeId.empty() || m_modelId.empty() || m_taskId.empty()) return;
  services->ShowScore(this, m_testeeId, m_modelId, m_taskId, m_assessment, m_partNumber, std::string());
}

void CDlgTabAssessment::BuildScore() {
  IAssessmentsPageServices* services = Services();
  CExpModelTask* task = m_taskId.empty() ? nullptr : m_model.GetCurrentTask();
  if (!services || !m_pProject || !task || m_testeeId.empty() || m_modelId.empty()) return;
  if (!AssessmentsPageRules(m_state).buildScore.enabled) return;
  const uint32_t assessment = task->currentAssessment;
  IAssessmentsPageServices::RebuiltScore written;
  if (!services->RebuildScore(this, m_testee, m_modelId, task, &written)) return;
  if (written.usersAdded) SendToTree(kTreeRefreshUsers, 0);
  const bool relabelled = SendToTree(kTreeRelabelScores, 0) != 0;
  NotifyView(RebuiltScoreFlags(written.usersAdded, relabelled, written.outdatedBefore, written.outdatedAfter));
  if (m_pDoc) m_pDoc->SelectAssessmentInTree(m_testeeId, m_modelId, m_taskId, static_cast<int>(assessment));
  services->ShowScore(this, m_testeeId, m_modelId, m_taskId, assessment, 0, "after recalculation!");
}

void CDlgTabAssessment::ShowTaskList(bool scores) {
  IPageServices* services = GetPageServices();
  if (!services || !m_pProject) return;
  // The current testee's assessments or scores of the current model and task.
  if (scores) {
    services->ShowScores(this, false, m_testeeId, m_modelId, m_taskId);
  } else {
    services->ShowAssessments(this, false, m_testeeId, m_modelId, m_taskId);
  }
}

void CDlgTabAssessment::FilterTree() {
  m_filter = CTesteeFilter();
  m_filter.m_testee = m_testeeId;
  m_filter.m_wholeMatch = 1;
  PostNotify(this, kNotifyFilterTestees, reinterpret_cast<intptr_t>(&m_filter));
}

void CDlgTabAssessment::FindInTree(int id) {
  if (!m_pDoc) return;
  switch (id) {
    case kIdFindTestee:
      if (!m_testeeId.empty()) m_pDoc->SelectTesteeInTree(m_testeeId);
      break;
    case kIdFindModel:
      if (!m_modelId.empty()) m_pDoc->SelectModelInTree(m_modelId);
      break;
    case kIdFindTask:
      if (!m_modelId.empty() && !m_taskId.empty()) m_pDoc->SelectModelTaskInTree(m_modelId, m_taskId);
      break;
    case kIdFindAssessment:
      if (!m_testeeId.empty() && !m_modelId.empty() && !m_taskId.empty())
        m_pDoc->SelectAssessmentInTree(m_testeeId, m_modelId, m_taskId, static_cast<int>(m_assessment));
      break;
    default:
      break;
  }
}

intptr_t CDlgTabAssessment::SendToTree(int code, intptr_t payload) {
  wxWindow* tree = m_pView ? m_pView->GetTreeWindow() : nullptr;
  return tree ? SendNotify(tree, code, payload) : 0;
}

void CDlgTabAssessment::SendFilterToTree(int code) { SendToTree(code, reinterpret_cast<intptr_t>(&m_filter)); }

// ---- events ------------------------------------------------------------------------------

void CDlgTabAssessment::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdInstruct:
      RunSignals();
      break;
    case kIdPractice:
      RunPractice();
      break;
    case kIdTest:
      RunTest();
      break;
    case kIdStop:
      StopRun();
      break;
    case kIdFindTestee:
    case kIdFindModel:
    case kIdFindTask:
    case kIdFindAssessment:
      FindInTree(event.GetId());
      break;
    case kIdFilterTree:
      FilterTree();
      break;
    case kIdNewTestee:
      NewTestee();
      break;
    case kIdSearch:
      SearchTestee();
      break;
    case kIdViewTestee:
      ViewTestee();
      break;
    case kIdViewModel:
      ViewModel();
      break;
    case kIdViewScore:
      ViewScore();
      break;
    case kIdBuildScore:
      BuildScore();
      break;
    case kIdTaskAssessments:
    case kIdTaskScores:
      ShowTaskList(event.GetId() == kIdTaskScores);
      break;
    case kIdHelp:
      ShowPageHelp(this, kHelpText, "Assessments help");
      break;
    default:
      event.Skip();
      break;
  }
}

void CDlgTabAssessment::OnNotify(CQelNotifyEvent& event) {
  const intptr_t payload = event.GetPayload();
  switch (event.GetCode()) {
    case CComboBoxQel::kTesteesCode:
      if (InRange(payload, m_testeeCount)) ChooseTestee(static_cast<int>(payload));
      break;
    case CComboBoxQel::kModelsCode:
      if (InRange(payload, m_modelCount)) ChooseModel(static_cast<int>(payload));
      break;
    case CComboBoxQel::kTasksCode:
      if (InRange(payload, m_taskCount)) ChooseTask(static_cast<int>(payload));
      break;
    case kNotifyListSelected:
      if (InRange(payload, m_pList->GetItemCount())) ChooseListRow(static_cast<int>(payload));
      break;
    case kNotifyRefreshViews: {
      const bool testees = (payload & kRefreshTestees) != 0;
      const bool models = (payload & kRefreshModels) != 0;
      const bool scores = (payload & kRefreshScores) != 0;
      if (testees) {
        const std::string kept = m_testeeId;
        m_testeeCount = 0;
        const int n = m_pTestees->Fill(m_pProject ? ProjectData() : nullptr, kept.c_str());
        m_testeeCount = n > 0 ? n : 0;
        m_testeeId = n > 0 ? m_pTestees->GetCurrentKey() : std::string();
      }
      if (models) {
        FillModels();
        LoadModel();
      }
      if (testees || models) LoadTestee();
      if (scores && !testees && !models) FillList();
      if (testees || models || scores) SyncTask(true);
      break;
    }
    case kNotifyRunStarted:
      if (m_pView) {
        m_pView->RefreshAll();
      } else {
        UpdateControls();
      }
      break;
    case kNotifyRunEnded:
      RunEnded();
      break;
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  event.SetResult(0);
}

}  // namespace qel

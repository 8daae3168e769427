#include "app/ui/AssessmentsServices.h"

#include <wx/dialog.h>

#include "admin/TesteeForms.h"
#include "admin/TesteeSearch.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeSearch.h"
#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "app/services/ProgramServices.h"
#include "scores/ProjectScoreStore.h"
#include "app/startup/AppStartup.h"
#include "app/text/DateTimeText.h"
#include "app/ui/QelProgram.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/EditorRunner.h"
#include "editors/ui/EditorServices.h"
#include "engine/library/TaskLibraries.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "include/qel/TaskEntry.h"
#include "scores/ScoreDocument.h"
#include "scores/ui/DlgScore.h"

namespace qel {

namespace {

ScoreUser LoggedScoreUser() {
  ScoreUser user;
  user.id = GetCurrentUserId();
  user.firstName = GetCurrentUserFirstName();
  user.surname = GetCurrentUserSurname();
  user.cfrMode = kCfrMode;
  return user;
}

void AddToCaption(wxWindow* dialog, const std::string& addition) {
  if (!addition.empty()) dialog->SetLabel(dialog->GetLabel() + " " + wxString::FromUTF8(addition));
}

}  // namespace

CProgramAssessments::Sources CProgramAssessments::ProgramSources() {
  Sources sources;
  sources.project = [] { return dynamic_cast<CProgramProject*>(GetProgramProject()); };
  sources.runData = []() -> CTaskRunData* {
    CQelProgram* program = GetProgram();
    return program ? &program->RunData() : nullptr;
  };
  sources.host = []() -> CTaskHost* {
    CQelProgram* program = GetProgram();
    return program ? &program->Host() : nullptr;
  };
  return sources;
}

CProgramAssessments::CProgramAssessments(Sources sources) : m_sources(std::move(sources)) {}

CProgramAssessments::~CProgramAssessments() = default;

CProgramProject* CProgramAssessments::OpenProject() {
  CProgramProject* project = m_sources.project ? m_sources.project() : nullptr;
  return project && project->IsOpen() ? project : nullptr;
}

// ---- records -----------------------------------------------------------------------------

const CProjectData* CProgramAssessments::GetProjectData() {
  CProgramProject* project = OpenProject();
  return project ? &project->GetData() : nullptr;
}

bool CProgramAssessments::ReadModel(const std::string& model, CExpModel* out) {
  CProgramProject* project = OpenProject();
  return project && out && project->Project().ReadModel(model, out);
}

bool CProgramAssessments::ReadTestee(const std::string& testee, CTesteeInfo* out) {
  CProgramProject* project = OpenProject();
  return project && out && project->Project().ReadTestee(testee, out);
}

bool CProgramAssessments::CheckModelAssessments(const std::string& testee, const std::string& model,
                                                CExpModel* expModel) {
  CProgramProject* project = OpenProject();
  return project && project->Project().CheckModelAssessments(testee, model, expModel);
}

// ---- runs --------------------------------------------------------------------------------

CEditorRunner* CProgramAssessments::Runner() {
  if (m_runner) return m_runner.get();
  CTaskHost* host = m_sources.host ? m_sources.host() : nullptr;
  CTaskRunData* runData = m_sources.runData ? m_sources.runData() : nullptr;
  if (host && runData) m_runner = std::make_unique<CEditorRunner>(*host, *runData);
  return m_runner.get();
}

bool CProgramAssessments::IsRunInProgress() {
  CDlgRun* dialog = m_runner ? m_runner->Dialog() : nullptr;
  return dialog && dialog->IsRunInProgress();
}

bool CProgramAssessments::RunSignals(CExpModelTask* task, const std::string& testee, const std::string& model,
                                     wxWindow* notify) {
  CEditorRunner* runner = IsRunInProgress() ? nullptr : Runner();
  return runner && runner->RunSignalsFor(task, OpenProject(), testee, model, notify);
}

bool CProgramAssessments::RunPractice(CExpModelTask* task, const std::string& testee, const std::string& model,
                                      wxWindow* notify) {
  CEditorRunner* runner = IsRunInProgress() ? nullptr : Runner();
  return runner && runner->RunPracticeFor(task, OpenProject(), testee, model, notify);
}

bool CProgramAssessments::RunTest(CExpModelTask* task, const CTesteeInfo& testee, const std::string& model,
                                  wxWindow* notify) {
  // A test run is stored: it needs the open project and a testee.
  CEditorRunner* runner = IsRunInProgress() ? nullptr : Runner();
  CProgramProject* project = OpenProject();
  if (!runner || !project) return false;
  m_testeeRecord.birthDate = testee.m_dateBirth;
  return runner->RunTestFor(task, project, testee.m_testee, &m_testeeRecord, model, notify);
}

void CProgramAssessments::AbortRun() {
  if (IsRunInProgress()) m_runner->Dialog()->AbortRun();
}

// ---- dialogs -----------------------------------------------------------------------------

bool CProgramAssessments::NewTestee(wxWindow* parent, std::string* testee, bool* usersAdded) {
  CProgramProject* project = OpenProject();
  if (!project || !testee || !usersAdded) return false;
  CDlgTestee dialog(parent, project, RecordMode::kNew, NewTesteeRecord());
  if (dialog.ShowModal() != wxID_OK) return false;
  const CTesteeInfo record = dialog.Record();
  bool added = false;
  if (!project->Project().WriteTestee(record, g_LoggedUser, &added, false, false)) return false;
  *testee = record.m_testee;
  *usersAdded = added;
  return true;
}

bool CProgramAssessments::SearchTestee(wxWindow* parent, std::string* selected) {
  CProgramProject* project = m_sources.project ? m_sources.project() : nullptr;
  if (!project || !selected) return false;
  CTesteeSearchOptions options;
  options.treeFilter = true;
  options.marking = true;
  options.selectOne = true;
  CDlgTesteeSearch dialog(parent, project, std::string(), nullptr, options);
  if (dialog.ShowModal() != wxID_OK || dialog.GetSelectedId().empty()) return false;
  *selected = dialog.GetSelectedId();
  return true;
}

void CProgramAssessments::ViewTestee(wxWindow* parent, const CTesteeInfo& testee) {
  CProgramProject* project = OpenProject();
  if (!project) return;
  CDlgTestee dialog(parent, project, RecordMode::kView, testee);
  dialog.ShowModal();
}

void CProgramAssessments::ViewModel(wxWindow* parent, const std::string& model) {
  CProgramProject* project = OpenProject();
  if (!project) return;
  // A copy read from the project, discarded afterwards.
  CExpModel copy;
  if (!project->Project().ReadModel(model, &copy)) return;
  RunModelEditor(parent, copy, false);
}

void CProgramAssessments::RunModelEditor(wxWindow* parent, CExpModel& model, bool canRun) {
  EditorServices services;
  for (int i = 0; i < GetTaskLibraryCount(); ++i) services.libraries.push_back(GetTaskLibrary(i));
  services.runData = m_sources.runData ? m_sources.runData() : nullptr;
  services.host = m_sources.host ? m_sources.host() : nullptr;
  CDlgModel dialog(parent, &model, canRun, services);
  dialog.ShowModal();
}

void CProgramAssessments::ShowScore(wxWindow* parent, const std::string& testee, const std::string& model,
                                    const std::string& task, uint32_t assessment, int part,
                                    const std::string& addition) {
  CProgramProject* project = OpenProject();
  if (!project) return;
  CProjectScoreStore store(project->Project());
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {testee, model, task, assessment};
  saved.partFilter = part;
  CDlgScore dialog(parent, std::make_unique<CScoreDocument>(saved, LoggedScoreUser()));
  AddToCaption(&dialog, addition);
  dialog.ShowModal();
}

bool CProgramAssessments::RebuildScore(wxWindow* parent, const CTesteeInfo& testee, const std::string& model,
                                       CExpModelTask* task, RebuiltScore* out) {
  CProgramProject* program = OpenProject();
  CTaskRunData* runData = m_sources.runData ? m_sources.runData() : nullptr;
  if (!program || !runData || !task || !task->library || !out || IsRunInProgress()) return false;
  CQelProject& project = program->Project();
  const std::string& name = testee.m_testee;
  const std::string& code = task->TaskIdStr;
  const uint32_t assessment = task->currentAssessment;

  // The score as it stands, and when it was saved.
  QelDateTime birthDate = QelDateTime::Null();
  int32_t preference = 0;
  int32_t sex = 0;
  if (project.ReadVariablesAsOf(name, model, code, assessment, nullptr, &birthDate, &preference, &sex) <= 0) {
    return false;
  }
  const QelDateTime savedDate = project.GetSavedDate();

  // Its responses, every part, into the run data; the current part must have trials.
  project.AttachRunData(runData);
  // The rows of the stored variables (names, formats, labels) are the task's own plug-in's.
  project.SetScoreVariableTable(task->library);
  if (!project.ReadResponses(name, model, task, assessment, 1, task->GetPartCount(), nullptr, true)) return false;
  if (task->GetCurrentPartTrialCount() == 0) return false;

  // The plug-in computes the variables as after a test run of this testee.
  task->PrepareRun(runData);
  runData->SetTask(task);
  m_testeeRecord.birthDate = testee.m_dateBirth;
  runData->testee = &m_testeeRecord;
  runData->normTableSwitch = 0;
  runData->testDate = project.GetAssessmentDate();
  runData->resultWord = 0;
  runData->variableCount = 0;
  runData->ClearValues();
  int32_t result = -1;
  ITaskRunData* computed = runData;
  if (!task->library->CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(computed), 0, 0, &result)) {
    result = -1;
  }
  if (result < 0) return false;
  runData->variableCount = result;

  CProjectScoreStore store(project);
  CScoreDocument::Computed shown;
  shown.runData = runData;
  shown.store = &store;
  shown.testee = name;
  shown.model = model;
  shown.task = task;
  shown.partFilter = 0;
  shown.maySave = true;
  shown.practice = false;
  CDlgScore dialog(parent, std::make_unique<CScoreDocument>(shown, LoggedScoreUser()));
  AddToCaption(&dialog, "was saved " + FormatDateTimeLocale(savedDate) +
                            ", recalculated and destined for new saving!");
  if (dialog.ShowModal() != wxID_OK) return false;

  out->outdatedBefore = static_cast<int>(project.GetOutdatedScoreCount(name.c_str()));
  bool usersAdded = false;
  if (!project.WriteVariables(name, model, code, assessment, g_LoggedUser, &usersAdded, result)) return false;
  out->usersAdded = usersAdded;
  out->outdatedAfter = static_cast<int>(project.GetOutdatedScoreCount(name.c_str()));
  return true;
}

}  // namespace qel

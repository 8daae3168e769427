#include "app/ui/ProgramPageServices.h"

#include "admin/TesteeForms.h"
#include "admin/ui/DlgHistory.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeCode.h"
#include "admin/ui/DlgTesteeSearch.h"
#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "project/TesteeInfo.h"

namespace qel {

namespace {

CProgramProject* ProgramProjectObject() { return dynamic_cast<CProgramProject*>(GetProgramProject()); }

}  // namespace

CProgramPageServices::CProgramPageServices(ProjectSource source)
    : m_source(source ? std::move(source) : ProjectSource(ProgramProjectObject)) {}

CProgramProject* CProgramPageServices::OpenProject() const {
  CProgramProject* project = m_source();
  return project && project->IsOpen() ? project : nullptr;
}

const CProjectData* CProgramPageServices::GetProjectData() {
  CProgramProject* project = OpenProject();
  return project ? &project->GetData() : nullptr;
}

bool CProgramPageServices::EditTesteeCode(wxWindow* parent, std::string* code, bool* usersAdded) {
  if (usersAdded) *usersAdded = false;
  CProgramProject* project = OpenProject();
  if (!project || !code) return false;
  const bool isNew = code->empty();
  CTesteeCodeInfo record;
  // A failed read is reported by the project object.
  if (!isNew && !project->Project().ReadTesteeCode(*code, &record)) return false;
  // A stored code is only shown: it is never edited again.
  CDlgTesteeCode dialog(parent, isNew ? RecordMode::kNew : RecordMode::kView, record);
  if (dialog.ShowModal() != wxID_OK) return false;
  bool added = false;
  if (!project->Project().WriteTesteeCode(dialog.Record(), g_LoggedUser, &added, !isNew)) return false;
  *code = dialog.Record().m_code;
  if (usersAdded) *usersAdded = added;
  return true;
}

bool CProgramPageServices::EditTestee(wxWindow* parent, std::string* testee, bool* usersAdded, bool* datesChanged) {
  if (usersAdded) *usersAdded = false;
  if (datesChanged) *datesChanged = false;
  CProgramProject* project = OpenProject();
  if (!project || !testee) return false;
  const bool isNew = testee->empty();
  CTesteeInfo before = NewTesteeRecord();
  if (!isNew && !project->Project().ReadTestee(*testee, &before)) return false;
  CDlgTestee dialog(parent, project, isNew ? RecordMode::kNew : RecordMode::kEdit, before);
  dialog.SetChangesOpener([project](wxWindow* owner, const std::string& id) {
    CDlgTesteeUpdates updates(owner, project, id);
    updates.ShowModal();
  });
  if (dialog.ShowModal() != wxID_OK) return false;
  const CTesteeInfo& after = dialog.Record();
  const CTesteeEdit edit = CompareTesteeEdit(before, after);
  // Saving an unchanged testee would only replace who wrote it last and when.
  if (!isNew && !edit.changed) return false;
  bool added = false;
  // An audited project keeps the row as it stood before every change, not
  // only before a change of the birth date or the preference: the comment
  // and the names are part of its record too.
  if (!project->Project().WriteTestee(after, g_LoggedUser, &added, !isNew, !isNew)) return false;
  *testee = after.m_testee;
  if (usersAdded) *usersAdded = added;
  if (datesChanged) *datesChanged = edit.datesChanged;
  return true;
}

bool CProgramPageServices::SearchTestee(wxWindow* parent, CListCtrlQel* markList, std::string* selected) {
  CProgramProject* project = OpenProject();
  if (!project || !selected) return false;
  CTesteeSearchOptions options;
  options.treeFilter = true;
  options.marking = true;
  options.selectOne = true;
  CDlgTesteeSearch dialog(parent, project, std::string(), markList, options);
  if (dialog.ShowModal() != wxID_OK) return false;
  *selected = dialog.GetSelectedId();
  return true;
}

void CProgramPageServices::ShowTesteeHistory(wxWindow* parent) {
  CProgramProject* project = OpenProject();
  if (project) ShowTesteesOf(parent, *project, true);
}

void CProgramPageServices::ShowTesteesOf(wxWindow* parent, IHistoryProject& project, bool history) {
  CDlgTesteeHistory dialog(parent, &project, std::string(), history);
  dialog.ShowModal();
}

void CProgramPageServices::ShowTesteeChanges(wxWindow* parent, const std::string& testee) {
  CProgramProject* project = OpenProject();
  if (!project || testee.empty()) return;
  CDlgTesteeUpdates dialog(parent, project, testee);
  dialog.ShowModal();
}

void CProgramPageServices::ShowAssessments(wxWindow* parent, bool history, const std::string& testee,
                                           const std::string& model, const std::string& task) {
  CProgramProject* project = OpenProject();
  if (project) ShowAssessmentsOf(parent, *project, history, testee, model, task);
}

void CProgramPageServices::ShowAssessmentsOf(wxWindow* parent, IHistoryProject& project, bool history,
                                             const std::string& testee, const std::string& model,
                                             const std::string& task) {
  CDlgAssessmentHistory dialog(parent, &project, history, testee, model, task);
  dialog.ShowModal();
}

void CProgramPageServices::ShowScores(wxWindow* parent, bool history, const std::string& testee,
                                      const std::string& model, const std::string& task) {
  CProgramProject* project = OpenProject();
  if (project) ShowScoresOf(parent, *project, history, testee, model, task, m_scoreViewer);
}

void CProgramPageServices::ShowScoresOf(wxWindow* parent, IHistoryProject& project, bool history,
                                        const std::string& testee, const std::string& model, const std::string& task,
                                        const ScoreViewer& viewer) {
  CDlgScoreHistory dialog(parent, &project, history, testee, model, task, viewer);
  dialog.ShowModal();
}

}  // namespace qel

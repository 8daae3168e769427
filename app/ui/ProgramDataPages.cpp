#include "app/ui/ProgramDataPages.h"

#include <memory>

#include "admin/ui/DlgTesteeSearch.h"
#include "app/services/ProgramServices.h"
#include "scores/ProjectScoreStore.h"
#include "app/startup/AppStartup.h"
#include "project/QelProject.h"
#include "scores/ScoreDocument.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreExport.h"
#include "ui/RawResponseExport.h"

namespace qel {

CQelProject* CProgramDataPages::OpenProject() {
  auto* program = dynamic_cast<CProgramProject*>(GetProgramProject());
  if (!program || !program->IsOpen()) return nullptr;
  return &program->Project();
}

const CProjectData* CProgramDataPages::GetProjectData() { return OpenProject(); }

IAdminProject* CProgramDataPages::GetProject() {
  IDocProject* program = OpenProject() ? GetProgramProject() : nullptr;
  return program ? program->GetAdminProject() : nullptr;
}

void CProgramDataPages::ShowSavedScore(wxWindow* parent, const DataPageScore& score) {
  CQelProject* project = OpenProject();
  if (project) ViewStoredScore(parent, *project, score, nullptr);
}

void CProgramDataPages::ViewStoredScore(wxWindow* parent, CQelProject& project, const DataPageScore& score,
                                        const QelDateTime* asOf) {
  CProjectScoreStore store(project);
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {score.testee, score.model, score.task, score.assessment};
  saved.asOf = asOf;
  ScoreUser user;
  user.id = GetCurrentUserId();
  user.firstName = GetCurrentUserFirstName();
  user.surname = GetCurrentUserSurname();
  user.cfrMode = kCfrMode;
  CDlgScore dialog(parent, std::make_unique<CScoreDocument>(saved, user));
  dialog.ShowModal();
}

bool CProgramDataPages::SearchTestee(wxWindow* parent, IAdminProject* project, CListCtrlQel* markList,
                                     const CTesteeSearchOptions& options, std::string* selected) {
  if (!project) return false;
  CDlgTesteeSearch dialog(parent, project, std::string(), markList, options);
  if (dialog.ShowModal() != wxID_OK) return false;
  if (selected) *selected = dialog.GetSelectedId();
  return true;
}

void CProgramDataPages::ShowAssessments(wxWindow* parent, const DataPageScore& filter) {
  if (m_assessments && OpenProject()) m_assessments(parent, filter);
}

void CProgramDataPages::ShowScoreHistory(wxWindow* parent, const DataPageScore& filter) {
  if (m_scoreHistory && OpenProject()) m_scoreHistory(parent, filter);
}

bool CProgramDataPages::ExportRawResponses(const std::string& path, const DataPageScore& score) {
  CQelProject* project = OpenProject();
  if (!project) return false;
  return qel::ExportRawResponses(path, *project, score, kCfrMode && project->IsOpenCfr());
}

bool CProgramDataPages::ExportScores(wxWindow* parent, const std::vector<std::string>& testees,
                                     const std::string& model, const std::string& task,
                                     ScoreExportSettings* settings) {
  CQelProject* project = OpenProject();
  if (!project || !settings) return false;
  CProjectScoreStore store(*project);
  CDlgScoreExport dialog(parent, store, testees, model, task);
  dialog.SetTarget(settings->path, settings->type);
  ScoreExportOptions options = dialog.GetOptions();
  options.noTesteeName = settings->noTesteeName;
  dialog.SetOptions(options);
  if (dialog.ShowModal() != wxID_OK) return false;
  settings->path = dialog.GetPath();
  settings->type = dialog.GetType();
  settings->noTesteeName = dialog.GetOptions().noTesteeName;
  return true;
}

}  // namespace qel

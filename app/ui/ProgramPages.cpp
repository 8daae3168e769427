#include "app/ui/ProgramPages.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/docview.h>
#include <wx/stdpaths.h>

#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelProgram.h"
#include "common/Prompt.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskPar.h"
#include "editors/ui/EditorServices.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/TaskLibrary.h"
#include "project/QelProject.h"
#include "ui/ui/ChooserFit.h"

namespace qel {

namespace {

// The program's project object (null before one is made).
CQelProject* WorkingProject() {
  auto* project = dynamic_cast<CProgramProject*>(GetProgramProject());
  return project ? &project->Project() : nullptr;
}

bool NewDocument() {
  CQelProgram* program = GetProgram();
  wxDocManager* manager = program ? program->GetDocManager() : nullptr;
  return manager && manager->CreateNewDocument() != nullptr;
}

}  // namespace

// ---- the editors --------------------------------------------------------------------------

bool CProgramEditorRuns::IsRunActive() const { return IsAnyRunInProgress(); }

bool CProgramEditorRuns::RunSignals(CExpModelTask* task, const std::string& modelName, wxWindow* notify) {
  CQelProgram* program = GetProgram();
  return program && program->RunTaskSignals(task, nullptr, nullptr, modelName.c_str(), notify);
}

bool CProgramEditorRuns::RunPractice(CExpModelTask* task, const std::string& modelName, wxWindow* notify) {
  CQelProgram* program = GetProgram();
  return program && program->RunTaskPractice(task, nullptr, nullptr, modelName.c_str(), notify);
}

void CProgramEditorRuns::AbortRun() {
  if (CQelProgram* program = GetProgram()) program->AbortTaskRun();
}

EditorServices ProgramEditorServices(IEditorRuns* runs) {
  EditorServices services;
  for (int i = 0; i < GetTaskLibraryCount(); ++i) {
    if (CTaskLibrary* library = GetTaskLibrary(i)) services.libraries.push_back(library);
  }
  if (CQelProgram* program = GetProgram()) {
    services.runData = &program->RunData();
    services.host = &program->Host();
  }
  services.runs = runs;
  return services;
}

bool RunProgramModelEditor(wxWindow* parent, CExpModel* model, IEditorRuns* runs) {
  if (!model) return false;
  BindModelTasks(model);
  const EditorServices services = ProgramEditorServices(runs);
  CDlgModel dialog(parent, model, true, services);
  return dialog.ShowModal() == wxID_OK;
}

bool RunProgramTaskDialog(wxWindow* parent, CExpModelTask* task, const std::string& modelName, IEditorRuns* runs) {
  if (!task) return false;
  const EditorServices services = ProgramEditorServices(runs);
  CDlgTaskPar dialog(parent, task, modelName, true, services);
  return dialog.ShowModal() == wxID_OK;
}

// ---- the Models page ----------------------------------------------------------------------

const CProjectData* CProgramModelsPage::GetProjectData() {
  CQelProject* project = WorkingProject();
  return project && project->IsOpen() ? &project->GetData() : nullptr;
}

bool CProgramModelsPage::ReadModel(const std::string& name, CExpModel* model) {
  CQelProject* project = WorkingProject();
  if (!project || !model || !project->ReadModel(name, model)) return false;
  BindModelTasks(model);
  return true;
}

bool CProgramModelsPage::WriteModel(const CExpModel& model, bool* usersAdded) {
  CQelProject* project = WorkingProject();
  return project && project->WriteModel(&model, g_LoggedUser, usersAdded);
}

bool CProgramModelsPage::EditModel(wxWindow* parent, CExpModel* model) {
  return RunProgramModelEditor(parent, model, &m_runs);
}

bool CProgramModelsPage::EditTask(wxWindow* parent, CExpModelTask* task, const std::string& modelName) {
  return RunProgramTaskDialog(parent, task, modelName, &m_runs);
}

bool CProgramModelsPage::NewModelFile() { return NewDocument(); }

bool CProgramModelsPage::OpenModelFile(const std::string& path) {
  CQelProgram* program = GetProgram();
  return program && program->OpenModelFile(path);
}

// ---- the Projects page --------------------------------------------------------------------

bool CProgramProjectProbe::Check(const std::string& path, CProjectFileFacts* facts) {
  CQelProject project(m_tasks);
  project.SetPath(path.c_str());
  const bool ok = project.Check(path, false);
  facts->passwordRequired = project.IsPasswordRequired();
  facts->cfr = project.IsCfr();
  return ok;
}

bool CProgramProjectProbe::Open(const std::string& path, CProjectFileFacts* facts) {
  CQelProject project(m_tasks);
  project.SetPath(path.c_str());
  const bool ok = project.Open(path, false, false);
  facts->passwordRequired = project.IsPasswordRequired();
  facts->cfr = project.IsCfr();
  if (!ok) return false;
  facts->versionText = project.GetVersionText();
  facts->testees = static_cast<uint32_t>(project.GetTesteeCount());
  facts->models = static_cast<uint32_t>(project.GetModelCount());
  facts->tasks = static_cast<uint32_t>(project.GetModelTaskTotal());
  facts->scores = project.GetScoreTotal();
  facts->user = project.IsCfr() ? project.GetCreationUser() : project.GetOwner();
  facts->date = project.GetCreationDate();
  facts->comment = project.GetOwnerComment();
  return true;
}

std::string CProgramProjectsPage::ReadWorkingFolder() {
  CQelProgram* program = GetProgram();
  return program ? program->Settings().GetWorkingFolder() : std::string();
}

void CProgramProjectsPage::WriteWorkingFolder(const std::string& folder) {
  if (CQelProgram* program = GetProgram()) program->Settings().SetWorkingFolder(folder);
}

std::string CProgramProjectsPage::SharedDocumentsFolder() {
  return wxStandardPaths::Get().GetDocumentsDir().utf8_string();
}

bool CProgramProjectsPage::BrowseFolder(wxWindow* parent, const std::string& title, std::string* folder) {
  wxDirDialog dialog(parent ? parent : (wxTheApp ? wxTheApp->GetTopWindow() : nullptr),
                     wxString::FromUTF8(title.empty() ? "Select folder" : title), wxString::FromUTF8(*folder),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return false;
  const std::string chosen = dialog.GetPath().utf8_string();
  if (chosen.empty()) {
    ShowPrompt("Invalid folder selected!", "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  *folder = chosen;
  return true;
}

bool CProgramProjectsPage::RunProjectDialog(const std::string& path, int mode) {
  // The dialog works on a project object of its own for the chosen file (or,
  // without a path, for the new project): the working project stays as it is.
  CProgramProject file(nullptr);
  if (!path.empty()) file.SetPath(path);
  return qel::RunProjectDialog(&file, mode);
}

std::vector<const CTaskLibrary*> CProgramProjectsPage::GetTaskLibraries() {
  std::vector<const CTaskLibrary*> libraries;
  for (int i = 0; i < GetTaskLibraryCount(); ++i) {
    if (const CTaskLibrary* library = GetTaskLibrary(i)) libraries.push_back(library);
  }
  return libraries;
}

bool CProgramProjectsPage::EditModel(wxWindow* parent, CExpModel* model) {
  return RunProgramModelEditor(parent, model, &m_runs);
}

bool CProgramProjectsPage::NewModelFile() { return NewDocument(); }

}  // namespace qel

// What the program gives the Models and Projects pages: the project
// object's models and cache, the model editor and the task dialog on the
// program's plug-ins, task host and run dialog, the model document renewed
// or opened through the document manager, the working folder in the
// settings, the project object's look into project files and the project
// dialog. ProgramWiring installs them.
#pragma once

#include <string>
#include <vector>

#include "editors/EditorRuns.h"
#include "project/LoadedTaskLibraries.h"
#include "ui/ProjectFileRows.h"
#include "ui/ui/ModelsPageServices.h"
#include "ui/ui/ProjectsPageServices.h"

namespace qel {

struct EditorServices;

// The editors' signal and practice runs on the program's one run dialog.
class CProgramEditorRuns final : public IEditorRuns {
 public:
  bool IsRunActive() const override;
  bool RunSignals(CExpModelTask* task, const std::string& modelName, wxWindow* notify) override;
  bool RunPractice(CExpModelTask* task, const std::string& modelName, wxWindow* notify) override;
  void AbortRun() override;
};

// The editors' services in the running program: the loaded plug-ins, the
// program's run data and task host, its runs and its own texts.
EditorServices ProgramEditorServices(IEditorRuns* runs);

// The model editor and the task dialog, modal over parent; true on OK.
bool RunProgramModelEditor(wxWindow* parent, CExpModel* model, IEditorRuns* runs);
bool RunProgramTaskDialog(wxWindow* parent, CExpModelTask* task, const std::string& modelName, IEditorRuns* runs);

class CProgramModelsPage final : public IModelsPageServices {
 public:
  const CProjectData* GetProjectData() override;
  bool ReadModel(const std::string& name, CExpModel* model) override;
  bool WriteModel(const CExpModel& model, bool* usersAdded) override;
  bool EditModel(wxWindow* parent, CExpModel* model) override;
  bool EditTask(wxWindow* parent, CExpModelTask* task, const std::string& modelName) override;
  bool NewModelFile() override;
  bool OpenModelFile(const std::string& path) override;

 private:
  CProgramEditorRuns m_runs;
};

// Looks into a project file with a project object of its own, so the
// working project stays as it is.
class CProgramProjectProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string& path, CProjectFileFacts* facts) override;
  bool Open(const std::string& path, CProjectFileFacts* facts) override;

 private:
  CLoadedTaskLibraries m_tasks;
};

class CProgramProjectsPage final : public IProjectsPageServices {
 public:
  std::string ReadWorkingFolder() override;
  void WriteWorkingFolder(const std::string& folder) override;
  std::string SharedDocumentsFolder() override;
  bool BrowseFolder(wxWindow* parent, const std::string& title, std::string* folder) override;
  IProjectFileProbe* GetProjectProbe() override { return &m_probe; }
  bool RunProjectDialog(const std::string& path, int mode) override;
  std::vector<const CTaskLibrary*> GetTaskLibraries() override;
  bool EditModel(wxWindow* parent, CExpModel* model) override;
  bool NewModelFile() override;

 private:
  CProgramProjectProbe m_probe;
  CProgramEditorRuns m_runs;
};

}  // namespace qel

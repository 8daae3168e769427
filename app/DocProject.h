// The project object as the document, the main view and the pages use it:
// the working project's file, its open state and format. The project object
// implements it; the program installs a factory that makes one for the
// document. Without a factory the document has no project object and every
// command that needs one does nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace qel {

class CUserRecord;
class IAdminProject;
class IRunProject;

class IDocProject {
 public:
  virtual ~IDocProject() = default;

  virtual void SetPath(const std::string& path) = 0;
  virtual void SetPassword(const std::string& password) = 0;
  // The project file's path; empty when none.
  virtual std::string GetPath() const = 0;
  // The path's file title (no folder, no extension).
  virtual std::string GetName() const = 0;
  // True when a project path is set.
  virtual bool IsOpen() const = 0;
  // True when a path is set, the last open succeeded and the project keeps
  // the 21 CFR rules.
  virtual bool IsOpenCfr() const = 0;
  // The format's version number (4 or more: the CFR format).
  virtual int GetVersionNumber() const = 0;
  // The last open's result: 0 success, 2 file not found, 5 password needed.
  virtual int GetLastOpenResult() const = 0;
  // The same project as a run and the administration dialogs see it; null
  // when this project object offers no such view.
  virtual IRunProject* GetRunProject() { return nullptr; }
  virtual IAdminProject* GetAdminProject() { return nullptr; }
  // Adds the user to the open project's users, written by the writer's Id;
  // false when it was not written (a project object without users writes
  // nothing).
  virtual bool AddProjectUser(const CUserRecord& /*user*/, const std::string& /*writer*/) { return false; }
};

constexpr int kProjectOpenNotFound = 2;

// Modes of the project dialog.
enum ProjectDialogMode : int {
  kProjectProperties = 0,
  kProjectUsersList = 1,
  kProjectOpenBrowse = 2,
  kProjectOpenPath = 3,
  kProjectCreate = 4,
  kProjectCompact = 5,
  kProjectPassword = 6,
  kProjectConvert = 7,
};
// The project dialog on the project object in a mode; true when confirmed.
// The program installs it; without one nothing runs and the answer is false.
using ProjectDialogRunner = std::function<bool(IDocProject* project, int mode)>;
void SetProjectDialogRunner(ProjectDialogRunner runner);
bool RunProjectDialog(IDocProject* project, int mode);

using DocProjectFactory = std::function<std::unique_ptr<IDocProject>()>;
void SetDocProjectFactory(DocProjectFactory factory);
// A new project object; null without a factory.
std::unique_ptr<IDocProject> MakeDocProject();
// The program's one project object, made by the factory on first use (null
// without a factory); it outlives every document, so a new or opened model
// leaves the working project as it is. ResetProgramProject ends it.
IDocProject* GetProgramProject();
void ResetProgramProject();

}  // namespace qel

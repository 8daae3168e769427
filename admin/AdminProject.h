// What the testee, testee code, search and model dialogs need of the open
// project: its path and name, its cache, and the reading of a model. The
// project object answers it (through a small adapter); tests give a project
// of their own. The dialogs never write: their callers write the collected
// records through the project object after OK.
#pragma once

#include <string>

namespace qel {

class CExpModel;
class CProjectData;

class IAdminProject {
 public:
  // The project file's path; empty when no project is open.
  virtual std::string GetPath() const = 0;
  // The path's file title (no folder, no extension).
  virtual std::string GetName() const = 0;
  virtual const CProjectData& GetData() const = 0;
  // Reads the model with its tasks into out; read errors are reported to
  // the operator by the project itself. True on success.
  virtual bool ReadModel(const std::string& model, CExpModel* out) = 0;

 protected:
  ~IAdminProject() = default;
};

// "Project %s: %s" with the project's name and the mode text; the mode text
// alone without a project.
std::string ProjectCaption(const IAdminProject* project, const std::string& mode);

}  // namespace qel

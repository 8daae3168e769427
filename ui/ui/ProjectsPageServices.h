// What the Projects page needs of the program beyond the page base: the
// working folder kept from one run to the next, the project object's look
// into project files, the project dialog on a chosen file or for a new
// project, the loaded plug-ins, the model editor, and a new model document.
// The program installs one; without one the page lists nothing and its
// actions do nothing.
#pragma once

#include <string>
#include <vector>

class wxWindow;

namespace qel {

class CExpModel;
class CTaskLibrary;
class IProjectFileProbe;

class IProjectsPageServices {
 public:
  virtual ~IProjectsPageServices() = default;

  // The stored working folder ("" when none) and its storing.
  virtual std::string ReadWorkingFolder() = 0;
  virtual void WriteWorkingFolder(const std::string& folder) = 0;
  // The shared documents folder, the working folder of a first start.
  virtual std::string SharedDocumentsFolder() = 0;
  // A folder browser starting at the current folder; true with *folder
  // the chosen one.
  virtual bool BrowseFolder(wxWindow* parent, const std::string& title, std::string* folder) = 0;

  // How the project list looks into project files; not owned.
  virtual IProjectFileProbe* GetProjectProbe() = 0;
  // The project dialog in a mode on the project file at path, or (empty
  // path) for a new project; true when it ended with OK.
  virtual bool RunProjectDialog(const std::string& path, int mode) = 0;

  // The loaded task plug-ins, in load order.
  virtual std::vector<const CTaskLibrary*> GetTaskLibraries() = 0;
  // The model editor on the model, runs allowed; true when it ended with OK.
  virtual bool EditModel(wxWindow* parent, CExpModel* model) = 0;
  // A new, empty model document (its caller has asked about the old one).
  virtual bool NewModelFile() = 0;
};

void SetProjectsPageServices(IProjectsPageServices* services);
IProjectsPageServices* GetProjectsPageServices();

}  // namespace qel

// What the Models page needs of the program beyond the page base: the open
// project's cache, the project's models read and written by the project
// object, the model editor and the task dialog, and the model file's
// document renewed or opened. The program installs one; without one the
// page lists no project models and its actions that need them do nothing.
#pragma once

#include <string>

class wxWindow;

namespace qel {

class CExpModel;
class CExpModelTask;
class CProjectData;

class IModelsPageServices {
 public:
  virtual ~IModelsPageServices() = default;

  // The open project's cache; null when no project is open.
  virtual const CProjectData* GetProjectData() = 0;
  // The project's model of that name into *model; false when it cannot be
  // read (the project object reports why).
  virtual bool ReadModel(const std::string& name, CExpModel* model) = 0;
  // Writes the model into the project as the logged-in user; *usersAdded
  // tells whether that user joined the project's users.
  virtual bool WriteModel(const CExpModel& model, bool* usersAdded) = 0;

  // The model editor on the model, runs allowed; true when it ended with OK.
  virtual bool EditModel(wxWindow* parent, CExpModel* model) = 0;
  // The task dialog on the task of the model named, runs allowed; true on OK.
  virtual bool EditTask(wxWindow* parent, CExpModelTask* task, const std::string& modelName) = 0;

  // A new, empty model document (the document before it is closed without
  // asking: its caller has asked).
  virtual bool NewModelFile() = 0;
  // The model file at path opened as the document; false when it cannot be read.
  virtual bool OpenModelFile(const std::string& path) = 0;
};

void SetModelsPageServices(IModelsPageServices* services);
IModelsPageServices* GetModelsPageServices();

}  // namespace qel

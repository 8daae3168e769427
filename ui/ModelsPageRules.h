// Rules of the Models page that need no window: which of its controls are
// enabled or shown, its two group captions, the blinking "Save" caption,
// and the texts and refresh flags of adding the model file to the project.
#pragma once

#include <string>

#include "ui/TesteesPageRules.h"

namespace qel {

// What the Models page's controls depend on.
struct ModelsPageState {
  bool running = false;       // a test, practice or signals run is in progress
  bool loggedIn = false;      // a user is logged in
  bool cfrMode = true;        // the program keeps the 21 CFR rules
  bool ready = false;         // the project may be used (a login in an open CFR project)
  bool mayDelete = false;     // the logged-in user may delete (user type 1)
  bool modified = false;      // the document (model file) has unsaved changes
  bool hasProject = false;    // a project path is set
  bool hasFile = false;       // the model file has a path
  bool hasSelection = false;  // the current project model is on a listed row
  int taskCount = 0;          // tasks of the document's model
  int modelCount = 0;         // project models listed
  int comboCount = 0;         // entries of the recent model files
};

struct ModelsPageControls {
  bool combo = false;
  bool projectList = false;
  bool newFile = false;
  bool extract = false;
  PageButton remove;  // "Delete": shown only when it could act; it has no action
  bool taskList = false;
  bool edit = false;
  bool save = false;
  bool saveAs = false;
  bool clear = false;
  bool addToProject = false;
  std::string projectCaption;
  std::string fileCaption;
};

ModelsPageControls ModelsPageRules(const ModelsPageState& state);

// "Models in project (total %d)" when a project is open, else without the total.
std::string ProjectModelsCaption(bool hasProject, int count);
// "Current model file (tasks %d)" when the model file has a path, else without the count.
std::string ModelFileCaption(bool hasFile, int taskCount);

// The "Save" caption on a blink tick: empty on even counts, "Save" on odd ones.
std::string BlinkSaveCaption(int counter);

// Adding the model file to the project: the refusal when the project
// already holds a model of that name, the question before the write, and
// the view's refresh flags after it (models, plus users when the logged-in
// user joined the project's users).
std::string ModelAlreadyInProjectText(const std::string& projectPath, const std::string& model);
std::string AddModelQuestion(const std::string& model, const std::string& projectPath);
PageWriteNotice ModelWrittenNotice(bool usersAdded);

}  // namespace qel

#include "ui/ModelsPageRules.h"

namespace qel {

namespace {

constexpr int kFlagUsers = 1;
constexpr int kFlagModels = 8;

}  // namespace

ModelsPageControls ModelsPageRules(const ModelsPageState& s) {
  ModelsPageControls c;
  const bool mayAct = s.loggedIn || !s.cfrMode;
  const bool ok = mayAct && !s.running;
  const bool hasTasks = s.taskCount > 0;

  c.combo = ok && s.comboCount > 0;
  c.projectList = ok && s.hasProject && s.modelCount > 0;
  c.newFile = ok;
  c.extract = ok && s.hasSelection;
  c.remove.shown = c.remove.enabled = ok && s.hasSelection && s.mayDelete;
  c.taskList = ok && hasTasks;
  c.edit = ok && hasTasks;
  c.saveAs = ok && hasTasks;
  c.save = ok && s.modified;
  c.clear = ok && hasTasks;
  c.addToProject = ok && s.hasProject && s.hasFile && !s.modified && s.ready;
  c.projectCaption = ProjectModelsCaption(s.hasProject, s.modelCount);
  c.fileCaption = ModelFileCaption(s.hasFile, s.taskCount);
  return c;
}

std::string ProjectModelsCaption(bool hasProject, int count) {
  std::string text = "Models in project";
  if (hasProject) text += " (total " + std::to_string(count) + ")";
  return text;
}

std::string ModelFileCaption(bool hasFile, int taskCount) {
  std::string text = "Current model file";
  if (hasFile) text += " (tasks " + std::to_string(taskCount) + ")";
  return text;
}

std::string BlinkSaveCaption(int counter) { return counter % 2 == 0 ? std::string() : std::string("Save"); }

std::string ModelAlreadyInProjectText(const std::string& projectPath, const std::string& model) {
  return "Project \"" + projectPath + "\" \nalready contains\nmodel \"" + model + "\"!";
}

std::string AddModelQuestion(const std::string& model, const std::string& projectPath) {
  return "WARNING!\nOnce added, models can not be deleted from a project.\nADD MODEL \"" + model + "\"\nTO PROJECT \"" +
         projectPath + "\"?\n";
}

PageWriteNotice ModelWrittenNotice(bool usersAdded) {
  PageWriteNotice notice;
  notice.viewFlags = kFlagModels | (usersAdded ? kFlagUsers : 0);
  notice.treeUsers = usersAdded;
  return notice;
}

}  // namespace qel

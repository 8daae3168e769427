#include "ui/ProjectsPageRules.h"

namespace qel {

namespace {

constexpr char kSeparator = '/';

}  // namespace

ProjectsPageControls ProjectsPageRules(const ProjectsPageState& s) {
  ProjectsPageControls c;
  const bool mayAct = s.loggedIn || !s.cfrMode;
  const bool possible = !s.running && s.hasFolder;
  const bool possibleOnSelection = possible && s.hasSelection;

  c.convert.shown = s.cfrMode;
  c.convert.enabled = s.cfrMode && possibleOnSelection && s.loggedIn && !s.selectedCfr;
  c.newProject.enabled = mayAct && possible;
  c.password.enabled = mayAct && possibleOnSelection;
  c.properties.enabled = mayAct && possibleOnSelection;
  c.select.enabled = mayAct && possibleOnSelection && s.hasSelectedPath;
  c.makeModel.enabled = mayAct && !s.running && s.checkedPlugins > 0;
  c.projectList = possible && s.projectCount > 0;
  c.pluginList = mayAct && !s.running && s.pluginCount > 0;
  c.projectsCaption = ProjectsCaption(s.hasFolder, s.projectCount);
  c.pluginsCaption = PluginsCaption(s.pluginCount);
  return c;
}

std::string ProjectsCaption(bool hasFolder, int count) {
  std::string text = "Projects in working folder";
  if (hasFolder) text += " (total " + std::to_string(count) + ")";
  return text;
}

std::string PluginsCaption(int count) { return "Tasks available (total " + std::to_string(count) + ")"; }

const char* NewProjectTooltip(bool cfrMode) {
  return cfrMode ? "Create new CFR compliant Qel project (21CFR part11)" : "Create new Qel project";
}

bool MayOpenProjectOnDoubleClick(bool loggedIn, bool cfrMode, bool running) {
  return (loggedIn || !cfrMode) && !running;
}

std::string StartWorkingFolder(const std::string& stored, const std::string& sharedDocuments) {
  std::string folder = stored.empty() ? sharedDocuments : stored;
  if (!folder.empty() && folder.back() != kSeparator) folder += kSeparator;
  return folder;
}

}  // namespace qel

// Rules of the Projects page that need no window: which of its buttons are
// shown and enabled, its captions and the "New" tool tip, when a double
// click on a project may select it, and the working folder it starts with.
#pragma once

#include <string>

#include "ui/TesteesPageRules.h"

namespace qel {

// What the Projects page's controls depend on.
struct ProjectsPageState {
  bool running = false;      // a test, practice or signals run is in progress
  bool loggedIn = false;     // a user is logged in
  bool cfrMode = true;       // the program keeps the 21 CFR rules
  bool hasFolder = false;    // the working folder is set
  bool hasSelection = false;  // a project row is selected
  bool hasSelectedPath = false;  // the selected project has a path
  bool selectedCfr = false;  // the selected project is a CFR project
  int projectCount = 0;      // projects listed
  int pluginCount = 0;       // plug-ins listed
  int checkedPlugins = 0;    // plug-in rows checked
};

struct ProjectsPageControls {
  PageButton newProject, password, properties, convert, select, makeModel;
  bool projectList = false;
  bool pluginList = false;
  std::string projectsCaption;
  std::string pluginsCaption;
};

ProjectsPageControls ProjectsPageRules(const ProjectsPageState& state);

// "Projects in working folder (total %d)" when a working folder is set,
// else without the total; "Tasks available (total %d)".
std::string ProjectsCaption(bool hasFolder, int count);
std::string PluginsCaption(int count);
// The "New" button's tool tip in and out of the 21 CFR mode.
const char* NewProjectTooltip(bool cfrMode);

// A double click on a project selects it only when the operator may act
// (a user is logged in, or the program does not keep the 21 CFR rules)
// and no run is in progress.
bool MayOpenProjectOnDoubleClick(bool loggedIn, bool cfrMode, bool running);

// The working folder the page starts with: the stored one, else the
// shared documents folder; either ends with the folder separator.
std::string StartWorkingFolder(const std::string& stored, const std::string& sharedDocuments);

}  // namespace qel

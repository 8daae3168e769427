// Rules of the Export page that need no window: which of its controls are
// enabled, its group captions, and which check-box changes of its testee
// list are refused.
#pragma once

#include <string>

#include "ui/TesteesPageRules.h"

namespace qel {

// What the Export page's controls depend on.
struct ExportPageState {
  bool running = false;   // a test, practice or signals run is in progress
  bool loggedIn = false;  // a user is logged in
  bool cfrMode = true;    // the program keeps the 21 CFR rules
  bool hasPath = false;   // the working project has a path
  int testeeCount = 0;    // testees listed
  int modelCount = 0;     // models and tasks in the choosers
  int taskCount = 0;
  int scoredCount = 0;   // listed testees with a stored score for the model and task
  int checkedCount = 0;  // checked rows
};

struct ExportPageControls {
  bool testeeList = false;
  bool selectAll = false, selectGroup = false, selectOne = false, unselectAll = false;
  bool modelCombo = false, taskCombo = false;
  bool exportScore = false;
  std::string testeeCaption, modelCaption, taskCaption;
};

ExportPageControls ExportPageRules(const ExportPageState& state);

// Whether the list's request to change row's check box is refused: while
// guarded, a row of the listed testees whose testee has no stored score
// cannot take a check box.
bool RefuseExportCheck(bool guarded, int row, int testeeCount, bool rowScored);

}  // namespace qel

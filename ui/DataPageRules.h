// Rules of the Data page that need no window: which of its controls are
// shown and enabled, its group captions, and the file name it proposes for
// the raw responses of the selected score.
#pragma once

#include <cstdint>
#include <string>

#include "ui/TesteesPageRules.h"

namespace qel {

// One stored score: its testee, model, task and assessment number (0: none).
struct DataPageScore {
  std::string testee, model, task;
  uint32_t assessment = 0;
};

// What the Data page's controls depend on.
struct DataPageState {
  bool running = false;       // a test, practice or signals run is in progress
  bool loggedIn = false;      // a user is logged in
  bool cfrMode = true;        // the program keeps the 21 CFR rules
  bool userType1 = false;     // the logged-in user is of type 1
  bool open = false;          // the project is open
  bool cfrOpen = false;       // the project is an open CFR project
  bool scoreChanges = false;  // some stored score has saved versions
  bool allTestees = false;    // the "All" check boxes
  bool allModels = false;
  bool allTasks = false;
  int testeeCount = 0;  // testees, models and tasks in the choosers
  int modelCount = 0;
  int taskCount = 0;
  int scoreCount = 0;    // rows in the scores list
  int selectedRow = -1;  // the list's selected row (-1: none)
};

struct DataPageControls {
  PageButton search;        // also the testee label and combo's visibility
  PageButton testeeCombo;
  PageButton modelCombo;    // also the model label's visibility
  PageButton taskCombo;     // also the task label's and the task name's visibility
  PageButton allTestees, allModels, allTasks;
  PageButton scoreList;
  PageButton deleteOne, deleteAll;
  PageButton exportRaw, assessments;
  PageButton responsesHistory, scoresHistory;
  std::string testeeCaption, modelCaption, taskCaption, scoreCaption;
};

DataPageControls DataPageRules(const DataPageState& state);

// The proposed name of the raw response file, "R_<task>_<assessment>_<testee>"
// (without extension); a "/" of an Id becomes "_" so that the name stays a
// name in the chosen folder.
std::string RawResponseFileName(const DataPageScore& score);

}  // namespace qel

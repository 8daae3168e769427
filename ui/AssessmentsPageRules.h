// Rules of the Assessments page that need no window: which of its controls
// are enabled and shown for the operator's state, its group captions,
// the keys-mapping and version texts, and the refresh flags that follow a
// rebuilt score.
#pragma once

#include <string>

#include "ui/TesteesPageRules.h"

namespace qel {

// What the Assessments page's controls depend on.
struct AssessmentsPageState {
  bool loggedIn = false;    // a user is logged in
  bool cfrMode = true;      // the program keeps the 21 CFR rules
  bool running = false;     // a test, practice or signals run is in progress
  bool ready = false;       // the project may be used (a login in an open CFR project)
  bool open = false;        // a project object exists and its project is open
  bool hasTestee = false;   // a current testee
  bool hasModel = false;    // a current model
  bool hasTask = false;     // a current task that the page's model holds
  bool available = false;   // the current task's plug-in is loaded
  bool done = false;        // the list holds the current part and assessment number
  int testeeCount = 0;      // testees in the project
  int modelCount = 0;       // models in the project
  int taskCount = 0;        // tasks in the current model
  int partCount = 1;        // parts of the current task
  int filedCount = 0;       // assessments filed for the current part
  int leftCode = 0;         // the task host's left and right button codes
  int rightCode = 0;
};

struct AssessmentsPageControls {
  PageButton testeeCombo, modelCombo, taskCombo, list;
  PageButton findTestee, findModel, findTask, findAssessment, filterTree;
  PageButton newTestee, search, viewTestee, viewModel, viewTask;
  PageButton part;  // the part edit, spin, label and name
  PageButton instruct, practice, test, stop;
  PageButton viewScore, buildScore;
  PageButton taskAssessments, taskScores, assessment;  // the two lists and the "Ano" edit and spin
  std::string testeeCaption, modelCaption, taskCaption, assessmentCaption;
  std::string keysMapping;
};

AssessmentsPageControls AssessmentsPageRules(const AssessmentsPageState& state);

// "Current testee (total in project %d)" when open, else "Current testee";
// the same for the model, the task ("total in model") and the assessment
// ("filed %d").
std::string CurrentTesteeCaption(bool open, int count);
std::string CurrentModelCaption(bool open, int count);
std::string CurrentTaskCaption(bool open, int count);
std::string CurrentAssessmentCaption(bool open, int filed);

// Empty unless the three counts are at least 1; then "Initial keys
// mapping" for the codes 1 and 2, "Exchange keys mapping" for 2 and 1, else
// "?".
std::string KeysMappingText(int testeeCount, int modelCount, int taskCount, int leftCode, int rightCode);

// The task's version name, "<NOT AVAILABLE>" when its plug-in is not loaded.
std::string TaskVersionText(bool available, const std::string& versionName);

// The view's refresh flags after a rebuilt score was written: scores 32,
// users 1 when the logged-in user joined the project's users, testees 2
// when the tree relabelled its testees or when the testee's count of
// outdated scores went from none to some or from some to none.
int RebuiltScoreFlags(bool usersAdded, bool treeRelabelled, int outdatedBefore, int outdatedAfter);

}  // namespace qel

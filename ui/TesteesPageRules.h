// Rules of the Testees page that need no window: which of its buttons are
// shown and enabled, its group captions, and the refresh flags and tree
// codes that follow a written testee or testee code.
#pragma once

#include <string>

namespace qel {

// What the Testees page's controls depend on.
struct TesteesPageState {
  bool running = false;      // a test, practice or signals run is in progress
  bool ready = false;        // the project may be used (a login in an open CFR project)
  bool loggedIn = false;     // a user is logged in
  bool cfrMode = true;       // the program keeps the 21 CFR rules
  bool mayDelete = false;    // the logged-in user may delete (user type 1)
  bool open = false;         // the project is open
  bool cfrProject = false;   // the project is an open CFR project
  bool hasTestee = false;    // a current testee on a valid row
  bool hasCode = false;      // a current testee code on a valid row
  bool anyChanges = false;   // some testee has change-history entries
  bool testeeChanges = false;  // the current testee has change-history entries
  int testeeCount = 0;       // testees listed
  int codeCount = 0;         // testee codes listed
};

struct PageButton {
  bool shown = true;
  bool enabled = false;
};

struct TesteesPageControls {
  PageButton codeNew, codeEdit, codeDelete;
  PageButton testeeNew, testeeEdit, testeeDelete, search, filterTree;
  PageButton history, changes;
  bool codeListEnabled = false;
  bool testeeListEnabled = false;
  std::string codeCaption;
  std::string testeeCaption;
};

TesteesPageControls TesteesPageRules(const TesteesPageState& state);

// "Testee codes in project (total %d)" when the project is open, else
// without the total; the same for "Testees in project".
std::string TesteeCodesCaption(bool open, int count);
std::string TesteesCaption(bool open, int count);

// What follows a written record: the view's refresh flags (testees 2 or
// codes 4, plus users 1 when the logged-in user joined the project's users)
// and whether the tree first refreshes its users.
struct PageWriteNotice {
  int viewFlags = 0;
  bool treeUsers = false;
};
PageWriteNotice TesteeWrittenNotice(bool usersAdded);
PageWriteNotice TesteeCodeWrittenNotice(bool usersAdded);

}  // namespace qel

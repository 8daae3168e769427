// The Export page's rules: its controls by the operator's state and the
// lists, its captions, and the refused check-box changes.
#include <gtest/gtest.h>

#include "ui/ExportPageRules.h"

namespace qel {

namespace {

// A logged-in operator, no run, a project with testees, two of them with
// scores, one checked, and a model with tasks.
ExportPageState Everything() {
  ExportPageState s;
  s.loggedIn = s.hasPath = true;
  s.testeeCount = 3;
  s.modelCount = 1;
  s.taskCount = 2;
  s.scoredCount = 2;
  s.checkedCount = 1;
  return s;
}

struct Case {
  const char* name;
  void (*change)(ExportPageState&);
  bool list, select, unselect, model, task, exportScore;
};

const Case kCases[] = {
    {"everything", [](ExportPageState&) {}, true, true, true, true, true, true},
    {"run in progress", [](ExportPageState& s) { s.running = true; }, false, false, false, false, false, false},
    {"nobody logged in", [](ExportPageState& s) { s.loggedIn = false; }, false, false, false, false, false, false},
    {"plain mode, nobody logged in",
     [](ExportPageState& s) {
       s.loggedIn = false;
       s.cfrMode = false;
     },
     true, true, true, true, true, true},
    {"no project", [](ExportPageState& s) { s.hasPath = false; }, false, false, false, false, false, false},
    {"nobody scored", [](ExportPageState& s) { s.scoredCount = 0; }, true, false, true, true, true, true},
    {"nothing checked", [](ExportPageState& s) { s.checkedCount = 0; }, true, true, false, true, true, false},
    {"no testees", [](ExportPageState& s) { s.testeeCount = 0; }, false, false, false, true, true, false},
    {"no tasks", [](ExportPageState& s) { s.taskCount = 0; }, true, true, true, true, false, false},
    {"no models", [](ExportPageState& s) { s.modelCount = 0; }, true, true, true, false, true, false},
};

}  // namespace

TEST(ExportPageRules, ControlsFollowTheOperatorTheListAndTheChecks) {
  for (const Case& c : kCases) {
    ExportPageState s = Everything();
    c.change(s);
    const ExportPageControls r = ExportPageRules(s);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(r.testeeList, c.list);
    EXPECT_EQ(r.selectAll, c.select);
    EXPECT_EQ(r.selectGroup, c.select);
    EXPECT_EQ(r.selectOne, c.select);
    EXPECT_EQ(r.unselectAll, c.unselect);
    EXPECT_EQ(r.modelCombo, c.model);
    EXPECT_EQ(r.taskCombo, c.task);
    EXPECT_EQ(r.exportScore, c.exportScore);
  }
}

TEST(ExportPageRules, CaptionsCountWhileTheProjectHasAPath) {
  const ExportPageControls open = ExportPageRules(Everything());
  EXPECT_EQ(open.testeeCaption, "Testees in project (total 3)");
  EXPECT_EQ(open.modelCaption, "Model selected (total 1)");
  EXPECT_EQ(open.taskCaption, "Task selected (total 2)");
  const ExportPageControls none = ExportPageRules(ExportPageState{});
  EXPECT_EQ(none.testeeCaption, "Testees in project");
  EXPECT_EQ(none.modelCaption, "Model selected");
  EXPECT_EQ(none.taskCaption, "Task selected");
}

TEST(ExportPageRules, OnlyATesteeWithAScoreTakesACheckWhileGuarded) {
  EXPECT_TRUE(RefuseExportCheck(true, 1, 3, false));
  EXPECT_FALSE(RefuseExportCheck(true, 1, 3, true));
  // Unguarded (the page marks the rows itself) and rows beyond the testees are never refused.
  EXPECT_FALSE(RefuseExportCheck(false, 1, 3, false));
  EXPECT_FALSE(RefuseExportCheck(true, 3, 3, false));
  EXPECT_FALSE(RefuseExportCheck(true, -1, 3, false));
}

}  // namespace qel

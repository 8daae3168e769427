// The Data page's rules: which controls are shown and enabled for the
// operator's state and the "All" choices, its captions, and the proposed
// raw response file name.
#include <gtest/gtest.h>

#include "ui/DataPageRules.h"

namespace qel {

namespace {

// A logged-in type 1 user, no run, an open CFR project with saved score
// versions, something in every chooser and list, and a selected row.
DataPageState Everything() {
  DataPageState s;
  s.loggedIn = s.userType1 = s.open = s.cfrOpen = s.scoreChanges = true;
  s.testeeCount = 3;
  s.modelCount = 2;
  s.taskCount = 4;
  s.scoreCount = 5;
  s.selectedRow = 1;
  return s;
}

struct EnableCase {
  const char* name;
  void (*change)(DataPageState&);
  // Enabled: Search, testee combo, model combo, task combo, list, Export raw data, Assessments, Scores history.
  bool search, testee, model, task, list, exportRaw, assessments, history;
  // Shown: Delete, Delete all, Scores history.
  bool deleteShown, deleteAllShown, historyShown;
};

const EnableCase kEnableCases[] = {
    {"everything", [](DataPageState&) {}, true, true, true, true, true, true, true, true, true, true, true},
    {"run in progress", [](DataPageState& s) { s.running = true; }, false, false, false, false, false, false, false,
     false, false, false, true},
    {"nobody logged in", [](DataPageState& s) { s.loggedIn = false; }, false, false, false, false, false, false, false,
     false, false, false, true},
    {"plain mode, nobody logged in",
     [](DataPageState& s) {
       s.loggedIn = false;
       s.cfrMode = false;
     },
     true, true, true, true, true, true, true, false, true, true, false},
    {"project closed", [](DataPageState& s) { s.open = s.cfrOpen = false; }, false, false, false, false, false, false,
     false, false, false, false, false},
    {"plain project", [](DataPageState& s) { s.cfrOpen = false; }, true, true, true, true, true, true, true, false,
     true, true, false},
    {"no saved versions", [](DataPageState& s) { s.scoreChanges = false; }, true, true, true, true, true, true, true,
     false, true, true, false},
    {"no row selected", [](DataPageState& s) { s.selectedRow = -1; }, true, true, true, true, true, false, true, true,
     false, true, true},
    {"no scores", [](DataPageState& s) { s.scoreCount = 0; }, true, true, true, true, false, false, false, false,
     false, false, true},
    {"no tasks", [](DataPageState& s) { s.taskCount = 0; }, true, true, true, false, true, false, false, false, false,
     false, true},
    {"no testees", [](DataPageState& s) { s.testeeCount = 0; }, false, false, true, true, true, false, false, false,
     false, false, true},
    {"a type 2 user", [](DataPageState& s) { s.userType1 = false; }, true, true, true, true, true, true, true, true,
     false, false, true},
};

}  // namespace

TEST(DataPageRules, ControlsFollowTheOperatorTheProjectAndTheLists) {
  for (const EnableCase& c : kEnableCases) {
    DataPageState s = Everything();
    c.change(s);
    const DataPageControls r = DataPageRules(s);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(r.search.enabled, c.search);
    EXPECT_EQ(r.testeeCombo.enabled, c.testee);
    EXPECT_EQ(r.modelCombo.enabled, c.model);
    EXPECT_EQ(r.taskCombo.enabled, c.task);
    EXPECT_EQ(r.scoreList.enabled, c.list);
    EXPECT_EQ(r.exportRaw.enabled, c.exportRaw);
    EXPECT_EQ(r.assessments.enabled, c.assessments);
    EXPECT_EQ(r.scoresHistory.enabled, c.history);
    EXPECT_EQ(r.deleteOne.shown, c.deleteShown);
    EXPECT_EQ(r.deleteAll.shown, c.deleteAllShown);
    EXPECT_EQ(r.scoresHistory.shown, c.historyShown);
    // "Responses history" never shows.
    EXPECT_FALSE(r.responsesHistory.shown);
    EXPECT_FALSE(r.responsesHistory.enabled);
  }
}

TEST(DataPageRules, AllModelsHidesTheTaskChooserAndItsTotal) {
  DataPageState s = Everything();
  DataPageControls r = DataPageRules(s);
  EXPECT_TRUE(r.search.shown && r.testeeCombo.shown && r.modelCombo.shown && r.taskCombo.shown);
  EXPECT_TRUE(r.allTasks.enabled);
  EXPECT_EQ(r.taskCaption, "Task selected (total 4)");

  s.allModels = s.allTasks = true;
  r = DataPageRules(s);
  EXPECT_FALSE(r.modelCombo.shown);
  EXPECT_FALSE(r.taskCombo.shown);
  EXPECT_FALSE(r.allTasks.enabled);
  EXPECT_TRUE(r.allModels.enabled);
  EXPECT_EQ(r.taskCaption, "Task selected");

  s = Everything();
  s.allTasks = true;
  r = DataPageRules(s);
  EXPECT_TRUE(r.modelCombo.shown);
  EXPECT_FALSE(r.taskCombo.shown);
  s.allTestees = true;
  r = DataPageRules(s);
  EXPECT_FALSE(r.search.shown);
  EXPECT_FALSE(r.testeeCombo.shown);
}

TEST(DataPageRules, CaptionsCountWhatIsListedWhileTheProjectIsOpen) {
  const DataPageControls open = DataPageRules(Everything());
  EXPECT_EQ(open.testeeCaption, "Testee selected (total 3)");
  EXPECT_EQ(open.modelCaption, "Model selected (total 2)");
  EXPECT_EQ(open.scoreCaption, "Scores available (total 5)");
  DataPageState s;
  const DataPageControls closed = DataPageRules(s);
  EXPECT_EQ(closed.testeeCaption, "Testee selected");
  EXPECT_EQ(closed.modelCaption, "Model selected");
  EXPECT_EQ(closed.taskCaption, "Task selected");
  EXPECT_EQ(closed.scoreCaption, "Scores available");
}

TEST(DataPageRules, TheRawFileNameNamesTaskAssessmentAndTestee) {
  EXPECT_EQ(RawResponseFileName({"T01", "Motor", "TP", 3}), "R_TP_3_T01");
  EXPECT_EQ(RawResponseFileName({}), "R__0_");
  // An Id with a "/" never names another folder.
  EXPECT_EQ(RawResponseFileName({"ward/7", "Motor", "TP", 12}), "R_TP_12_ward_7");
}

}  // namespace qel

// The Assessments page's rules: which controls are enabled and shown for the
// operator's state and the current selection, the captions, the
// keys-mapping and version texts, and the flags after a rebuilt score.
#include <gtest/gtest.h>

#include "ui/AssessmentsPageRules.h"

namespace qel {

namespace {

// A logged-in operator, no run, an open project the operator may use, a
// testee, model and task with a loaded plug-in, two parts, and a new
// assessment number (not yet filed).
AssessmentsPageState Everything() {
  AssessmentsPageState s;
  s.loggedIn = s.ready = s.open = true;
  s.hasTestee = s.hasModel = s.hasTask = s.available = true;
  s.testeeCount = 3;
  s.modelCount = 2;
  s.taskCount = 4;
  s.partCount = 2;
  s.filedCount = 1;
  s.leftCode = 1;
  s.rightCode = 2;
  return s;
}

struct RunCase {
  const char* name;
  void (*change)(AssessmentsPageState&);
  // Expected enabled: Instruct (and Practice), Test, View score, Build score,
  // the testee combo, Stop (shown and enabled).
  bool instruct, test, viewScore, buildScore, testeeCombo, stop;
};

const RunCase kRunCases[] = {
    {"everything", [](AssessmentsPageState&) {}, true, true, false, false, true, false},
    {"assessment already filed", [](AssessmentsPageState& s) { s.done = true; }, true, false, true, true, true,
     false},
    {"run in progress", [](AssessmentsPageState& s) { s.running = true; }, false, false, false, false, false, true},
    {"CFR mode, nobody logged in",
     [](AssessmentsPageState& s) {
       s.loggedIn = false;
       s.ready = false;
     },
     false, false, false, false, false, false},
    {"CFR mode, nobody logged in, a run going",
     [](AssessmentsPageState& s) {
       s.loggedIn = false;
       s.running = true;
     },
     false, false, false, false, false, false},
    {"plain mode, nobody logged in",
     [](AssessmentsPageState& s) {
       s.loggedIn = false;
       s.cfrMode = false;
     },
     true, true, false, false, true, false},
    {"plug-in not loaded", [](AssessmentsPageState& s) { s.available = false; }, false, false, false, false, true,
     false},
    {"no testee", [](AssessmentsPageState& s) { s.hasTestee = false; }, true, false, false, false, true, false},
    {"no testees in the project",
     [](AssessmentsPageState& s) {
       s.hasTestee = false;
       s.testeeCount = 0;
     },
     true, false, false, false, false, false},
    {"no model", [](AssessmentsPageState& s) { s.hasModel = false; }, false, false, false, false, true, false},
    {"no task", [](AssessmentsPageState& s) { s.hasTask = false; }, false, false, false, false, true, false},
    {"project closed", [](AssessmentsPageState& s) { s.open = false; }, true, false, false, false, true, false},
    {"project not ready, filed",
     [](AssessmentsPageState& s) {
       s.ready = false;
       s.done = true;
     },
     true, false, true, false, true, false},
};

}  // namespace

TEST(AssessmentsPageRules, RunButtonsFollowTheLoginTheRunAndTheSelection) {
  for (const RunCase& rc : kRunCases) {
    AssessmentsPageState s = Everything();
    rc.change(s);
    const AssessmentsPageControls c = AssessmentsPageRules(s);
    EXPECT_EQ(c.instruct.enabled, rc.instruct) << rc.name;
    EXPECT_EQ(c.practice.enabled, rc.instruct) << rc.name;
    EXPECT_EQ(c.test.enabled, rc.test) << rc.name;
    EXPECT_EQ(c.viewScore.enabled, rc.viewScore) << rc.name;
    EXPECT_EQ(c.buildScore.enabled, rc.buildScore) << rc.name;
    EXPECT_EQ(c.testeeCombo.enabled, rc.testeeCombo) << rc.name;
    EXPECT_EQ(c.stop.enabled, rc.stop) << rc.name;
    EXPECT_EQ(c.stop.shown, rc.stop) << rc.name << ": Stop is hidden, not only disabled";
    // Every run button is always shown; only the part controls and Stop hide.
    EXPECT_TRUE(c.test.shown && c.instruct.shown && c.practice.shown) << rc.name;
  }
}

TEST(AssessmentsPageRules, WhileARunGoesOnlyStopCanBeUsed) {
  AssessmentsPageState s = Everything();
  s.running = true;
  const AssessmentsPageControls c = AssessmentsPageRules(s);
  for (const PageButton* b :
       {&c.testeeCombo, &c.modelCombo, &c.taskCombo, &c.list, &c.findTestee, &c.findModel, &c.findTask,
        &c.findAssessment, &c.filterTree, &c.newTestee, &c.search, &c.viewTestee, &c.viewModel, &c.viewTask, &c.part,
        &c.instruct, &c.practice, &c.test, &c.viewScore, &c.buildScore, &c.taskAssessments, &c.taskScores,
        &c.assessment}) {
    EXPECT_FALSE(b->enabled);
  }
  EXPECT_TRUE(c.stop.enabled);
}

TEST(AssessmentsPageRules, TreeAndTesteeButtonsNeedAnOpenProjectAndTheirItem) {
  AssessmentsPageState s = Everything();
  AssessmentsPageControls c = AssessmentsPageRules(s);
  EXPECT_TRUE(c.findTestee.enabled && c.findModel.enabled && c.findTask.enabled && c.filterTree.enabled);
  EXPECT_FALSE(c.findAssessment.enabled) << "the assessment is not filed";
  EXPECT_TRUE(c.newTestee.enabled && c.search.enabled && c.viewTestee.enabled);
  EXPECT_TRUE(c.taskAssessments.enabled && c.assessment.enabled);

  s.done = true;
  EXPECT_TRUE(AssessmentsPageRules(s).findAssessment.enabled);

  s.open = false;
  c = AssessmentsPageRules(s);
  for (const PageButton* b : {&c.findTestee, &c.findModel, &c.findTask, &c.findAssessment, &c.filterTree,
                              &c.newTestee, &c.search, &c.viewTestee, &c.list, &c.taskAssessments, &c.assessment}) {
    EXPECT_FALSE(b->enabled);
  }
  EXPECT_TRUE(c.viewModel.enabled) << "the model's view needs no open project";

  s = Everything();
  s.hasModel = false;
  c = AssessmentsPageRules(s);
  EXPECT_FALSE(c.findModel.enabled);
  EXPECT_TRUE(c.findTask.enabled);
  EXPECT_FALSE(c.part.enabled);
}

TEST(AssessmentsPageRules, PartControlsShowOnlyForTasksWithSeveralParts) {
  AssessmentsPageState s = Everything();
  EXPECT_TRUE(AssessmentsPageRules(s).part.shown);
  s.partCount = 1;
  EXPECT_FALSE(AssessmentsPageRules(s).part.shown);
  s.hasTask = false;
  EXPECT_FALSE(AssessmentsPageRules(s).part.shown);
}

TEST(AssessmentsPageRules, CaptionsCountWhenTheProjectIsOpen) {
  AssessmentsPageState s = Everything();
  AssessmentsPageControls c = AssessmentsPageRules(s);
  EXPECT_EQ(c.testeeCaption, "Current testee (total in project 3)");
  EXPECT_EQ(c.modelCaption, "Current model (total in project 2)");
  EXPECT_EQ(c.taskCaption, "Current task (total in model 4)");
  EXPECT_EQ(c.assessmentCaption, "Current assessment (filed 1)");
  s.open = false;
  c = AssessmentsPageRules(s);
  EXPECT_EQ(c.testeeCaption, "Current testee");
  EXPECT_EQ(c.modelCaption, "Current model");
  EXPECT_EQ(c.taskCaption, "Current task");
  EXPECT_EQ(c.assessmentCaption, "Current assessment");
}

TEST(AssessmentsPageRules, KeysMappingTextNeedsATesteeModelAndTask) {
  struct Case {
    int testees, models, tasks, left, right;
    const char* text;
  };
  const Case cases[] = {
      {1, 1, 1, 1, 2, "Initial keys mapping"}, {1, 1, 1, 2, 1, "Exchange keys mapping"},
      {1, 1, 1, 1, 1, "?"},                    {1, 1, 1, 0, 0, "?"},
      {0, 1, 1, 1, 2, ""},                     {1, 0, 1, 1, 2, ""},
      {1, 1, 0, 2, 1, ""},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(KeysMappingText(k.testees, k.models, k.tasks, k.left, k.right), k.text)
        << k.testees << k.models << k.tasks << " " << k.left << k.right;
  }
}

TEST(AssessmentsPageRules, AnUnloadedTaskShowsNotAvailableAsItsVersion) {
  EXPECT_EQ(TaskVersionText(true, "Standard"), "Standard");
  EXPECT_EQ(TaskVersionText(false, "Standard"), "<NOT AVAILABLE>");
}

TEST(AssessmentsPageRules, ARebuiltScoreTellsTheViewWhatChanged) {
  struct Case {
    bool users, relabelled;
    int before, after;
    int flags;
  };
  const Case cases[] = {
      {false, false, 0, 0, 32}, {true, false, 0, 0, 33}, {false, true, 0, 0, 34}, {false, false, 2, 0, 34},
      {false, false, 0, 1, 34}, {false, false, 2, 1, 32}, {true, true, 3, 0, 35},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(RebuiltScoreFlags(k.users, k.relabelled, k.before, k.after), k.flags)
        << k.users << k.relabelled << " " << k.before << "->" << k.after;
  }
}

}  // namespace qel

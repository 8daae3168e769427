// The Models page's rules: which controls are enabled for the operator's
// state and the model file, the captions, the blinking "Save", and the
// texts and flags of adding the model file to the project.
#include <gtest/gtest.h>

#include "ui/ModelsPageRules.h"

namespace qel {

namespace {

// A logged-in operator who may delete, no run, a ready project with three
// listed models and one selected, a saved model file of two tasks.
ModelsPageState Everything() {
  ModelsPageState s;
  s.loggedIn = s.ready = s.mayDelete = true;
  s.hasProject = s.hasFile = s.hasSelection = true;
  s.taskCount = 2;
  s.modelCount = 3;
  s.comboCount = 1;
  return s;
}

struct ControlCase {
  const char* name;
  void (*change)(ModelsPageState&);
  // Expected enabled: combo, project list, New, Extract, Delete (and shown), task list / Edit / Save As / Clear,
  // Save, Add to project.
  bool combo, projectList, newFile, extract, remove, tasks, save, add;
};

const ControlCase kControlCases[] = {
    {"everything", [](ModelsPageState&) {}, true, true, true, true, true, true, false, true},
    {"run in progress", [](ModelsPageState& s) { s.running = true; }, false, false, false, false, false, false, false,
     false},
    {"nobody logged in", [](ModelsPageState& s) { s.loggedIn = s.ready = false; }, false, false, false, false, false,
     false, false, false},
    {"plain mode, nobody logged in",
     [](ModelsPageState& s) {
       s.loggedIn = s.mayDelete = false;
       s.cfrMode = false;
     },
     true, true, true, true, false, true, false, true},
    {"modified model file: save first", [](ModelsPageState& s) { s.modified = true; }, true, true, true, true, true,
     true, true, false},
    {"model file without a path", [](ModelsPageState& s) { s.hasFile = false; }, true, true, true, true, true, true,
     false, false},
    {"no project", [](ModelsPageState& s) { s.hasProject = false; }, true, false, true, true, true, true, false, false},
    {"project not ready", [](ModelsPageState& s) { s.ready = false; }, true, true, true, true, true, true, false,
     false},
    {"no models listed", [](ModelsPageState& s) { s.modelCount = 0; }, true, false, true, true, true, true, false,
     true},
    {"no project model selected", [](ModelsPageState& s) { s.hasSelection = false; }, true, true, true, false, false,
     true, false, true},
    {"model without tasks", [](ModelsPageState& s) { s.taskCount = 0; }, true, true, true, true, true, false, false,
     true},
    {"no recent files", [](ModelsPageState& s) { s.comboCount = 0; }, false, true, true, true, true, true, false,
     true},
    {"user may not delete", [](ModelsPageState& s) { s.mayDelete = false; }, true, true, true, true, false, true,
     false, true},
};

}  // namespace

TEST(ModelsPageRules, ControlsFollowTheOperatorTheProjectAndTheModelFile) {
  for (const ControlCase& c : kControlCases) {
    ModelsPageState s = Everything();
    c.change(s);
    const ModelsPageControls got = ModelsPageRules(s);
    EXPECT_EQ(got.combo, c.combo) << c.name;
    EXPECT_EQ(got.projectList, c.projectList) << c.name;
    EXPECT_EQ(got.newFile, c.newFile) << c.name;
    EXPECT_EQ(got.extract, c.extract) << c.name;
    EXPECT_EQ(got.remove.shown, c.remove) << c.name;
    EXPECT_EQ(got.remove.enabled, c.remove) << c.name;
    for (bool tasks : {got.taskList, got.edit, got.saveAs, got.clear}) EXPECT_EQ(tasks, c.tasks) << c.name;
    EXPECT_EQ(got.save, c.save) << c.name;
    EXPECT_EQ(got.addToProject, c.add) << c.name;
  }
}

TEST(ModelsPageRules, CaptionsCountWhatThereIs) {
  ModelsPageState s = Everything();
  ModelsPageControls got = ModelsPageRules(s);
  EXPECT_EQ(got.projectCaption, "Models in project (total 3)");
  EXPECT_EQ(got.fileCaption, "Current model file (tasks 2)");
  s.hasProject = s.hasFile = false;
  got = ModelsPageRules(s);
  EXPECT_EQ(got.projectCaption, "Models in project");
  EXPECT_EQ(got.fileCaption, "Current model file");
  EXPECT_EQ(ProjectModelsCaption(true, 0), "Models in project (total 0)");
}

TEST(ModelsPageRules, SaveBlinksStartingEmpty) {
  EXPECT_EQ(BlinkSaveCaption(0), "");
  EXPECT_EQ(BlinkSaveCaption(1), "Save");
  EXPECT_EQ(BlinkSaveCaption(2), "");
  EXPECT_EQ(BlinkSaveCaption(7), "Save");
}

TEST(ModelsPageRules, AddingToTheProjectAsksAndTellsTheModelsAndUsers) {
  EXPECT_EQ(ModelAlreadyInProjectText("/data/Study.qep", "Screening"),
            "Project \"/data/Study.qep\" \nalready contains\nmodel \"Screening\"!");
  EXPECT_EQ(AddModelQuestion("Screening", "/data/Study.qep"),
            "WARNING!\nOnce added, models can not be deleted from a project.\nADD MODEL \"Screening\"\nTO PROJECT "
            "\"/data/Study.qep\"?\n");
  EXPECT_EQ(ModelWrittenNotice(false).viewFlags, 8);
  EXPECT_FALSE(ModelWrittenNotice(false).treeUsers);
  EXPECT_EQ(ModelWrittenNotice(true).viewFlags, 9);
  EXPECT_TRUE(ModelWrittenNotice(true).treeUsers);
}

}  // namespace qel

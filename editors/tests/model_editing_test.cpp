// The model editor's changes to a model without windows: insert, refuse a
// duplicate or a full model, delete, swap, binding by short code, the
// modified flag and the buttons' rules.
#include <gtest/gtest.h>

#include <cstring>

#include "app/model/ExpModel.h"
#include "editors/ModelEditing.h"
#include "engine/library/TaskLibrary.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace {

CExpModelTask Task(uint32_t id, const char* code) {
  CExpModelTask t;
  t.TaskId = id;
  t.TaskIdStr = code;
  t.TaskName = std::string("Task ") + code;
  t.w.TaskVersion = 1;
  return t;
}

std::vector<std::string> Codes(const CExpModel& m) {
  std::vector<std::string> codes;
  for (int i = 0; i < m.GetTaskCount(); ++i) codes.push_back(m.GetTask(i)->TaskIdStr);
  return codes;
}

class ModelEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_model.m_name = "Screening";
    m_model.m_loaded = 1;
  }
  CExpModel m_model;
  test::PromptRecorder m_prompts;
};

TEST_F(ModelEditingTest, InsertAppendsAndInsertsBefore) {
  CModelEditing edit(&m_model, {});
  EXPECT_TRUE(edit.InsertTask(0, Task(1, "AA")));
  EXPECT_TRUE(edit.InsertTask(1, Task(2, "BB")));
  EXPECT_TRUE(edit.InsertTask(1, Task(3, "CC")));
  EXPECT_TRUE(edit.InsertTask(0, Task(4, "DD")));
  EXPECT_EQ(Codes(m_model), (std::vector<std::string>{"DD", "AA", "CC", "BB"}));
  EXPECT_EQ(m_model.GetCurrentTaskIndex(), 0);
  EXPECT_TRUE(m_model.IsModified());
  EXPECT_FALSE(edit.InsertTask(6, Task(5, "EE")));  // past the end
  EXPECT_FALSE(edit.InsertTask(-1, Task(5, "EE")));
  EXPECT_EQ(m_model.GetTaskCount(), 4);
  EXPECT_TRUE(m_prompts.ShownTexts().empty());
}

TEST_F(ModelEditingTest, DuplicateTaskNumberIsRefusedWithItsMessage) {
  CModelEditing edit(&m_model, {});
  ASSERT_TRUE(edit.InsertTask(0, Task(7, "TP")));
  m_model.SetModified(false, true);
  EXPECT_FALSE(edit.InsertTask(1, Task(7, "TP2")));
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(m_prompts.ShownTexts()[0], "Task \"TP2\" already exists in model \"Screening\"!");
  EXPECT_EQ(m_model.GetTaskCount(), 1);
  EXPECT_FALSE(m_model.IsModified());
}

TEST_F(ModelEditingTest, FortyTasksAtMost) {
  CModelEditing edit(&m_model, {});
  for (uint32_t i = 0; i < 40; ++i) ASSERT_TRUE(edit.InsertTask(static_cast<int>(i), Task(i + 1, "X")));
  EXPECT_TRUE(edit.IsFull());
  EXPECT_FALSE(edit.InsertTask(40, Task(100, "Y")));
  EXPECT_FALSE(edit.InsertTask(0, Task(101, "Z")));
  EXPECT_EQ(m_model.GetTaskCount(), 40);
  EXPECT_EQ(m_model.GetTask(0)->TaskId, 1u);
}

TEST_F(ModelEditingTest, DeleteSelectsTheNextOrTheNewLast) {
  CModelEditing edit(&m_model, {});
  for (uint32_t i = 0; i < 3; ++i) edit.InsertTask(static_cast<int>(i), Task(i + 1, std::string(1, char('A' + i)).c_str()));
  m_model.m_currentIndex = 1;
  EXPECT_EQ(edit.DeleteTask(1), 1);
  EXPECT_EQ(Codes(m_model), (std::vector<std::string>{"A", "C"}));
  m_model.m_currentIndex = 1;
  EXPECT_EQ(edit.DeleteTask(1), 0);  // the last deleted: the new last
  EXPECT_EQ(Codes(m_model), (std::vector<std::string>{"A"}));
  EXPECT_EQ(edit.DeleteTask(0), -1);  // the only one: nothing to select
  EXPECT_EQ(m_model.GetTaskCount(), 0);
  EXPECT_EQ(m_model.GetCurrentTaskIndex(), -1);
  EXPECT_EQ(edit.DeleteTask(0), -1);
}

TEST_F(ModelEditingTest, SwapKeepsEveryFieldOfBothTasks) {
  CModelEditing edit(&m_model, {});
  CExpModelTask a = Task(1, "A");
  a.currentPart = 2;
  a.w.TaskSSS = 0x01320064;
  a.TaskParam[5] = 77;
  CExpModelTask b = Task(2, "B");
  b.TaskPartTrials[3] = 40;
  edit.InsertTask(0, a);
  edit.InsertTask(1, b);
  m_model.SetModified(false, true);
  EXPECT_FALSE(edit.SwapTask(0, -1));
  EXPECT_FALSE(edit.SwapTask(1, 1));
  EXPECT_FALSE(edit.SwapTask(0, 2));
  EXPECT_FALSE(m_model.IsModified());
  EXPECT_TRUE(edit.SwapTask(0, 1));
  EXPECT_EQ(Codes(m_model), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(m_model.GetTask(1)->currentPart, 2);
  EXPECT_EQ(m_model.GetTask(1)->w.TaskSSS, 0x01320064u);
  EXPECT_EQ(m_model.GetTask(1)->TaskParam[5], 77u);
  EXPECT_EQ(m_model.GetTask(0)->TaskPartTrials[3], 40u);
  EXPECT_TRUE(m_model.IsModified());
  EXPECT_TRUE(edit.SwapTask(1, -1));
  EXPECT_EQ(Codes(m_model), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ModelEditingTest, ModelNotLoadedIsNeverMarkedModified) {
  m_model.m_loaded = 0;
  CModelEditing edit(&m_model, {});
  edit.InsertTask(0, Task(1, "A"));
  edit.InsertTask(1, Task(2, "B"));
  edit.SwapTask(0, 1);
  edit.DeleteTask(0);
  EXPECT_FALSE(m_model.IsModified());
}

TEST_F(ModelEditingTest, BindsByShortCodeFromTheListGiven) {
  QelModelTask record{};
  record.TaskId = 12;
  std::memcpy(record.TaskIdStr, "MS", 2);
  CTaskLibrary library;
  library.loaded = 1;
  library.modelDefault = &record;
  library.defaultTaskType = kResponseTwoChoice;
  library.defaultTaskFlags = 0x30112;
  CModelEditing edit(&m_model, {&library});
  CExpModelTask task = Task(12, "MS");
  task.w.TaskType = 0x50000;
  ASSERT_TRUE(edit.InsertTask(0, task));
  EXPECT_EQ(m_model.GetTask(0)->library, &library);
  EXPECT_EQ(m_model.GetTask(0)->w.TaskType, 0x50002u);  // the plug-in's keys, the model's high half
  EXPECT_EQ(m_model.GetTask(0)->w.TaskFlags, 0x30112u);
  ASSERT_TRUE(edit.InsertTask(1, Task(13, "ms")));  // codes compare case-sensitively
  EXPECT_EQ(m_model.GetTask(1)->library, nullptr);
  library.loaded = 0;
  EXPECT_EQ(FindLibraryByCode({&library}, "MS"), nullptr);
}

TEST_F(ModelEditingTest, ErrorsOfTheModelOrAnyTask) {
  CModelEditing edit(&m_model, {});
  edit.InsertTask(0, Task(1, "A"));
  edit.InsertTask(1, Task(2, "B"));
  EXPECT_FALSE(edit.HasErrors());
  m_model.GetTask(1)->SetTimingError(true);
  EXPECT_TRUE(edit.HasErrors());
  m_model.GetTask(1)->SetTimingError(false);
  m_model.m_error = 1;
  EXPECT_TRUE(edit.HasErrors());
}

TEST(EditorCaptions, TaskAndPart) {
  EXPECT_EQ(CurrentTaskCaption(-1), "Current Task");
  EXPECT_EQ(CurrentTaskCaption(2), "Current Task 3");
  EXPECT_EQ(PartCaption(1, 3), "Part 1 from 3");
  EXPECT_EQ(PartCaption(1, 1), "Part");
  EXPECT_EQ(PartCaption(1, 0), "Part");
}

TEST(EditorButtons, Rules) {
  struct Case {
    const char* name;
    EditorState s;
    EditorButtons b;
  };
  auto state = [](bool loaded, bool modified, int count, int sel, bool run, bool canRun, bool libLoaded) {
    EditorState s;
    s.hasModel = true;
    s.loaded = loaded;
    s.modified = modified;
    s.taskCount = count;
    s.selected = sel;
    s.runActive = run;
    s.canRun = canRun;
    s.selectedLibraryLoaded = libLoaded;
    return s;
  };
  auto buttons = [](bool add, bool ins, bool del, bool up, bool down, bool runShown, bool runOn, bool okShown,
                    bool okOn) { return EditorButtons{add, ins, del, up, down, runShown, runOn, okShown, okOn}; };
  const Case cases[] = {
      {"empty model", state(true, false, 0, -1, false, true, false), buttons(1, 0, 0, 0, 0, 1, 0, 1, 0)},
      {"first of three", state(true, true, 3, 0, false, true, true), buttons(1, 1, 1, 0, 1, 1, 1, 1, 1)},
      {"last of three", state(true, false, 3, 2, false, false, true), buttons(1, 1, 1, 1, 0, 0, 0, 1, 0)},
      {"full", state(true, true, 40, 5, false, true, true), buttons(0, 0, 1, 1, 1, 1, 1, 1, 1)},
      {"not loaded", state(false, true, 3, 1, false, true, true), buttons(0, 0, 0, 0, 0, 1, 1, 0, 0)},
      {"run active", state(true, false, 3, 1, true, true, true), buttons(1, 1, 1, 1, 1, 1, 0, 1, 0)},
      {"plug-in missing", state(true, false, 3, 1, false, true, false), buttons(1, 1, 1, 1, 1, 1, 0, 1, 0)},
  };
  for (const Case& c : cases) {
    const EditorButtons b = ModelEditorButtons(c.s);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(b.add, c.b.add);
    EXPECT_EQ(b.insert, c.b.insert);
    EXPECT_EQ(b.remove, c.b.remove);
    EXPECT_EQ(b.moveUp, c.b.moveUp);
    EXPECT_EQ(b.moveDown, c.b.moveDown);
    EXPECT_EQ(b.runShown, c.b.runShown);
    EXPECT_EQ(b.runEnabled, c.b.runEnabled);
    EXPECT_EQ(b.okShown, c.b.okShown);
    EXPECT_EQ(b.okEnabled, c.b.okEnabled);
  }
  EditorState canEdit = state(true, false, 2, 0, false, true, true);
  canEdit.canEdit = false;  // a page's device test holds the run buttons
  EXPECT_FALSE(ModelEditorButtons(canEdit).runEnabled);
}

TEST(EditorMessages, Texts) {
  EXPECT_EQ(DeleteTaskQuestion("Tapping", "M1"), "Task \"Tapping\"\r\nmodel \"M1\".\r\nDELETE task from model?\n");
  EXPECT_EQ(ModelErrorsQuestion("M1"), "Model \"M1\" has errors in parameters!\r\nApply changes in the model?");
  EXPECT_EQ(ApplyModelQuestion("M1"), "Apply changes in the model?\nM1");
  EXPECT_EQ(TaskErrorsQuestion("Tapping"), "Task \"Tapping\" has errors in parameters!\r\nApply changes in the task?");
  EXPECT_EQ(ApplyTaskQuestion("Tapping"), "Apply changes in the task?\n\"Tapping\"");
}

}  // namespace

}  // namespace qel

// Binding model tasks to the loaded plug-ins by short code.
#include <gtest/gtest.h>

#include "app/model/ExpModel.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/tests/TestHook.h"

namespace qel {

namespace {

using test::PluginFolder;
using test::PluginScript;

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PluginScript::Get().Reset();
    m_folder.AddPlugin("Good", "QelA.qet");
    m_folder.AddPlugin("Other", "QelB.qet");
    SetTaskFolder((m_folder.FolderText() + "Qel").c_str());
    ASSERT_EQ(FindTaskLibraries(nullptr), 2);
  }
  void TearDown() override {
    UnloadTaskLibraries();
    PluginScript::Get().Reset();
  }
  PluginFolder m_folder;
};

TEST_F(BindingTest, BoundTaskTakesThePluginsTypeLowHalfFlagsAndInterruptions) {
  CExpModelTask task;
  task.TaskIdStr = "EG";
  task.w.TaskType = 0xABCD0001u;
  task.w.TaskFlags = 0x1;
  task.w.TaskIntrAfterTrials = 99;
  task.w.TaskIntrContinue = 99;
  task.w.TaskIntrReplaceTrial = 99;
  task.w.TaskIntrDummyTrials = 99;
  task.w.TaskSSS = 77;
  BindModelTask(&task);
  EXPECT_EQ(task.library, GetTaskLibrary(0));
  EXPECT_EQ(task.w.TaskType, 0xABCD0002u);
  EXPECT_EQ(task.w.TaskFlags, kTaskFlagSecondPart | kTaskFlagSwapKeys);
  EXPECT_EQ(task.w.TaskIntrAfterTrials, 3u);
  EXPECT_EQ(task.w.TaskIntrContinue, kContinueDummyTrials);
  EXPECT_EQ(task.w.TaskIntrReplaceTrial, kReplaceRotateDiagonally);
  // The dummy-trial count and the other words stay the model's.
  EXPECT_EQ(task.w.TaskIntrDummyTrials, 99u);
  EXPECT_EQ(task.w.TaskSSS, 77u);
}

TEST_F(BindingTest, ItFollowsThePluginsCurrentDefaults) {
  GetTaskLibrary(1)->defaultTaskType = 0x12340002u;  // only the low half is taken
  GetTaskLibrary(1)->defaultTaskFlags = kTaskFlagSelfTimed;
  CExpModelTask task;
  task.TaskIdStr = "EO";
  task.w.TaskType = 0x00050001u;
  BindModelTask(&task);
  EXPECT_EQ(task.library, GetTaskLibrary(1));
  EXPECT_EQ(task.w.TaskType, 0x00050002u);
  EXPECT_EQ(task.w.TaskFlags, kTaskFlagSelfTimed);
}

TEST_F(BindingTest, UnknownCodeUnbindsAndLeavesTheWords) {
  CExpModelTask task;
  task.TaskIdStr = "EG";
  BindModelTask(&task);
  ASSERT_NE(task.library, nullptr);
  for (const char* code : {"eg", "XX", ""}) {
    SCOPED_TRACE(code);
    task.TaskIdStr = code;
    task.w.TaskType = 0xABCD0001u;
    task.w.TaskFlags = 5;
    BindModelTask(&task);
    EXPECT_EQ(task.library, nullptr);
    EXPECT_EQ(task.w.TaskType, 0xABCD0001u);
    EXPECT_EQ(task.w.TaskFlags, 5u);
  }
  BindModelTask(nullptr);
}

CExpModelTask TaskWithCode(const char* code) {
  CExpModelTask task;
  task.TaskIdStr = code;
  task.TaskName = code;
  return task;
}

TEST_F(BindingTest, BindModelTasksBindsEveryTaskOfTheModel) {
  CExpModel model;
  ASSERT_EQ(model.AddTask(TaskWithCode("EG")), 0);
  ASSERT_EQ(model.AddTask(TaskWithCode("XX")), 1);
  ASSERT_EQ(model.AddTask(TaskWithCode("EO")), 2);
  model.m_tasks[1].library = GetTaskLibrary(0);  // a stale binding is replaced
  model.m_tasks[3].TaskIdStr = "EG";             // beyond the count: not a task of the model
  BindModelTasks(&model);
  EXPECT_EQ(model.m_tasks[0].library, GetTaskLibrary(0));
  EXPECT_EQ(model.m_tasks[1].library, nullptr);
  EXPECT_EQ(model.m_tasks[2].library, GetTaskLibrary(1));
  EXPECT_EQ(model.m_tasks[3].library, nullptr);
  EXPECT_EQ(ResponseTypeOf(model.m_tasks[0].w.TaskType), kResponseTwoChoice);
  EXPECT_EQ(ResponseTypeOf(model.m_tasks[2].w.TaskType), kResponseSingle);
  EXPECT_TRUE(model.m_tasks[0].IsLibraryLoaded());
  EXPECT_EQ(model.m_tasks[0].GetPartCount(), 2);
  BindModelTasks(nullptr);
}

TEST_F(BindingTest, BindModelTaskAtBindsOnlyTasksOfTheModel) {
  CExpModel model;
  ASSERT_EQ(model.AddTask(TaskWithCode("EO")), 0);
  ASSERT_EQ(model.AddTask(TaskWithCode("EG")), 1);
  model.m_tasks[2].TaskIdStr = "EG";
  BindModelTaskAt(&model, 1);
  EXPECT_EQ(model.m_tasks[0].library, nullptr);
  EXPECT_EQ(model.m_tasks[1].library, GetTaskLibrary(0));
  BindModelTaskAt(&model, 2);
  BindModelTaskAt(&model, -1);
  BindModelTaskAt(&model, kMaxModelTasks);
  BindModelTaskAt(nullptr, 0);
  EXPECT_EQ(model.m_tasks[0].library, nullptr);
  EXPECT_EQ(model.m_tasks[2].library, nullptr);
  BindModelTaskAt(&model, 0);
  EXPECT_EQ(model.m_tasks[0].library, GetTaskLibrary(1));
}

}  // namespace

}  // namespace qel

// Binding model tasks to the loaded plug-ins by short code.
#include <gtest/gtest.h>

#include "TestHook.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"

namespace {

using englib::PluginScript;
using englib::TempFolder;

// Only the interface's fields matter to the binding.
class BareTask : public IExpModelTask {
 public:
  QelResModule UseLibraryResources() override { return nullptr; }
  bool IsLibraryLoaded() const override { return false; }
  int GetLibraryTaskWord() const override { return 0; }
  int GetPartTableEntry(bool, int) const override { return 0; }
  int GetThirdPartTableEntry(bool, int) const override { return -1; }
  uint32_t GetPartTrials(int) const override { return 0; }
  uint32_t GetCurrentPartTrials() const override { return 0; }
};

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PluginScript::Get().Reset();
    folder_.AddPlugin("Good", "QelA.qet");
    folder_.AddPlugin("Other", "QelB.qet");
    SetTaskFolder((folder_.FolderText() + "Qel").c_str());
    ASSERT_EQ(FindTaskLibraries(nullptr), 2);
  }
  void TearDown() override {
    UnloadTaskLibraries();
    PluginScript::Get().Reset();
  }
  TempFolder folder_;
};

TEST_F(BindingTest, BoundTaskTakesThePluginsTypeLowHalfFlagsAndInterruptions) {
  BareTask task;
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
  EXPECT_EQ(task.w.TaskFlags, 0x8100u);
  EXPECT_EQ(task.w.TaskIntrAfterTrials, 3u);
  EXPECT_EQ(task.w.TaskIntrContinue, 1u);
  EXPECT_EQ(task.w.TaskIntrReplaceTrial, 2u);
  // The dummy-trial count and the other words stay the model's.
  EXPECT_EQ(task.w.TaskIntrDummyTrials, 99u);
  EXPECT_EQ(task.w.TaskSSS, 77u);
}

TEST_F(BindingTest, ItFollowsThePluginsCurrentDefaults) {
  GetTaskLibrary(1)->defaultTaskType = 0x12340002u;  // only the low half is taken
  GetTaskLibrary(1)->defaultTaskFlags = 0x1000;
  BareTask task;
  task.TaskIdStr = "EO";
  task.w.TaskType = 0x00050001u;
  BindModelTask(&task);
  EXPECT_EQ(task.library, GetTaskLibrary(1));
  EXPECT_EQ(task.w.TaskType, 0x00050002u);
  EXPECT_EQ(task.w.TaskFlags, 0x1000u);
}

TEST_F(BindingTest, UnknownCodeUnbindsAndLeavesTheWords) {
  BareTask task;
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

}  // namespace

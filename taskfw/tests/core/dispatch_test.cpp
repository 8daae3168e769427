// Command numbers reach the right operation; boolean and value commands
// behave as the entry function promises.
#include <gtest/gtest.h>

#include <vector>

#include "include/qel/TaskEntry.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

// Every command-reachable slot records its number and answers 100 + slot
// (value slots) or true (boolean slots).
class SlotRecorder final : public CTaskBase {
 public:
  std::vector<int> m_slots;
  intptr_t m_args[3] = {0, 0, 0};

  bool Hit(int slot, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0) {
    m_slots.push_back(slot);
    m_args[0] = a;
    m_args[1] = b;
    m_args[2] = c;
    return true;
  }
  int32_t Value(int slot, intptr_t a = 0, intptr_t b = 0) {
    Hit(slot, a, b);
    return 100 + slot;
  }

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override { return Hit(3, reinterpret_cast<intptr_t>(dc), a, b); }
  bool GetInfo(int type, int kind, int index, int32_t* out) override {
    if (out) *out = 106;
    return Hit(6, type, kind, index);
  }
  bool Init(ITaskLibrary* r) override { return Hit(7, reinterpret_cast<intptr_t>(r)); }
  bool SetupRun(IExpModelTask* t, intptr_t v) override { return Hit(8, reinterpret_cast<intptr_t>(t), v); }
  int32_t GetParamText(int p, int w) override { return Value(9, p, w); }
  bool OnUnload() override { return Hit(10); }
  bool BeginRun(ITaskRunData* d) override { return Hit(11, reinterpret_cast<intptr_t>(d)); }
  bool EndRun() override { return Hit(12); }
  bool ShowWarning() override { return Hit(13); }
  bool HideWarning() override { return Hit(14); }
  bool PrepareScreen(IDDDisplay* d, bool f) override { return Hit(15, reinterpret_cast<intptr_t>(d), f); }
  bool ShowSignal(const char* code, IDDDisplay* d, intptr_t c) override {
    return Hit(16, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(d), c);
  }
  bool HideSignal(int32_t code) override { return Hit(17, code); }
  int32_t OnBreakBegin() override { return Value(18); }
  int32_t OnBreakEnd() override { return Value(19); }
  int32_t GetWarningInterval() override { return Value(20); }
  int32_t GetResponse() override { return Value(21); }
  int32_t IsTrialEnded() override { return Value(22); }
  int32_t OnResponse(int32_t code, int32_t early) override { return Value(23, code, early); }
  int32_t OnNoResponse() override { return Value(24); }
  int32_t OnResponseRelease() override { return Value(25); }
  int32_t GetExtraResponseCount() override { return Value(26); }
  bool FeedbackOn() override { return Hit(27); }
  bool FeedbackOff() override { return Hit(28); }
  bool SetTrial(const char* code) override { return Hit(29, reinterpret_cast<intptr_t>(code)); }
  int32_t GetCorrectResponse(const char* code) override { return Value(30, reinterpret_cast<intptr_t>(code)); }
  int32_t ClassifyResponse(int32_t cat, int32_t code) override { return Value(31, cat, code); }
  bool Demonstrate(ITaskRunData* d) override { return Hit(32, reinterpret_cast<intptr_t>(d)); }
  int32_t ComputeVariables(ITaskRunData* d) override { return Value(33, reinterpret_cast<intptr_t>(d)); }
  bool RunSelfTimed(ITaskRunData* d) override { return Hit(34, reinterpret_cast<intptr_t>(d)); }
};

struct CommandCase {
  uint32_t command;
  int slot;    // operation reached
  bool value;  // value command
  bool usesA;  // the operation takes argument a
};

const CommandCase kCommands[] = {
    {0, 7, false, true},   {1, 6, false, true},   {2, 8, false, true},    {3, 9, true, true},     {4, 10, false, false},
    {5, 11, false, true},  {6, 12, false, false}, {7, 13, false, false},  {8, 14, false, false},  {9, 15, false, true},
    {11, 3, false, true},  {12, 16, false, true}, {13, 17, false, true},  {14, 18, true, false},  {15, 19, true, false},
    {16, 20, true, false}, {17, 21, true, false}, {18, 22, true, false},  {19, 23, true, true},   {20, 24, true, false},
    {21, 25, true, false}, {22, 26, true, false}, {23, 27, false, false}, {24, 28, false, false}, {25, 29, false, true},
    {26, 30, true, true},  {27, 31, true, true},  {28, 32, false, true},  {29, 33, true, true},   {30, 34, false, true},
};

class DispatchCommands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(DispatchCommands, ReachesItsSlotWithTheArguments) {
  const CommandCase& c = GetParam();
  SlotRecorder task;
  int32_t out = -7;
  EXPECT_TRUE(task.DispatchCommand(c.command, 11, 22, 33, &out));
  ASSERT_EQ(task.m_slots, std::vector<int>{c.slot});
  if (c.value) {
    EXPECT_EQ(out, 100 + c.slot);
  }
  if (c.usesA) {
    EXPECT_EQ(task.m_args[0], 11);
  }
}

TEST_P(DispatchCommands, NullResultPointer) {
  const CommandCase& c = GetParam();
  SlotRecorder task;
  EXPECT_TRUE(task.DispatchCommand(c.command, 11, 22, 33, nullptr));
  if (c.value) {
    EXPECT_TRUE(task.m_slots.empty()) << "a value command ran without a result pointer";
  } else {
    EXPECT_EQ(task.m_slots, std::vector<int>{c.slot});
  }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, DispatchCommands, ::testing::ValuesIn(kCommands));

TEST(Dispatch, ArgumentsByCommand) {
  SlotRecorder task;
  int32_t out = 0;
  task.DispatchCommand(kCmdOnResponse, 3, 5, 9, &out);
  EXPECT_EQ(task.m_args[0], 3);
  EXPECT_EQ(task.m_args[1], 5);
  task.DispatchCommand(kCmdShowSignal, 1, 2, 3, nullptr);
  EXPECT_EQ(task.m_args[2], 3);
  task.DispatchCommand(kCmdPrepareScreen, 1, 7, 0, nullptr);
  EXPECT_EQ(task.m_args[1], 1) << "the practice argument becomes a bool";
  task.DispatchCommand(kCmdGetInfo, 6, 7, 8, &out);
  EXPECT_EQ(task.m_args[1], 7);
  EXPECT_EQ(task.m_args[2], 8);
}

TEST(Dispatch, CommandsAbove30ReturnFalseAndDoNothing) {
  SlotRecorder task;
  int32_t out = 55;
  for (uint32_t command : {31u, 32u, 100u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(task.DispatchCommand(command, 1, 2, 3, &out)) << command;
  }
  EXPECT_TRUE(task.m_slots.empty());
  EXPECT_EQ(out, 55);
}

TEST(Dispatch, BaseGetInfoFailsWithoutResultPointer) {
  CoreTask task;
  EXPECT_FALSE(task.DispatchCommand(kCmdGetInfo, 0, 0, 0, nullptr));
}

TEST(Dispatch, BaseComputeVariablesWithoutResultPointerComputesNothing) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.runData->resultWord = 0;
  EXPECT_TRUE(b.task.DispatchCommand(kCmdComputeVariables, reinterpret_cast<intptr_t>(b.runData.get()), 0, 0, nullptr));
  EXPECT_EQ(b.runData->resultWord, 0);
  int32_t out = 9;
  EXPECT_TRUE(b.task.DispatchCommand(kCmdComputeVariables, reinterpret_cast<intptr_t>(b.runData.get()), 0, 0, &out));
  EXPECT_EQ(out, 0);
  EXPECT_EQ(b.runData->resultWord, 1);
  EXPECT_TRUE(b.task.DispatchCommand(kCmdComputeVariables, 0, 0, 0, &out));
  EXPECT_EQ(out, -1) << "no run data";
}

}  // namespace

}  // namespace qel

// The entry function QEL_TASK_PLUGIN defines for this test program.
extern "C" bool TaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out);

namespace qel {

namespace {

// Before, an exception out of a command crossed the entry and ended the
// host program with terminate.
TEST(PluginEntry, LetsNoExceptionOut) {
  FakeTaskSurroundings around;
  const intptr_t record = reinterpret_cast<intptr_t>(static_cast<ITaskLibrary*>(&around.record));
  g_coreTask.m_throwInLoadTexts = true;
  bool answered = true;
  EXPECT_NO_THROW(answered = TaskEntry(kCmdInit, record, 0, 0, nullptr));
  g_coreTask.m_throwInLoadTexts = false;
  EXPECT_FALSE(answered);
  EXPECT_TRUE(TaskEntry(kCmdInit, record, 0, 0, nullptr));
}

}  // namespace

}  // namespace qel

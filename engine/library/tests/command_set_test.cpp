// The task command set end to end: model tasks bound to test plug-ins by
// the binding, each wrapper's command, arguments and use of the answer, and
// the defaults without a plug-in.
#include <gtest/gtest.h>

#include <stdexcept>

#include <functional>

#include "app/model/ExpModel.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/tests/TestHook.h"

namespace qel {

namespace {

using test::PluginFolder;
using test::PluginScript;

// Stand-ins for objects the plug-in only receives (never dereferenced here).
ITaskRunData* const kRunData = reinterpret_cast<ITaskRunData*>(0x5000);
IDDDisplay* const kDisplay = reinterpret_cast<IDDDisplay*>(0x6000);
const char kTrialCode[kTrialCodeSize] = "A1";

constexpr intptr_t Ptr(const void* p) { return reinterpret_cast<intptr_t>(p); }
constexpr intptr_t kTaskArg = -1;  // stands for the model task itself

struct CommandCase {
  const char* label;
  uint32_t command;
  std::function<int64_t(CExpModelTask&)> call;
  intptr_t a, b, c;
  bool value;              // a value command (else boolean)
  int64_t unboundDefault;  // the answer without a plug-in
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.label; }

class CommandSet : public ::testing::TestWithParam<CommandCase> {
 protected:
  void SetUp() override {
    PluginScript::Get().Reset();
    m_folder.AddPlugin("Good", "QelA.qet");
    m_folder.AddPlugin("Other", "QelB.qet");
    SetTaskFolder((m_folder.FolderText() + "Qel").c_str());
    ASSERT_EQ(FindTaskLibraries(&m_host), 2);
    ASSERT_EQ(m_model.AddTask(Task("EO")), 0);
    ASSERT_EQ(m_model.AddTask(Task("EG")), 1);
    ASSERT_EQ(m_model.AddTask(Task("NONE")), 2);
    BindModelTasks(&m_model);
    ASSERT_EQ(m_model.m_tasks[1].library, GetTaskLibrary(0));
    PluginScript::Get().calls.clear();
  }
  void TearDown() override {
    UnloadTaskLibraries();
    PluginScript::Get().Reset();
  }
  static CExpModelTask Task(const char* code) {
    CExpModelTask t;
    t.TaskIdStr = code;
    return t;
  }
  // The plug-in writes 77 wherever it may and answers `result`.
  static void Answer(bool result) {
    PluginScript::Get().answer = [result](ITaskLibrary*, uint32_t, intptr_t, intptr_t, intptr_t, int32_t* out) {
      if (out) *out = 77;
      return result;
    };
  }
  PluginFolder m_folder;
  test::RecordingTaskHost m_host;
  CExpModel m_model;
};

TEST_P(CommandSet, ReachesTheBoundPluginWithItsArguments) {
  const CommandCase& c = GetParam();
  CExpModelTask& task = m_model.m_tasks[1];
  Answer(true);
  const int64_t result = c.call(task);
  EXPECT_EQ(result, c.value ? 77 : 1);
  const auto& calls = PluginScript::Get().calls;
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].record, GetTaskLibrary(0));
  EXPECT_EQ(calls[0].command, c.command);
  EXPECT_EQ(calls[0].a, c.a == kTaskArg ? Ptr(static_cast<IExpModelTask*>(&task)) : c.a);
  EXPECT_EQ(calls[0].b, c.b);
  EXPECT_EQ(calls[0].c, c.c);
  if (c.value) {
    EXPECT_TRUE(calls[0].hasOut);
  }
}

TEST_P(CommandSet, ARefusalGivesFalseOrZero) {
  const CommandCase& c = GetParam();
  Answer(false);
  // The value written with a refusal is not used: command 16 gives 0, not 500.
  EXPECT_EQ(c.call(m_model.m_tasks[1]), 0);
  EXPECT_EQ(PluginScript::Get().calls.size(), 1u);
}

// A plug-in built without the framework that throws out of its entry: the
// command answers failure and the program goes on.
TEST_P(CommandSet, AnExceptionOutOfThePluginIsARefusal) {
  const CommandCase& c = GetParam();
  PluginScript::Get().answer = [](ITaskLibrary*, uint32_t, intptr_t, intptr_t, intptr_t, int32_t* out) -> bool {
    if (out) *out = 500;
    throw std::runtime_error("thrown by the plug-in");
  };
  EXPECT_EQ(c.call(m_model.m_tasks[1]), 0);
  EXPECT_EQ(PluginScript::Get().calls.size(), 1u);
}

TEST_P(CommandSet, WithoutAPluginTheDefaultAndNoCall) {
  const CommandCase& c = GetParam();
  Answer(true);
  ASSERT_EQ(m_model.m_tasks[2].library, nullptr);
  EXPECT_EQ(c.call(m_model.m_tasks[2]), c.unboundDefault);
  EXPECT_TRUE(PluginScript::Get().calls.empty());
}

TEST_P(CommandSet, AfterUnloadingTheBoundRecordAnswersNothing) {
  const CommandCase& c = GetParam();
  UnloadTaskLibraries();
  PluginScript::Get().calls.clear();
  Answer(true);
  // Still bound to the (now empty) record, which has no entry to call.
  ASSERT_NE(m_model.m_tasks[1].library, nullptr);
  EXPECT_EQ(c.call(m_model.m_tasks[1]), 0);
  EXPECT_TRUE(PluginScript::Get().calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Wrappers, CommandSet,
    ::testing::Values(
        CommandCase{"PrepareRun", 2, [](CExpModelTask& t) { return t.PrepareRun(kRunData); }, kTaskArg, Ptr(kRunData),
                    0, false, 0},
        CommandCase{"StartPart", 5, [](CExpModelTask& t) { return t.StartPart(kRunData); }, Ptr(kRunData), 0, 0, false,
                    0},
        CommandCase{"EndPart", 6, [](CExpModelTask& t) { return t.EndPart(); }, 0, 0, 0, false, 0},
        CommandCase{"ShowWarning", 7, [](CExpModelTask& t) { return t.ShowWarning(); }, 0, 0, 0, false, 0},
        CommandCase{"PreparePreview", 9, [](CExpModelTask& t) { return t.PreparePreview(kDisplay, 5); }, Ptr(kDisplay),
                    1, 0, false, 0},
        CommandCase{"PreparePreviewNoFlag", 9, [](CExpModelTask& t) { return t.PreparePreview(kDisplay, -3); },
                    Ptr(kDisplay), 0, 0, false, 0},
        CommandCase{"DrawPreview", 10, [](CExpModelTask& t) { return t.DrawPreview(11, Ptr(kDisplay), 33); }, 11,
                    Ptr(kDisplay), 33, false, 0},
        CommandCase{"ShowSignal", 12, [](CExpModelTask& t) { return t.ShowSignal(Ptr(kTrialCode), Ptr(kDisplay), 0); },
                    Ptr(kTrialCode), Ptr(kDisplay), 0, false, 0},
        CommandCase{"HideSignal", 13, [](CExpModelTask& t) { return t.HideSignal(3); }, 3, 0, 0, false, 0},
        CommandCase{"OnBreak", 14, [](CExpModelTask& t) { return t.OnBreak(); }, 0, 0, 0, true, 0},
        CommandCase{"GetResumeDelay", 15, [](CExpModelTask& t) { return t.GetResumeDelay(); }, 0, 0, 0, true, 0},
        CommandCase{"GetStartDelay", 16, [](CExpModelTask& t) { return t.GetStartDelay(); }, 0, 0, 0, true, 500},
        CommandCase{"PollResponse", 17, [](CExpModelTask& t) { return t.PollResponse(); }, 0, 0, 0, true, 0},
        CommandCase{"IsTrialEnded", 18, [](CExpModelTask& t) { return t.IsTrialEnded(); }, 0, 0, 0, true, 0},
        CommandCase{"OnResponse", 19, [](CExpModelTask& t) { return t.OnResponse(2, 5); }, 2, 5, 0, true, 0},
        CommandCase{"OnResponseTimeout", 20, [](CExpModelTask& t) { return t.OnResponseTimeout(); }, 0, 0, 0, true, 0},
        CommandCase{"OnResponseRelease", 21, [](CExpModelTask& t) { return t.OnResponseRelease(); }, 0, 0, 0, true, 0},
        CommandCase{"GetExtraResponseCount", 22, [](CExpModelTask& t) { return t.GetExtraResponseCount(); }, 0, 0, 0,
                    true, 0},
        CommandCase{"ShowFeedback", 23, [](CExpModelTask& t) { return t.ShowFeedback(); }, 0, 0, 0, false, 0},
        CommandCase{"HideFeedback", 24, [](CExpModelTask& t) { return t.HideFeedback(); }, 0, 0, 0, false, 0},
        CommandCase{"IsTargetTrial", 25, [](CExpModelTask& t) { return t.IsTargetTrial(kTrialCode); }, Ptr(kTrialCode),
                    0, 0, false, 0},
        CommandCase{"GetExpectedResponse", 26, [](CExpModelTask& t) { return t.GetExpectedResponse(kTrialCode); },
                    Ptr(kTrialCode), 0, 0, true, 0},
        CommandCase{"RunSignals", 28, [](CExpModelTask& t) { return t.RunSignals(kRunData); }, Ptr(kRunData), 0, 0,
                    false, 0},
        CommandCase{"RunWholeTask", 30, [](CExpModelTask& t) { return t.RunWholeTask(kRunData); }, Ptr(kRunData), 0, 0,
                    false, 0}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.label); });

// Each task's commands go to its own plug-in.
TEST_F(CommandSet, TasksOfOneModelReachTheirOwnPlugins) {
  Answer(true);
  m_model.m_tasks[0].EndPart();
  m_model.m_tasks[1].ShowWarning();
  m_model.m_tasks[0].HideFeedback();
  const auto& calls = PluginScript::Get().calls;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].record, GetTaskLibrary(1));
  EXPECT_EQ(calls[1].record, GetTaskLibrary(0));
  EXPECT_EQ(calls[2].record, GetTaskLibrary(1));
  EXPECT_EQ(PluginScript::Get().CommandsOf(GetTaskLibrary(1)), (std::vector<uint32_t>{6, 24}));
}

// Value answers are whole 32-bit words, negative ones included.
TEST_F(CommandSet, ValueAnswersPassThroughUnchanged) {
  for (int32_t v : {0, -1, 6, 2147483647}) {
    PluginScript::Get().answer = [v](ITaskLibrary*, uint32_t, intptr_t, intptr_t, intptr_t, int32_t* out) {
      if (out) *out = v;
      return true;
    };
    EXPECT_EQ(m_model.m_tasks[1].IsTrialEnded(), v);
    EXPECT_EQ(m_model.m_tasks[1].GetStartDelay(), v);
  }
}

// Commands the host sends without a wrapper: classification (27) and the
// variables (29) go through the record's entry with the values as given.
TEST_F(CommandSet, CallTaskEntryPassesTheFiveValuesAsGiven) {
  PluginScript::Get().answer = [](ITaskLibrary*, uint32_t command, intptr_t a, intptr_t, intptr_t, int32_t* out) {
    if (command == kCmdClassifyResponse && out) *out = a == kCatHit ? 11 : static_cast<int32_t>(a);
    if (command == kCmdComputeVariables && out) *out = 0;
    return true;
  };
  CTaskLibrary* lib = GetTaskLibrary(0);
  int32_t category = -5;
  EXPECT_TRUE(lib->CallTaskEntry(kCmdClassifyResponse, kCatHit, 2, 0, &category));
  EXPECT_EQ(category, 11);
  int32_t done = -5;
  EXPECT_TRUE(lib->CallTaskEntry(kCmdComputeVariables, Ptr(kRunData), 0, 0, &done));
  EXPECT_EQ(done, 0);
  const auto& calls = PluginScript::Get().calls;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].a, kCatHit);
  EXPECT_EQ(calls[0].b, 2);
  EXPECT_EQ(calls[1].a, Ptr(kRunData));
  EXPECT_EQ(calls[1].b, 0);
  EXPECT_EQ(calls[1].c, 0);
}

}  // namespace

}  // namespace qel

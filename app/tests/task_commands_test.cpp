// The plug-in command wrappers of a model task: what they send, what they
// answer when the plug-in refuses, and their defaults without a plug-in.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "include/qel/TaskEntry.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace {

struct Call {
  uint32_t command;
  intptr_t a, b, c;
  bool hadOut;
};

// The plug-in side of the test: records each call and answers as told.
std::vector<Call> g_calls;
bool g_answer = true;
bool g_writeResult = true;
int32_t g_result = 0;
int32_t g_seenPreset = -12345;

bool RecordingEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out) {
  g_calls.push_back({command, a, b, c, out != nullptr});
  if (out) {
    g_seenPreset = *out;
    if (g_writeResult) *out = g_result;
  }
  return g_answer;
}

class CommandsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_answer = true;
    g_writeResult = true;
    g_result = 0;
    m_lib.entry = &RecordingEntry;
    m_task.library = &m_lib;
  }
  FakeTaskLibrary m_lib;
  CExpModelTask m_task;
};

struct CommandCase {
  const char* name;
  uint32_t command;
  std::function<int64_t(CExpModelTask&)> call;
  intptr_t a, b, c;  // expected arguments (a == -1: the task itself)
  bool hasResult;
};

constexpr intptr_t kSelf = -1;
constexpr intptr_t kRun = 0x5000;
constexpr intptr_t kCode = 0x6000;

ITaskRunData* RunData() { return reinterpret_cast<ITaskRunData*>(kRun); }
const char* Code() { return reinterpret_cast<const char*>(kCode); }

std::vector<CommandCase> Cases() {
  return {
      {"PrepareRun", 2, [](CExpModelTask& t) { return t.PrepareRun(RunData()); }, kSelf, kRun, 0, false},
      {"RunSignals", 28, [](CExpModelTask& t) { return t.RunSignals(RunData()); }, kRun, 0, 0, false},
      {"RunWholeTask", 30, [](CExpModelTask& t) { return t.RunWholeTask(RunData()); }, kRun, 0, 0, false},
      {"StartPart", 5, [](CExpModelTask& t) { return t.StartPart(RunData()); }, kRun, 0, 0, false},
      {"EndPart", 6, [](CExpModelTask& t) { return t.EndPart(); }, 0, 0, 0, false},
      {"ShowWarning", 7, [](CExpModelTask& t) { return t.ShowWarning(); }, 0, 0, 0, false},
      {"ShowFeedback", 23, [](CExpModelTask& t) { return t.ShowFeedback(); }, 0, 0, 0, false},
      {"HideFeedback", 24, [](CExpModelTask& t) { return t.HideFeedback(); }, 0, 0, 0, false},
      {"PreparePreview", 9, [](CExpModelTask& t) { return t.PreparePreview(reinterpret_cast<IDDDisplay*>(0x7000), 5); },
       0x7000, 1, 0, false},
      {"PreparePreviewOff", 9,
       [](CExpModelTask& t) { return t.PreparePreview(reinterpret_cast<IDDDisplay*>(0x7000), -3); }, 0x7000, 0, 0,
       false},
      {"DrawPreview", 10, [](CExpModelTask& t) { return t.DrawPreview(11, 12, 13); }, 11, 12, 13, false},
      {"ShowSignal", 12, [](CExpModelTask& t) { return t.ShowSignal(kCode, 0x7000, 0); }, kCode, 0x7000, 0, false},
      {"HideSignal", 13, [](CExpModelTask& t) { return t.HideSignal(4); }, 4, 0, 0, false},
      {"OnBreak", 14, [](CExpModelTask& t) { return t.OnBreak(); }, 0, 0, 0, true},
      {"GetResumeDelay", 15, [](CExpModelTask& t) { return t.GetResumeDelay(); }, 0, 0, 0, true},
      {"PollResponse", 17, [](CExpModelTask& t) { return t.PollResponse(); }, 0, 0, 0, true},
      {"IsTrialEnded", 18, [](CExpModelTask& t) { return t.IsTrialEnded(); }, 0, 0, 0, true},
      {"OnResponse", 19, [](CExpModelTask& t) { return t.OnResponse(2, 5); }, 2, 5, 0, true},
      {"OnResponseTimeout", 20, [](CExpModelTask& t) { return t.OnResponseTimeout(); }, 0, 0, 0, true},
      {"OnResponseRelease", 21, [](CExpModelTask& t) { return t.OnResponseRelease(); }, 0, 0, 0, true},
      {"GetExtraResponseCount", 22, [](CExpModelTask& t) { return t.GetExtraResponseCount(); }, 0, 0, 0, true},
      {"IsTargetTrial", 25, [](CExpModelTask& t) { return t.IsTargetTrial(Code()); }, kCode, 0, 0, false},
      {"GetExpectedResponse", 26, [](CExpModelTask& t) { return t.GetExpectedResponse(Code()); }, kCode, 0, 0, true},
  };
}

class Commands : public CommandsFixture, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(Commands, SendsItsCommandAndArguments) {
  const CommandCase& c = GetParam();
  g_result = 37;
  const int64_t answer = c.call(m_task);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].command, c.command);
  const intptr_t a = c.a == kSelf ? reinterpret_cast<intptr_t>(static_cast<IExpModelTask*>(&m_task)) : c.a;
  EXPECT_EQ(g_calls[0].a, a);
  EXPECT_EQ(g_calls[0].b, c.b);
  EXPECT_EQ(g_calls[0].c, c.c);
  EXPECT_EQ(answer, c.hasResult ? 37 : 1);
}

TEST_P(Commands, ARefusalGivesFalseOrZero) {
  const CommandCase& c = GetParam();
  g_result = 37;
  g_answer = false;
  EXPECT_EQ(c.call(m_task), 0);
  EXPECT_EQ(g_calls.size(), 1u);
}

TEST_P(Commands, AnUnboundTaskSendsNothing) {
  const CommandCase& c = GetParam();
  m_task.library = nullptr;
  EXPECT_EQ(c.call(m_task), 0);
  EXPECT_TRUE(g_calls.empty());
}

TEST_P(Commands, ALibraryWithoutEntrySendsNothing) {
  const CommandCase& c = GetParam();
  m_lib.entry = nullptr;
  EXPECT_EQ(c.call(m_task), 0);
  EXPECT_TRUE(g_calls.empty());
}

INSTANTIATE_TEST_SUITE_P(All, Commands, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(CommandsFixture, AResultWordStartsAtZero) {
  g_writeResult = false;
  for (const CommandCase& c : Cases()) {
    if (!c.hasResult) continue;
    g_seenPreset = -1;
    EXPECT_EQ(c.call(m_task), 0) << c.name;
    EXPECT_EQ(g_seenPreset, 0) << c.name;
  }
}

TEST_F(CommandsFixture, StartDelayDefaults) {
  g_result = 1200;
  EXPECT_EQ(m_task.GetStartDelay(), 1200);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].command, 16u);

  g_writeResult = false;  // the plug-in answers without a value: the preset stays
  EXPECT_EQ(m_task.GetStartDelay(), 500);
  EXPECT_EQ(g_seenPreset, 500);

  g_answer = false;  // refused: 0, not 500
  EXPECT_EQ(m_task.GetStartDelay(), 0);

  m_task.library = nullptr;  // unbound: 500 without a call
  g_calls.clear();
  EXPECT_EQ(m_task.GetStartDelay(), 500);
  EXPECT_TRUE(g_calls.empty());
}

}  // namespace

}  // namespace qel

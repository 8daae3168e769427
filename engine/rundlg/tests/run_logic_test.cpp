#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "engine/rundlg/RunBreakTexts.h"
#include "engine/rundlg/RunCompletion.h"
#include "engine/rundlg/TaskListRows.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

struct BreakTextCase {
  int language;
  uint32_t flags;
  RunBreakTextIds ids;
};

class BreakTextIds : public ::testing::TestWithParam<BreakTextCase> {};

TEST_P(BreakTextIds, ByLanguageAndKindOfTask) {
  const BreakTextCase& c = GetParam();
  const RunBreakTextIds ids = SelectBreakTexts(c.language, c.flags);
  EXPECT_EQ(ids.stopQuestion, c.ids.stopQuestion);
  EXPECT_EQ(ids.stopHelp, c.ids.stopHelp);
  EXPECT_EQ(ids.continueHelp, c.ids.continueHelp);
  EXPECT_EQ(ids.showHelp, c.ids.showHelp);
}

constexpr uint32_t kSeries = 0x01000000;
constexpr uint32_t kTrials = 0x02000000;
constexpr uint32_t kShow = 0x10000000;

INSTANTIATE_TEST_SUITE_P(
    Table, BreakTextIds,
    ::testing::Values(BreakTextCase{0, 0, {245, 254, 252, 0}}, BreakTextCase{1, 0, {245, 254, 252, 0}},
                      BreakTextCase{2, 0, {245, 265, 268, 0}}, BreakTextCase{3, 0, {245, 326, 329, 0}},
                      BreakTextCase{0, kSeries, {244, 251, 252, 0}}, BreakTextCase{2, kSeries, {244, 266, 268, 0}},
                      BreakTextCase{3, kSeries | kShow, {244, 327, 329, 330}},
                      BreakTextCase{1, kTrials | kShow, {264, 263, 252, 253}},
                      BreakTextCase{2, kTrials, {264, 303, 268, 0}}, BreakTextCase{3, kTrials, {264, 328, 329, 0}},
                      // Other kinds and languages fall back to the default texts in English.
                      BreakTextCase{7, 0x05000000 | kShow, {245, 254, 252, 253}}));

TEST(BreakTexts, InstructionIsTheTaskNameAndTheHelpTextsThatExist) {
  const std::map<uint32_t, std::string> texts{{245, "Stop?"}, {254, "Stop help"}, {253, "Show help"}};
  const auto load = [&](uint32_t id) {
    const auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  };
  const RunBreakTexts t = BuildBreakTexts(SelectBreakTexts(0, kShow), "Flanker", load);
  EXPECT_EQ(t.stopQuestion, "Stop?");
  EXPECT_EQ(t.instruction, "Flanker\n\nStop help\n\nShow help") << "the missing continue help leaves no gap";
}

struct CompletionCase {
  RunEndState state;
  bool complete;
  bool savable;
};

class Completion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(Completion, OnlyARunToItsEndIsStored) {
  EXPECT_EQ(IsRunComplete(GetParam().state), GetParam().complete);
  EXPECT_EQ(IsRunSavable(GetParam().state), GetParam().savable);
}

INSTANTIATE_TEST_SUITE_P(Table, Completion,
                         ::testing::Values(CompletionCase{{false, false, 1, 0, false}, true, true},
                                           CompletionCase{{false, false, 1, 0, true}, true, false},   // practice
                                           CompletionCase{{true, false, 1, 0, false}, false, false},  // stopped
                                           CompletionCase{
                                               {false, true, 1, 0, false}, false, false},  // plug-in break flag
                                           // A series task that reports its results done stays complete.
                                           CompletionCase{{true, false, 1, kSeries, false}, true, true},
                                           CompletionCase{{true, true, 2, kSeries, false}, true, true},
                                           CompletionCase{{true, false, 0, kSeries, false}, false, false},
                                           CompletionCase{{true, false, 1, kTrials, false}, false, false}));

class RowLibrary final : public ITaskLibrary {
 public:
  void ResetNorms() override {}
  bool LoadNorms(INormsProvider*, const char*) override { return false; }
  bool AddNormFunction(const char*, const char*, int, double, double, const double*, int) override { return false; }
  int FindNormFunction(const char*, const char*, int, double) const override { return -1; }
  bool GetVariableValue(int, double*, double, double, int, bool) override { return false; }
  bool ComputeNormZ(const char*, const char*, double*, double, double, int, bool, bool) override { return false; }
};

TEST(TaskListRow, ColumnsFromTheRecordAndItsModelDefault) {
  QelModelTask model{};
  model.TaskId = 5;
  std::memcpy(model.TaskIdStr, "FL", 3);
  // A name that fills its whole field has no NUL: it is read to the field's end.
  std::memset(model.TaskName, 'N', sizeof model.TaskName);
  model.w.TaskType = 0x00030002;  // the response type is the low half
  RowLibrary record;
  record.modelDefault = &model;
  record.versionCount = 3;
  record.partCount = 4;
  record.scoreVariableCount = 36;

  TaskListRow row;
  ASSERT_TRUE(MakeTaskListRow(record, 7, &row));
  EXPECT_EQ(row.libraryIndex, 7);
  EXPECT_EQ(row.key, "FL");
  EXPECT_EQ(row.id, "FL");
  EXPECT_EQ(row.name, std::string(64, 'N'));
  EXPECT_EQ(row.image, 71);
  EXPECT_EQ(row.keys, "2");
  EXPECT_EQ(row.versions, "3");
  EXPECT_EQ(row.parts, "4");
  EXPECT_EQ(row.variables, "36");

  model.w.TaskType = 1;
  ASSERT_TRUE(MakeTaskListRow(record, 0, &row));
  EXPECT_EQ(row.keys, "1");
  model.w.TaskType = 0;
  ASSERT_TRUE(MakeTaskListRow(record, 0, &row));
  EXPECT_EQ(row.keys, "-");

  record.modelDefault = nullptr;
  EXPECT_FALSE(MakeTaskListRow(record, 0, &row));
}

}  // namespace

}  // namespace qel

// Task run data: the per-code and per-part groups and the task set-up.
#include <gtest/gtest.h>

#include <memory>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace {

bool HalfGetter(double* out, double value, double, int) {
  *out = value / 2.0;
  return true;
}

QelCodeList List(std::initializer_list<int32_t> codes, QelNormGetter getter = nullptr) {
  QelCodeList l{};
  for (int32_t c : codes) {
    l.codes[l.count] = c;
    l.getters[l.count] = getter;
    ++l.count;
  }
  return l;
}

class GroupsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_testee.birthDate = QelDateTime::FromDate(1980, 1, 1);
    m_data->testee = &m_testee;
    m_data->testDate = QelDateTime::FromDate(2020, 1, 1);
    m_lib.partCount = 2;
    m_lib.normTrialCounts[0] = 4;
    m_lib.normTrialCounts[1] = -1;
    m_task.library = &m_lib;
    for (int p = 0; p < 2; ++p) m_data->ClearPart(p);
    // Part 0: six trials, task categories 1 1 2 1 2 3, times 100..600;
    // host categories with one omission, two anticipations and one skipped trial.
    const int32_t cats[] = {1, 1, 2, 1, 2, 3};
    const int32_t host[] = {1, 6, 5, 5, 7, 1};
    for (int i = 0; i < 6; ++i) {
      m_data->taskCategory[0][i] = cats[i];
      m_data->reactionTime[0][i] = 100 * (i + 1);
      m_data->category[0][i] = host[i];
    }
    m_task.trialCounts[0] = 6;
    m_task.trialCounts[1] = 0;
  }
  std::unique_ptr<CTaskRunData> m_data = std::make_unique<CTaskRunData>();
  QelTesteeRecord m_testee;
  FakeTaskLibrary m_lib;
  CExpModelTask m_task;

  double Value(int i) {
    double v;
    m_data->GetValue(i, &v);
    return v;
  }
};

TEST_F(GroupsFixture, ExtendedForCodesWritesEightPerCode) {
  const QelCodeList list = List({1, 2}, &HalfGetter);
  EXPECT_EQ(m_data->ComputeExtendedForCodes(10, m_data->taskCategory[0], m_data->reactionTime[0], 6, &list, 4), 26);
  EXPECT_EQ(Value(10), 3.0);  // code 1: 100, 200, 400
  EXPECT_NEAR(Value(11), 700.0 / 3, 1e-9);
  EXPECT_EQ(Value(13), 200.0);              // median
  EXPECT_NEAR(Value(17), 700.0 / 6, 1e-9);  // Z of the mean of code 1 in the first 4 trials, halved
  EXPECT_EQ(Value(18), 2.0);                // code 2: 300, 500
  EXPECT_EQ(Value(25), 150.0);              // code 2 in the first 4 trials: 300
}

TEST_F(GroupsFixture, WithoutValuesGroupsOnlyAdvance) {
  const QelCodeList list = List({1, 2});
  EXPECT_EQ(m_data->ComputeExtendedForCodes(10, m_data->taskCategory[0], m_data->reactionTime[0], 0, &list, 4), 26);
  EXPECT_EQ(m_data->ComputeForCodes(10, m_data->taskCategory[0], nullptr, 6, &list, 4), 16);
  for (int i = 10; i < 26; ++i) EXPECT_EQ(m_data->attributes[i], 0u) << i;
  EXPECT_EQ(m_data->ComputeExtendedForCodes(10, nullptr, nullptr, 6, nullptr, 4), -1);
  EXPECT_EQ(m_data->ComputeForCodes(10, nullptr, nullptr, 6, nullptr, 4), -1);
  EXPECT_EQ(m_data->ComputeExtendedForCodes(-1, nullptr, nullptr, 6, &list, 4), -1);  // stops at once
}

TEST_F(GroupsFixture, CountMeanGroupsPerCode) {
  const QelCodeList list = List({1, 3, 9});
  EXPECT_EQ(m_data->StoreCountMeanForCodes(0, m_data->taskCategory[0], m_data->reactionTime[0], 6, &list), 6);
  EXPECT_EQ(Value(0), 3.0);
  EXPECT_EQ(Value(2), 1.0);
  EXPECT_EQ(Value(3), 600.0);
  EXPECT_EQ(Value(4), 0.0);  // code 9: none, but a count of 0
  EXPECT_TRUE(m_data->attributes[5] & kVarValid);
  EXPECT_EQ(m_data->values[5], kNoValue);
  EXPECT_EQ(m_data->StoreCountMeanSdForCodes(10, m_data->taskCategory[0], m_data->reactionTime[0], 6, &list), 19);
  EXPECT_NEAR(Value(12),
              std::sqrt(((100 - 700.0 / 3) * (100 - 700.0 / 3) + (200 - 700.0 / 3) * (200 - 700.0 / 3) +
                         (400 - 700.0 / 3) * (400 - 700.0 / 3)) /
                        2),
              1e-9);
  EXPECT_EQ(m_data->StoreCountMeanForCodes(30, m_data->taskCategory[0], nullptr, 6, &list), 30);
  EXPECT_EQ(m_data->StoreCountMeanSdForCodes(30, m_data->taskCategory[0], m_data->reactionTime[0], 6, nullptr), 30);
}

TEST_F(GroupsFixture, ComputeForCodesStoresCountMeanAndCountZ) {
  const QelCodeList list = List({1}, &HalfGetter);
  EXPECT_EQ(m_data->ComputeForCodes(0, m_data->taskCategory[0], m_data->reactionTime[0], 6, &list, 4), 3);
  EXPECT_EQ(Value(0), 3.0);
  EXPECT_EQ(Value(2), 1.5);  // 3 of code 1 in the first 4 trials, halved
}

TEST_F(GroupsFixture, CountPartOutcomes) {
  m_data->taskType = 1;
  EXPECT_EQ(m_data->CountPartOutcomes(&m_task, 0, 0), 3);
  double v;
  EXPECT_FALSE(m_data->GetValue(0, &v));  // omissions count only for two-choice tasks or flag 0x400
  EXPECT_EQ(Value(1), 2.0);
  EXPECT_EQ(Value(2), 1.0);
  m_task.w.TaskFlags = kTaskFlagCountOmissions;
  m_data->CountPartOutcomes(&m_task, 0, 0);
  EXPECT_EQ(Value(0), 1.0);
  m_task.w.TaskFlags = 0;
  m_data->taskType = 2;
  m_data->CountPartOutcomes(&m_task, 0, 0);
  EXPECT_EQ(Value(0), 1.0);
  // A part without trials: three no-values, still three places.
  EXPECT_EQ(m_data->CountPartOutcomes(&m_task, 3, 1), 6);
  for (int i = 3; i < 6; ++i) EXPECT_FALSE(m_data->GetValue(i, &v));
  EXPECT_EQ(m_data->CountPartOutcomes(&m_task, 1497, 0), 1497);
  EXPECT_EQ(m_data->CountPartOutcomes(&m_task, 0, 16), 0);
}

TEST_F(GroupsFixture, PartsKeepTheirLayoutWithOrWithoutTrials) {
  m_data->SetTask(&m_task);
  m_data->taskType = 2;
  const QelCodeList list1 = List({1, 2}, &HalfGetter);
  const QelCodeList list2 = List({3}, &HalfGetter);
  const int perPart = 1 + 8 * 2 + 3 * 1 + 3;
  EXPECT_EQ(m_data->ComputeForParts(&m_task, &list1, &list2), 2 * perPart);
  EXPECT_EQ(Value(0), 6.0);                      // part 1: its trial count
  EXPECT_EQ(Value(1), 3.0);                      // code 1: n
  EXPECT_NEAR(Value(8), 700.0 / 6, 1e-9);        // code 1: Z of the mean over the norm trials
  EXPECT_EQ(Value(17), 1.0);                     // code 3: n
  EXPECT_EQ(Value(18), 600.0);                   // code 3: mean
  EXPECT_EQ(Value(19), 0.0);                     // no code 3 within the 4 norm trials
  EXPECT_EQ(Value(20), 1.0);                     // omissions
  EXPECT_EQ(Value(21), 2.0);                     // anticipations
  EXPECT_EQ(Value(22), 1.0);                     // skipped
  for (int i = perPart; i < 2 * perPart; ++i) {  // part 2 has no trials
    double v;
    EXPECT_FALSE(m_data->GetValue(i, &v)) << i;
  }
}

TEST_F(GroupsFixture, APracticeRunComputesNoZ) {
  m_data->normTableSwitch = 1;
  const QelCodeList list = List({1}, &HalfGetter);
  EXPECT_EQ(m_data->ComputePartExtended(&m_task, 0, 0, &list), 9);
  double v;
  EXPECT_EQ(Value(0), 6.0);
  EXPECT_FALSE(m_data->GetValue(8, &v));
  EXPECT_EQ(m_data->ComputePartExtendedNoCount(&m_task, 0, 0, &list), 8);
  EXPECT_EQ(m_data->ComputePartCountMeanZ(&m_task, 0, 0, &list), 3);
  EXPECT_FALSE(m_data->GetValue(2, &v));
  EXPECT_EQ(m_data->ComputePartCountMean(&m_task, 0, 0, &list), 2);
}

TEST_F(GroupsFixture, ANullListEndsTheChain) {
  const QelCodeList list = List({1});
  EXPECT_EQ(m_data->ComputePart(&m_task, 0, 0, nullptr, &list), -1);
  m_data->partCount = 2;
  EXPECT_EQ(m_data->ComputeForParts(&m_task, &list, nullptr), -1);
}

TEST_F(GroupsFixture, StoredTrialCountsAreBoundedByTheArrays) {
  m_task.trialCounts[0] = 100000;
  const QelCodeList list = List({1});
  m_data->ComputePartExtended(&m_task, 0, 0, &list);
  EXPECT_EQ(Value(0), static_cast<double>(kMaxResponses));
}

const TaskVariableDef kRows[] = {
    {"N", nullptr, "%.0f", "n", VariableFlags(kVarTypeNone, 1), 1},
    {"T", nullptr, "%.1f", "mean", VariableFlags(kVarTypeCount, 2) | kVarValid, 1},
};
const char* const kCaptions[] = {"N", "RT", "SD"};

TEST_F(GroupsFixture, SetTaskTakesTheTablesAndClearsTheValues) {
  m_lib.scoreVariables = kRows;
  m_lib.scoreVariableCount = 2;
  m_lib.captions = kCaptions;
  m_lib.captionCount = 3;
  m_task.w.TaskType = 0x00050000 | kResponseTwoChoice;
  m_data->SetValue(0, 5.0, true);
  m_data->attributes[2] = 77;
  m_data->SetTask(&m_task);
  EXPECT_EQ(m_data->taskType, int32_t{kResponseTwoChoice});
  EXPECT_EQ(m_data->partCount, 2);
  EXPECT_EQ(m_data->scoreVariableCount, 2);
  EXPECT_EQ(m_data->scoreVariables, kRows);
  EXPECT_EQ(m_data->scoreItemCount, 3);
  EXPECT_EQ(m_data->scoreItemNames, kCaptions);
  EXPECT_EQ(m_data->attributes[0], VariableFlags(kVarTypeNone, 1));
  EXPECT_EQ(m_data->attributes[1], VariableFlags(kVarTypeCount, 2));  // never valid before a value is stored
  EXPECT_EQ(m_data->attributes[2], 0u);
  double v;
  EXPECT_FALSE(m_data->GetValue(0, &v));

  CExpModelTask unbound;
  unbound.w.TaskType = kResponseSingle;
  m_data->SetTask(&unbound);
  EXPECT_EQ(m_data->partCount, 0);
  EXPECT_EQ(m_data->scoreVariables, nullptr);
  EXPECT_EQ(m_data->taskType, int32_t{kResponseSingle});
}

TEST_F(GroupsFixture, ClearPart) {
  m_data->responseCode[0][5999] = 4;
  m_data->ClearPart(0);
  EXPECT_EQ(m_data->taskCategory[0][0], 0);
  EXPECT_EQ(m_data->responseCode[0][5999], 0);
  m_data->ClearPart(16);  // ignored
  m_data->ClearPart(-1);
}

}  // namespace

}  // namespace qel

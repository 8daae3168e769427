// Task run data: single values, statistics, Z-scores and ages.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/rundata/TaskRunData.h"

namespace qel {

namespace {

class RunDataFixture : public ::testing::Test {
 protected:
  std::unique_ptr<CTaskRunData> m_data = std::make_unique<CTaskRunData>();
};

TEST_F(RunDataFixture, ConstructionGivesNoValuesAndANullTestDate) {
  EXPECT_TRUE(m_data->testDate.IsNull());
  EXPECT_EQ(m_data->normTableSwitch, 0);
  EXPECT_EQ(m_data->partCount, 0);
  EXPECT_EQ(m_data->testee, nullptr);
  double v = 0.0;
  EXPECT_FALSE(m_data->GetValue(0, &v));
  EXPECT_EQ(v, kNoValue);
}

struct ValueCase {
  int index;
  double value;
  bool valid;
  bool expectedResult;
  double expectedOut;
};

class SetGetValue : public RunDataFixture, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SetGetValue, ValidBitAndNoValue) {
  const ValueCase& c = GetParam();
  m_data->SetValue(c.index, c.value, c.valid);
  double out = 0.0;
  EXPECT_EQ(m_data->GetValue(c.index, &out), c.expectedResult);
  EXPECT_EQ(out, c.expectedOut);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetGetValue,
                         ::testing::Values(ValueCase{0, 12.5, true, true, 12.5},
                                           ValueCase{1499, -3.0, true, true, -3.0},
                                           ValueCase{7, 12.5, false, false, kNoValue},
                                           ValueCase{7, kNoValue, true, false, kNoValue},  // valid bit, no value
                                           ValueCase{1500, 1.0, true, false, kNoValue},
                                           ValueCase{-1, 1.0, true, false, kNoValue}));

TEST_F(RunDataFixture, ClearingAValueDropsItsValidBitOnly) {
  m_data->attributes[3] = 0x00020005;
  m_data->SetValue(3, 4.0, true);
  EXPECT_EQ(m_data->attributes[3], 0x00020005u | kVarValid);
  m_data->SetValue(3, 4.0, false);
  EXPECT_EQ(m_data->attributes[3], 0x00020005u);
  EXPECT_EQ(m_data->values[3], kNoValue);
}

TEST_F(RunDataFixture, CountCode) {
  const int32_t a[] = {6, 5, 6, 7, 6};
  EXPECT_EQ(m_data->CountCode(a, 5, 6), 3);
  EXPECT_EQ(m_data->CountCode(a, 2, 6), 1);
  EXPECT_EQ(m_data->CountCode(a, 0, 6), 0);
  EXPECT_EQ(m_data->CountCode(a, -4, 6), 0);
  EXPECT_EQ(m_data->CountCode(nullptr, 5, 6), 0);
}

struct StatsCase {
  const char* name;
  std::vector<int32_t> values;
  std::vector<int32_t> codes;  // empty: no codes
  int selector;
  int n;
  double mean, sd, median, logMean, high, low;
};

constexpr double X = kNoValue;

std::vector<StatsCase> StatsCases() {
  return {
      {"NegativeValueCountsInTheSd", {-2, 4}, {}, 0, 2, 1.0, std::sqrt(18.0), 4.0, std::log(4.0), X, X},
      {"OneValue", {250}, {}, 0, 1, 250.0, X, X, std::log(250.0), X, X},
      {"NoValue", {}, {}, 0, 0, X, X, X, X, X, X},
      {"SixValuesQuartersOfOne",
       {600, 100, 500, 200, 400, 300},
       {},
       0,
       6,
       350.0,
       std::sqrt(175000.0 / 5),
       400.0,
       (std::log(100.0) + std::log(200.0) + std::log(300.0) + std::log(400.0) + std::log(500.0) + std::log(600.0)) / 6,
       600.0,
       100.0},
      {"SevenValuesQuarterMeanOverItsOwnCount",
       {10, 20, 30, 40, 50, 60, 70},
       {},
       0,
       7,
       40.0,
       std::sqrt(2800.0 / 6),
       40.0,
       (std::log(10.0) + std::log(20.0) + std::log(30.0) + std::log(40.0) + std::log(50.0) + std::log(60.0) +
        std::log(70.0)) /
           7,
       70.0,
       10.0},
      {"EightValuesQuartersOfTwo",
       {1, 2, 3, 4, 5, 6, 7, 8},
       {},
       0,
       8,
       4.5,
       std::sqrt(42.0 / 7),
       5.0,
       (std::log(40320.0)) / 8,
       7.5,
       1.5},
      {"SignedSortingAndLogOverPositives",
       {20, -5, 10, 0},
       {},
       0,
       4,
       6.25,
       std::sqrt(368.75 / 3),
       10.0,
       (std::log(10.0) + std::log(20.0)) / 2,
       20.0,
       -5.0},
      {"OnlyNonPositivesHaveNoLogMean",
       {-1, 0, -3},
       {},
       0,
       3,
       -4.0 / 3,
       std::sqrt((1.0 / 9 + 16.0 / 9 + 25.0 / 9) / 2),
       -1.0,
       X,
       X,
       X},
      {"SelectedByCode",
       {10, 20, 30, 40},
       {1, 2, 1, 2},
       1,
       2,
       20.0,
       std::sqrt(200.0),
       30.0,
       (std::log(10.0) + std::log(30.0)) / 2,
       X,
       X},
      {"NoCodeMatches", {10, 20}, {1, 1}, 3, 0, X, X, X, X, X, X},
  };
}

class Statistics : public RunDataFixture, public ::testing::WithParamInterface<StatsCase> {};

void ExpectStat(double actual, double expected, const char* what) {
  if (expected == kNoValue) EXPECT_EQ(actual, kNoValue) << what;
  else EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

TEST_P(Statistics, SoundFormulas) {
  const StatsCase& c = GetParam();
  const int32_t* codes = c.codes.empty() ? nullptr : c.codes.data();
  const int n = static_cast<int>(c.values.size());
  QelStats basic;
  EXPECT_EQ(m_data->ComputeStats(&basic, codes, c.values.data(), n, c.selector), c.n);
  EXPECT_EQ(basic.n, c.n);
  ExpectStat(basic.mean, c.mean, "mean");
  ExpectStat(basic.sd, c.sd, "sd");
  EXPECT_EQ(basic.median, kNoValue);

  QelStats ext;
  EXPECT_EQ(m_data->ComputeExtendedStats(&ext, codes, c.values.data(), n, c.selector), c.n);
  ExpectStat(ext.mean, c.mean, "mean");
  ExpectStat(ext.sd, c.sd, "sd");
  ExpectStat(ext.median, c.median, "median");
  ExpectStat(ext.logMean, c.logMean, "log mean");
  ExpectStat(ext.highQuarter, c.high, "high quarter");
  ExpectStat(ext.lowQuarter, c.low, "low quarter");
}

INSTANTIATE_TEST_SUITE_P(Cases, Statistics, ::testing::ValuesIn(StatsCases()),
                         [](const ::testing::TestParamInfo<StatsCase>& info) { return info.param.name; });

TEST_F(RunDataFixture, NegativeCountsAndAbsentValues) {
  QelStats r;
  r.mean = 5.0;
  EXPECT_EQ(m_data->ComputeStats(&r, nullptr, nullptr, -1, 0), -1);
  EXPECT_EQ(r.mean, kNoValue);  // the record is reset
  EXPECT_EQ(m_data->ComputeExtendedStats(&r, nullptr, nullptr, -3, 0), -1);
  EXPECT_EQ(m_data->ComputeStats(&r, nullptr, nullptr, 10, 0), 0);
  EXPECT_EQ(m_data->ComputeStats(nullptr, nullptr, std::vector<int32_t>{1, 2}.data(), 2, 0), 2);
}

TEST_F(RunDataFixture, CountsBeyondTheTrialArraysAreBounded) {
  std::vector<int32_t> many(kMaxResponses + 10, 1);
  many[kMaxResponses] = 1000000;  // beyond the bound: never read
  QelStats r;
  EXPECT_EQ(m_data->ComputeStats(&r, nullptr, many.data(), kMaxResponses + 10, 0), kMaxResponses);
  EXPECT_EQ(r.mean, 1.0);
}

TEST_F(RunDataFixture, CombineValuesOverACountFirstList) {
  m_data->SetValue(10, 4.0, true);
  m_data->SetValue(11, 8.0, true);
  m_data->SetValue(12, 100.0, false);
  const int32_t list[] = {3, 10, 11, 12};
  EXPECT_EQ(m_data->CombineValues(20, list, false), 21);
  double v;
  EXPECT_TRUE(m_data->GetValue(20, &v));
  EXPECT_EQ(v, 12.0);
  EXPECT_EQ(m_data->CombineValues(21, list, true), 22);
  EXPECT_TRUE(m_data->GetValue(21, &v));
  EXPECT_EQ(v, 6.0);  // the mean of the two valid values
  const int32_t none[] = {2, 12, 13};
  m_data->SetValue(22, 1.0, true);
  EXPECT_EQ(m_data->CombineValues(22, none, true), 23);
  EXPECT_FALSE(m_data->GetValue(22, &v));
  EXPECT_EQ(m_data->CombineValues(1499, list, false), 1499);
  EXPECT_EQ(m_data->CombineValues(-2, list, false), -2);
  const int32_t outside[] = {2, 10, 5000};
  EXPECT_EQ(m_data->CombineValues(23, outside, false), 24);
  EXPECT_TRUE(m_data->GetValue(23, &v));
  EXPECT_EQ(v, 4.0);
}

TEST_F(RunDataFixture, CombinePair) {
  m_data->SetValue(0, 3.0, true);
  m_data->SetValue(1, 5.0, true);
  double v;
  EXPECT_EQ(m_data->CombinePair(2, 0, 1, false), 3);
  EXPECT_TRUE(m_data->GetValue(2, &v));
  EXPECT_EQ(v, 8.0);
  EXPECT_EQ(m_data->CombinePair(3, 0, 1, true), 4);
  EXPECT_TRUE(m_data->GetValue(3, &v));
  EXPECT_EQ(v, 4.0);
  EXPECT_EQ(m_data->CombinePair(4, 0, 9, true), 5);
  EXPECT_FALSE(m_data->GetValue(4, &v));
  EXPECT_EQ(m_data->CombinePair(1499, 0, 1, true), 1499);
}

TEST_F(RunDataFixture, StoreExtendedStatsWritesSevenValidValues) {
  const int32_t values[] = {300};
  EXPECT_EQ(m_data->StoreExtendedStats(nullptr, values, 1, 0, 1492), 1499);
  double v;
  EXPECT_TRUE(m_data->GetValue(1492, &v));
  EXPECT_EQ(v, 1.0);
  EXPECT_TRUE(m_data->GetValue(1493, &v));
  EXPECT_EQ(v, 300.0);
  EXPECT_TRUE(m_data->attributes[1494] & kVarValid);  // marked valid although there is no SD
  EXPECT_FALSE(m_data->GetValue(1494, &v));
  EXPECT_TRUE(m_data->GetValue(1496, &v));
  EXPECT_NEAR(v, std::log(300.0), 1e-12);
  // No room for the whole group: nothing written, index unchanged.
  m_data->ClearValues();
  EXPECT_EQ(m_data->StoreExtendedStats(nullptr, values, 1, 0, 1493), 1493);
  EXPECT_EQ(m_data->StoreExtendedStats(nullptr, values, 1, 0, -1), -1);
  for (int i = 1490; i < kMaxVariables; ++i) EXPECT_EQ(m_data->attributes[i], 0u) << i;
}

struct AgeCase {
  QelDateTime birth;
  QelDateTime test;
  bool ok;
  double age;
};

class Ages : public ::testing::TestWithParam<AgeCase> {};

TEST_P(Ages, WholeDaysOver365Point25) {
  const AgeCase& c = GetParam();
  double age = -1.0;
  EXPECT_EQ(AgeInYears(c.birth, c.test, &age), c.ok);
  EXPECT_EQ(age, c.age);
}

const QelDateTime kBirth = QelDateTime::FromDate(1950, 3, 1);

INSTANTIATE_TEST_SUITE_P(Cases, Ages,
                         ::testing::Values(AgeCase{kBirth, QelDateTime::FromValue(kBirth.value + 36525.0), true, 100.0},
                                           AgeCase{kBirth, kBirth, false, 0.0},
                                           AgeCase{kBirth, QelDateTime::FromValue(kBirth.value + 1.9), true,
                                                   1.0 / 365.25},
                                           AgeCase{kBirth, QelDateTime::FromValue(kBirth.value + 0.9), false, 0.0},
                                           AgeCase{kBirth, QelDateTime::FromValue(kBirth.value - 10.0), false, 0.0},
                                           AgeCase{QelDateTime::Null(), kBirth, false, 0.0},
                                           AgeCase{kBirth, QelDateTime::Null(), false, 0.0}));

// A norm getter that records what it is asked.
struct GetterCall {
  double value;
  double age;
  int kind;
};
std::vector<GetterCall> g_getterCalls;
bool g_getterAnswer = true;

bool RecordingGetter(double* out, double value, double age, int kind) {
  g_getterCalls.push_back({value, age, kind});
  if (!g_getterAnswer) return false;
  *out = value / 100.0;
  return true;
}

class ZFixture : public RunDataFixture {
 protected:
  void SetUp() override {
    g_getterCalls.clear();
    g_getterAnswer = true;
    m_testee.birthDate = kBirth;
    m_data->testee = &m_testee;
    m_data->testDate = QelDateTime::FromValue(kBirth.value + 36525.0);  // exactly 100 years
  }
  QelTesteeRecord m_testee;
  // Codes 1 and 2 alternate; reaction times 100, 200, ... 1000.
  const int32_t m_codes[10] = {1, 2, 1, 2, 1, 2, 1, 2, 1, 2};
  const int32_t m_values[10] = {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
};

TEST_F(ZFixture, CountZUsesTheFirstNormTrialsOnly) {
  EXPECT_EQ(m_data->StoreCountMeanZ(m_codes, m_values, 10, 1, 0, &RecordingGetter, 6), 3);
  double v;
  EXPECT_TRUE(m_data->GetValue(0, &v));
  EXPECT_EQ(v, 5.0);
  EXPECT_TRUE(m_data->GetValue(1, &v));
  EXPECT_EQ(v, 500.0);
  ASSERT_EQ(g_getterCalls.size(), 1u);
  EXPECT_EQ(g_getterCalls[0].value, 3.0);  // code 1 among the first 6 trials
  EXPECT_EQ(g_getterCalls[0].age, 100.0);
  EXPECT_EQ(g_getterCalls[0].kind, kNormZScore);
  EXPECT_TRUE(m_data->GetValue(2, &v));
  EXPECT_EQ(v, 0.03);
}

TEST_F(ZFixture, MeanAndSdZ) {
  EXPECT_EQ(m_data->ComputeValueWithZ(m_codes, m_values, 10, 2, 100, &RecordingGetter, 4, &RecordingGetter), 109);
  ASSERT_EQ(g_getterCalls.size(), 2u);
  EXPECT_EQ(g_getterCalls[0].value, 300.0);  // mean of 200 and 400
  EXPECT_NEAR(g_getterCalls[1].value, std::sqrt(20000.0), 1e-9);
  double v;
  EXPECT_TRUE(m_data->GetValue(100, &v));
  EXPECT_EQ(v, 5.0);
  EXPECT_TRUE(m_data->GetValue(107, &v));
  EXPECT_EQ(v, 3.0);
  EXPECT_TRUE(m_data->GetValue(108, &v));
  EXPECT_NEAR(v, std::sqrt(20000.0) / 100.0, 1e-9);
}

struct NoZCase {
  const char* name;
  int normTrials;
  bool withTestee;
  bool withGetter;
  bool getterAnswers;
  bool practice;
  size_t calls;
};

class NoZ : public ZFixture, public ::testing::WithParamInterface<NoZCase> {};

TEST_P(NoZ, TheZStaysNoValue) {
  const NoZCase& c = GetParam();
  if (!c.withTestee) m_data->testee = nullptr;
  g_getterAnswer = c.getterAnswers;
  m_data->SetValue(7, 1.0, true);
  EXPECT_EQ(m_data->StoreExtendedStatsZ(m_codes, m_values, 10, 1, 0, nullptr, c.withGetter ? &RecordingGetter : nullptr,
                                        c.normTrials),
            8);
  double v;
  EXPECT_FALSE(m_data->GetValue(7, &v));
  EXPECT_EQ(m_data->values[7], kNoValue);
  EXPECT_EQ(g_getterCalls.size(), c.calls);
  EXPECT_TRUE(m_data->GetValue(1, &v));  // the statistics are there all the same
}

INSTANTIATE_TEST_SUITE_P(Cases, NoZ,
                         ::testing::Values(NoZCase{"NoNormTrialCount", -1, true, true, true, false, 0},
                                           NoZCase{"MoreNormTrialsThanTrials", 11, true, true, true, false, 0},
                                           NoZCase{"NoTestee", 10, false, true, true, false, 0},
                                           NoZCase{"NoGetter", 10, true, false, true, false, 0},
                                           NoZCase{"GetterFails", 10, true, true, false, false, 1},
                                           NoZCase{"NoSelectedValueNoMean", 0, true, true, true, false, 0}),
                         [](const ::testing::TestParamInfo<NoZCase>& info) { return info.param.name; });

TEST_F(ZFixture, AnUnknownAgeGivesNoZ) {
  m_data->testDate = QelDateTime::Null();
  m_data->StoreCountMeanZ(m_codes, m_values, 10, 1, 0, &RecordingGetter, 6);
  EXPECT_TRUE(g_getterCalls.empty());
  double v;
  EXPECT_FALSE(m_data->GetValue(2, &v));
}

TEST_F(ZFixture, GroupsThatDoNotFitWriteNothing) {
  EXPECT_EQ(m_data->StoreCountMeanZ(m_codes, m_values, 10, 1, 1497, &RecordingGetter, 6), 1497);
  EXPECT_EQ(m_data->StoreExtendedStatsZ(m_codes, m_values, 10, 1, 1492, nullptr, &RecordingGetter, 6), 1492);
  EXPECT_EQ(m_data->ComputeValueWithZ(m_codes, m_values, 10, 1, 1491, &RecordingGetter, 6, &RecordingGetter), 1491);
  EXPECT_EQ(m_data->StoreExtendedStatsZ(m_codes, m_values, 10, 1, 1491, nullptr, &RecordingGetter, 6), 1499);
  EXPECT_EQ(m_data->ComputeValueWithZ(m_codes, m_values, 10, 1, 1490, &RecordingGetter, 6, &RecordingGetter), 1499);
  EXPECT_TRUE(g_getterCalls.size() == 3u);
}

TEST_F(ZFixture, StoreExtendedStatsZFillsTheCallersRecord) {
  QelStats r;
  m_data->StoreExtendedStatsZ(m_codes, m_values, 10, 2, 0, &r, nullptr, -1);
  EXPECT_EQ(r.n, 5);
  EXPECT_EQ(r.mean, 600.0);
  EXPECT_EQ(r.median, 600.0);
}

}  // namespace

}  // namespace qel

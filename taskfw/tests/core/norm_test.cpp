// Norm getters, their combination, the tables' rows and getters found by
// code, and the age of a testee.
#include <gtest/gtest.h>

#include "taskfw/NormGetters.h"
#include "taskfw/TaskAge.h"
#include "taskfw/VariableRows.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

// Binds the program's task object to a fresh record for one test.
class NormGetters : public ::testing::Test {
 protected:
  void SetUp() override {
    m_record.host = &m_host;
    ASSERT_TRUE(g_coreTask.Init(&m_record));
    g_coreTask.m_pairNormMean = false;
  }
  void TearDown() override {
    g_coreTask.m_pairNormMean = false;
    g_coreTask.Init(&m_spare);  // leaves no pointer to this test's record behind
  }
  FakeTaskHost m_host;
  FakeTaskLibrary m_record;
  FakeTaskLibrary m_spare;
};

TEST_F(NormGetters, EveryNumberedGetterAsksItsOwnEntry) {
  for (int n = 0; n < kNormGetterCount; ++n) m_record.m_norms[{n, kNormMean}] = 100.0 + n;
  for (int n = 0; n < kNormGetterCount; ++n) {
    QelNormGetter getter = NormGetterByNumber(n);
    ASSERT_NE(getter, nullptr);
    double out = 0.0;
    m_record.m_requests.clear();
    EXPECT_TRUE(getter(&out, 12.5, 33.25, kNormMean));
    EXPECT_EQ(out, 100.0 + n);
    ASSERT_EQ(m_record.m_requests.size(), 1u);
    const FakeTaskLibrary::Request& r = m_record.m_requests[0];
    EXPECT_EQ(r.n, n);
    EXPECT_EQ(r.value, 12.5);
    EXPECT_EQ(r.age, 33.25);
    EXPECT_EQ(r.kind, kNormMean);
    EXPECT_TRUE(r.floorAllowed);
  }
  EXPECT_EQ(NormGetterByNumber(-1), nullptr);
  EXPECT_EQ(NormGetterByNumber(76), nullptr);
  EXPECT_EQ(NormGetterByNumber(75), &GetNormValue75);
}

TEST_F(NormGetters, MissingAnswerGivesNoValue) {
  double out = 0.0;
  EXPECT_FALSE(GetNormValue3(&out, 1.0, 40.0, kNormZScore));
  EXPECT_EQ(out, kNoValue);
  EXPECT_FALSE(GetNormValue3(nullptr, 1.0, 40.0, kNormZScore));
}

TEST_F(NormGetters, PairGettersSumByDefault) {
  m_record.m_norms[{2, kNormMean}] = 300.0;
  m_record.m_norms[{7, kNormMean}] = 340.0;
  m_record.m_norms[{2, kNormSd}] = 40.0;
  m_record.m_norms[{7, kNormSd}] = 60.0;
  double out = 0.0;
  EXPECT_TRUE(GetPairNormValue2(&out, 0.0, 30.0, kNormMean));
  EXPECT_EQ(out, 640.0);
  EXPECT_TRUE(GetPairNormValue2(&out, 0.0, 30.0, kNormSd));
  EXPECT_EQ(out, 100.0);
  ASSERT_EQ(m_record.m_requests.size(), 4u);
  EXPECT_EQ(m_record.m_requests[0].n, 2);
  EXPECT_EQ(m_record.m_requests[1].n, 7);
}

TEST_F(NormGetters, PairGettersTakeTheMeanWhenTheTaskAsks) {
  g_coreTask.m_pairNormMean = true;
  const QelNormGetter pairs[] = {GetPairNormValue0, GetPairNormValue1, GetPairNormValue2, GetPairNormValue3,
                                 GetPairNormValue4};
  for (int k = 0; k < 5; ++k) {
    m_record.m_norms[{k, kNormSd}] = 10.0 * (k + 1);
    m_record.m_norms[{k + 5, kNormSd}] = 10.0 * (k + 1) + 4.0;
  }
  for (int k = 0; k < 5; ++k) {
    double out = 0.0;
    EXPECT_TRUE(pairs[k](&out, 0.0, 30.0, kNormSd));
    EXPECT_EQ(out, 10.0 * (k + 1) + 2.0) << k;
  }
}

TEST_F(NormGetters, PairGetterFailsWhenOneSideHasNoNorm) {
  m_record.m_norms[{0, kNormMean}] = 300.0;
  double out = 0.0;
  EXPECT_FALSE(GetPairNormValue0(&out, 0.0, 30.0, kNormMean));
  EXPECT_EQ(out, kNoValue);
}

TEST_F(NormGetters, WithoutRecordNothingIsAsked) {
  CoreTask unbound;
  double out = 0.0;
  EXPECT_FALSE(unbound.GetNormValue(0, &out, 1.0, 30.0, kNormMean));
  EXPECT_EQ(out, kNoValue);
}

// A table written as a plug-in writes it: norm rows and getters by code.
constexpr TaskVariableDef kRows[] = {
    {"Na_t", nullptr, "%.0f", "N a", VariableFlags(kVarTypeCount, 1), 1},
    {"Nab_t", nullptr, "%.0f", "N a and b", VariableFlags(kVarTypeCount, 1), 1},
    {"ZNa_t", nullptr, "%.2f", "Z N a", VariableFlags(kVarTypeZScore, 5, kVarZRow), 1},
    {"Tb_t", nullptr, "%.0f", "T b", VariableFlags(kVarTypeInterval, 2), 1},
    {"ZTb_t", nullptr, "%.2f", "Z T b", VariableFlags(kVarTypeZScore, 7, kVarZRow), 1},
};
constexpr TaskNormVariable kNorms[] = {
    {RowOf(kRows, "ZNa_t"), "N", "ZNa_t", nullptr, RowOf(kRows, "Na_t"), kNormReversed},
    {RowOf(kRows, "ZTb_t"), "ms", "ZTb_t", nullptr, RowOf(kRows, "Tb_t"), 0},
};
constexpr TaskNormVariable kMisnamed[] = {
    {RowOf(kRows, "ZTb_t"), "ms", "ZTb_t", nullptr, RowOf(kRows, "Tb"), 0},
};
static_assert(RowOf(kRows, "Na_t") == 0 && RowOf(kRows, "Nab_t") == 1 && RowOf(kRows, "ZTb_t") == 4);
static_assert(RowOf(kRows, "N") == -1 && RowOf(kRows, "Na_tt") == -1, "whole codes only");
static_assert(NormRowsFound(kNorms));
static_assert(!NormRowsFound(kMisnamed), "a raw row that is not in the table is found out");
static_assert(NormRowOf(kNorms, "ZTb_t") == 1 && NormRowOf(kNorms, "ZTa_t") == -1);
static_assert(NormGetter(kNorms, "ZNa_t") == &GetNormValue0 && NormGetter(kNorms, "ZTb_t") == &GetNormValue1);

TEST_F(NormGetters, AGetterFoundByCodeAsksItsNormRow) {
  m_record.m_norms[{1, kNormMean}] = 480.0;
  constexpr QelNormGetter zMean = NormGetter(kNorms, "ZTb_t");
  double out = 0.0;
  EXPECT_TRUE(zMean(&out, 0.0, 30.0, kNormMean));
  EXPECT_EQ(out, 480.0);
  ASSERT_EQ(m_record.m_requests.size(), 1u);
  EXPECT_EQ(m_record.m_requests[0].n, 1);
}

// Getters that count their calls, for CombineNormValues alone.
int g_calls = 0;
bool Forty(double* out, double, double, int) {
  ++g_calls;
  *out = 40.0;
  return true;
}
bool TwoOfKind(double* out, double, double, int kind) {
  ++g_calls;
  *out = 2.0 * kind;
  return true;
}
bool Fails(double* out, double, double, int) {
  ++g_calls;
  *out = 1.0;
  return false;
}

struct CombineCase {
  int kind;
  QelNormGetter g1;
  QelNormGetter g2;
  bool mean;
  bool ok;
  double out;
  int calls;
};

class Combine : public ::testing::TestWithParam<CombineCase> {};

TEST_P(Combine, NormMeansAndSds) {
  const CombineCase& c = GetParam();
  g_calls = 0;
  double out = 0.0;
  EXPECT_EQ(CombineNormValues(&out, 5.0, 30.0, c.kind, c.g1, c.g2, c.mean), c.ok);
  EXPECT_EQ(out, c.out);
  EXPECT_EQ(g_calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, Combine,
                         ::testing::Values(CombineCase{kNormMean, Forty, TwoOfKind, false, true, 42.0, 2},
                                           CombineCase{kNormSd, Forty, TwoOfKind, true, true, 22.0, 2},
                                           CombineCase{kNormZScore, Forty, TwoOfKind, false, false, kNoValue,
                                                       0},  // never a Z-score
                                           CombineCase{kNormSd + 1, Forty, TwoOfKind, false, false, kNoValue, 0},
                                           CombineCase{kNormMean, nullptr, TwoOfKind, false, false, kNoValue, 0},
                                           CombineCase{kNormMean, Forty, nullptr, false, false, kNoValue, 0},
                                           CombineCase{kNormMean, Fails, Forty, false, false, kNoValue, 1},
                                           CombineCase{kNormMean, Forty, Fails, false, false, kNoValue, 2}));

TEST(Age, FromBirthDateToTestDate) {
  double age = -1.0;
  EXPECT_TRUE(GetAgeInYears(QelDateTime::FromDate(1980, 3, 1), QelDateTime::FromDate(2010, 3, 1), &age));
  EXPECT_NEAR(age, 10957.0 / 365.25, 1e-12);
  EXPECT_FALSE(GetAgeInYears(QelDateTime::FromDate(2011, 1, 1), QelDateTime::FromDate(2010, 1, 1), &age));
  EXPECT_EQ(age, 0.0) << "a birth date after the test date";
  EXPECT_FALSE(GetAgeInYears(QelDateTime::FromDate(2010, 1, 1), QelDateTime::FromDate(2010, 1, 1), &age));
  EXPECT_FALSE(GetAgeInYears(QelDateTime::Null(), QelDateTime::FromDate(2010, 1, 1), &age));
  EXPECT_EQ(age, 0.0);
  // Part of a day does not count.
  EXPECT_TRUE(GetAgeInYears(QelDateTime::FromDate(2010, 1, 1, 12), QelDateTime::FromDate(2010, 1, 3, 6), &age));
  EXPECT_EQ(age, 1.0 / 365.25);
}

TEST(Age, DateDifferenceAcrossTheEpoch) {
  double days = 0.0;
  EXPECT_TRUE(DateDiffDays(QelDateTime::FromDate(1900, 1, 1), QelDateTime::FromDate(1899, 12, 29, 6), &days));
  EXPECT_DOUBLE_EQ(days, 2.75);
  EXPECT_FALSE(DateDiffDays(QelDateTime::Null(), QelDateTime::FromDate(1900, 1, 1), &days));
}

}  // namespace

}  // namespace qel

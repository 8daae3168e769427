// Norm functions of a record and the norm values and Z-scores computed
// from them, for named norm variables and for the plug-in's own getters.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "engine/library/TaskLibrary.h"
#include "engine/library/tests/TestHook.h"

namespace qel {

namespace {

using test::PluginScript;

// Entries of the good test plug-in's norm-variable table.
constexpr int kThi = 0;      // "ZThi_eg", raw source of type 1 (no SD floor)
constexpr int kShi = 1;      // "ZShi_eg", raw source of type 4 (SD floor)
constexpr int kNhi = 2;      // "ZNhi_eg", reversed
constexpr int kGetter = 3;   // no name: the plug-in's getter (value x 10 + age + kind)
constexpr int kNothing = 5;  // no name, no getter
constexpr int kFar = 6;      // "ZFar_eg", source index beyond the table
constexpr int kEmpty = 7;    // empty name

class NormsFixture : public test::GoodPluginTest {};

struct Fn {
  const char* name;
  int kind;
  double low, high;
  double c0, c1, c2, c3;
};

struct ZCase {
  const char* label;
  std::vector<Fn> functions;
  int n;
  double value;
  double age;
  int kind;
  bool floorAllowed;
  bool ok;
  double expected;
};

void PrintTo(const ZCase& c, std::ostream* os) { *os << c.label; }

class NormValue : public NormsFixture, public ::testing::WithParamInterface<ZCase> {};

TEST_P(NormValue, GetVariableValue) {
  const ZCase& c = GetParam();
  for (const Fn& f : c.functions) {
    const double coefficients[4] = {f.c0, f.c1, f.c2, f.c3};
    ASSERT_TRUE(m_lib.AddNormFunction("EG", f.name, f.kind, f.low, f.high, coefficients, 4));
  }
  double out = -1.0;
  EXPECT_EQ(m_lib.GetVariableValue(c.n, &out, c.value, c.age, c.kind, c.floorAllowed), c.ok);
  EXPECT_DOUBLE_EQ(out, c.expected);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Mean 100 + 2 x age and SD 10 for ages 20 to 40; mean 200, SD 20 from 40 to 60.
const std::vector<Fn> kThiBands = {{"ZThi_eg", kNormFunctionMean, 20, 40, 100, 2, 0, 0},
                                   {"ZThi_eg", kNormFunctionSd, 20, 40, 10, 0, 0, 0},
                                   {"ZThi_eg", kNormFunctionMean, 40, 60, 200, 0, 0, 0},
                                   {"ZThi_eg", kNormFunctionSd, 40, 60, 20, 0, 0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Cases, NormValue,
    ::testing::Values(
        ZCase{"ZInsideABand", kThiBands, kThi, 180, 30, kNormZScore, true, true, 2.0},
        ZCase{"MeanFromTheCubic",
              {{"ZThi_eg", kNormFunctionMean, 0, 100, 1, 2, 3, 4}},
              kThi,
              0,
              2,
              kNormMean,
              false,
              true,
              1 + 2 * 2 + 3 * 4 + 4 * 8},
        ZCase{"UpperBoundGoesToTheNextBand", kThiBands, kThi, 180, 40, kNormZScore, true, true, -1.0},
        ZCase{"LowerBoundBelongsToTheBand", kThiBands, kThi, 160, 20, kNormZScore, true, true, 2.0},
        ZCase{"BelowEveryBand", kThiBands, kThi, 180, 19.5, kNormZScore, true, false, kNoValue},
        ZCase{"AboveEveryBand", kThiBands, kThi, 180, 60, kNormZScore, true, false, kNoValue},
        ZCase{"NoValueGivesNoValue", kThiBands, kThi, kNoValue, 30, kNormZScore, true, false, kNoValue},
        ZCase{"NormMean", kThiBands, kThi, 0, 30, kNormMean, true, true, 160.0},
        ZCase{"NormMeanIgnoresNoValue", kThiBands, kThi, kNoValue, 30, kNormMean, true, true, 160.0},
        ZCase{"NormSd", kThiBands, kThi, 0, 45, kNormSd, true, true, 20.0},
        ZCase{"NormMeanOutsideTheBands", kThiBands, kThi, 0, 10, kNormMean, true, false, kNoValue},
        ZCase{"NoFunctionsAtAll", {}, kThi, 180, 30, kNormZScore, true, false, kNoValue},
        ZCase{"SdFloorRaisesASmallSd",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, 0.4, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormZScore,
              true,
              true,
              1.0},
        ZCase{"SdFloorNotAllowed",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, 0.4, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormZScore,
              false,
              true,
              2.5},
        ZCase{"SdFloorOnlyForFloorVariables",
              {{"ZThi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZThi_eg", kNormFunctionSd, 0, 100, 0.4, 0, 0, 0}},
              kThi,
              6,
              30,
              kNormZScore,
              true,
              true,
              2.5},
        ZCase{"SdFloorLeavesOneAndAbove",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, 2, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormZScore,
              true,
              true,
              0.5},
        ZCase{"NegativeSdGivesNoValue",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, -0.4, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormZScore,
              true,
              false,
              kNoValue},
        ZCase{"ZeroSdGivesNoValue",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, 0, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormZScore,
              true,
              false,
              kNoValue},
        ZCase{"NegativeSdStillGivenAsTheNormSd",
              {{"ZShi_eg", kNormFunctionSd, 0, 100, -0.4, 0, 0, 0}},
              kShi,
              6,
              30,
              kNormSd,
              true,
              true,
              -0.4},
        ZCase{"MissingMeanCountsAsZero",
              {{"ZThi_eg", kNormFunctionSd, 0, 100, 4, 0, 0, 0}},
              kThi,
              8,
              30,
              kNormZScore,
              true,
              true,
              2.0},
        ZCase{"MissingSdGivesNoValue",
              {{"ZThi_eg", kNormFunctionMean, 0, 100, 4, 0, 0, 0}},
              kThi,
              8,
              30,
              kNormZScore,
              true,
              false,
              kNoValue},
        ZCase{"ReversedVariable",
              {{"ZNhi_eg", kNormFunctionMean, 0, 100, 40, 0, 0, 0}, {"ZNhi_eg", kNormFunctionSd, 0, 100, 5, 0, 0, 0}},
              kNhi,
              30,
              30,
              kNormZScore,
              true,
              true,
              2.0},
        ZCase{"ReversedMeanIsNotNegated",
              {{"ZNhi_eg", kNormFunctionMean, 0, 100, 40, 0, 0, 0}},
              kNhi,
              30,
              30,
              kNormMean,
              true,
              true,
              40.0},
        ZCase{"SameFunctionsNotReversed",
              {{"ZThi_eg", kNormFunctionMean, 0, 100, 40, 0, 0, 0}, {"ZThi_eg", kNormFunctionSd, 0, 100, 5, 0, 0, 0}},
              kThi,
              30,
              30,
              kNormZScore,
              true,
              true,
              -2.0},
        ZCase{"OtherVariablesFunctionsAreNotUsed",
              {{"ZShi_eg", kNormFunctionMean, 0, 100, 40, 0, 0, 0}, {"ZShi_eg", kNormFunctionSd, 0, 100, 5, 0, 0, 0}},
              kThi,
              30,
              30,
              kNormZScore,
              true,
              false,
              kNoValue},
        ZCase{
            "FirstAddedOfOverlappingBandsWins",
            {{"ZThi_eg", kNormFunctionMean, 0, 100, 10, 0, 0, 0}, {"ZThi_eg", kNormFunctionMean, 0, 100, 20, 0, 0, 0}},
            kThi,
            0,
            30,
            kNormMean,
            true,
            true,
            10.0},
        ZCase{"GetterRowZ", {}, kGetter, 2, 30, kNormZScore, true, true, 50.0},
        ZCase{"GetterRowKindPassedOn", {}, kGetter, 2, 30, kNormSd, true, true, 52.0},
        ZCase{"GetterRowRefusing", {}, kGetter, kNoValue, 30, kNormZScore, true, false, kNoValue},
        ZCase{"NoNameNoGetter", kThiBands, kNothing, 180, 30, kNormZScore, true, false, kNoValue},
        ZCase{"EmptyName", kThiBands, kEmpty, 180, 30, kNormZScore, true, false, kNoValue},
        ZCase{"SourceBeyondTheTableHasNoFloor",
              {{"ZFar_eg", kNormFunctionMean, 0, 100, 5, 0, 0, 0}, {"ZFar_eg", kNormFunctionSd, 0, 100, 0.5, 0, 0, 0}},
              kFar,
              6,
              30,
              kNormZScore,
              true,
              true,
              2.0},
        ZCase{"EntryBelowTheTable", kThiBands, -1, 180, 30, kNormZScore, true, false, kNoValue},
        ZCase{"EntryBeyondTheTable", kThiBands, 8, 180, 30, kNormZScore, true, false, kNoValue},
        ZCase{"NaNCoefficientGivesNoValue",
              {{"ZThi_eg", kNormFunctionMean, 0, 100, kNaN, 0, 0, 0}, {"ZThi_eg", kNormFunctionSd, 0, 100, 5, 0, 0, 0}},
              kThi,
              30,
              30,
              kNormZScore,
              true,
              false,
              kNoValue},
        ZCase{"NaNSdGivesNoValue",
              {{"ZThi_eg", kNormFunctionSd, 0, 100, kNaN, 0, 0, 0}},
              kThi,
              30,
              30,
              kNormZScore,
              true,
              false,
              kNoValue}),
    [](const ::testing::TestParamInfo<ZCase>& info) { return std::string(info.param.label); });

TEST_F(NormsFixture, GetVariableValueNeedsAnOutAndAModelDefault) {
  const double c[4] = {1, 0, 0, 0};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 0, 100, c, 4));
  EXPECT_FALSE(m_lib.GetVariableValue(kThi, nullptr, 1, 30, kNormMean, false));
  double out = 0;
  const QelModelTask* saved = m_lib.modelDefault;
  m_lib.modelDefault = nullptr;
  EXPECT_FALSE(m_lib.GetVariableValue(kThi, &out, 1, 30, kNormMean, false));
  EXPECT_EQ(out, kNoValue);
  m_lib.modelDefault = saved;
  EXPECT_TRUE(m_lib.GetVariableValue(kThi, &out, 1, 30, kNormMean, false));
  EXPECT_EQ(out, 1.0);
}

TEST_F(NormsFixture, AddNormFunctionChecksItsArguments) {
  const double c[4] = {1, 2, 3, 4};
  EXPECT_FALSE(m_lib.AddNormFunction(nullptr, "ZThi_eg", kNormFunctionMean, 0, 1, c, 4));
  EXPECT_FALSE(m_lib.AddNormFunction("EG", nullptr, kNormFunctionMean, 0, 1, c, 4));
  EXPECT_FALSE(m_lib.AddNormFunction("EG", "ZThi_eg", 2, 0, 1, c, 4));
  EXPECT_FALSE(m_lib.AddNormFunction("EG", "ZThi_eg", -1, 0, 1, c, 4));
  // Names this plug-in does not keep are accepted and dropped.
  EXPECT_TRUE(m_lib.AddNormFunction("EG", "Unknown", kNormFunctionMean, 0, 1, c, 4));
  EXPECT_TRUE(m_lib.AddNormFunction("EG", "ZBad_eg", kNormFunctionMean, 0, 1, c, 4));
  EXPECT_TRUE(m_lib.AddNormFunction("EG", "zthi_eg", kNormFunctionMean, 0, 1, c, 4));
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 0);
}

TEST_F(NormsFixture, AddNormFunctionStoresTheRowWithTheVariableId) {
  const double two[2] = {7, 8};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZShi_eg", kNormFunctionSd, 18.5, 30, two, 2));
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 0, 1, nullptr, 4));
  ASSERT_EQ(m_lib.GetNormFunctionCount(), 2);
  const NormFunction* f = m_lib.GetNormFunction(0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->variableId, 4);
  EXPECT_EQ(f->name, "ZShi_eg");
  EXPECT_EQ(f->kind, kNormFunctionSd);
  EXPECT_EQ(f->ageLow, 18.5);
  EXPECT_EQ(f->ageHigh, 30.0);
  EXPECT_EQ(f->c[0], 7.0);
  EXPECT_EQ(f->c[1], 8.0);
  EXPECT_EQ(f->c[2], 0.0);  // a short array leaves the rest 0
  EXPECT_EQ(f->c[3], 0.0);
  const NormFunction* g = m_lib.GetNormFunction(1);
  EXPECT_EQ(g->variableId, 3);
  EXPECT_EQ(g->c[0], 0.0);
  EXPECT_EQ(m_lib.GetNormFunction(2), nullptr);
  EXPECT_EQ(m_lib.GetNormFunction(-1), nullptr);
}

TEST_F(NormsFixture, FindNormFunctionMatchesNameKindAndAgeNotTheKey) {
  const double c[4] = {1, 0, 0, 0};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 20, 40, c, 4));
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionSd, 20, 40, c, 4));
  EXPECT_EQ(m_lib.FindNormFunction("EG", "ZThi_eg", kNormFunctionMean, 20), 0);
  EXPECT_EQ(m_lib.FindNormFunction("EG", "ZThi_eg", kNormFunctionSd, 39.9), 1);
  EXPECT_EQ(m_lib.FindNormFunction("other key", "ZThi_eg", kNormFunctionSd, 30), 1);
  EXPECT_EQ(m_lib.FindNormFunction("EG", "ZThi_eg", kNormFunctionMean, 40), -1);
  EXPECT_EQ(m_lib.FindNormFunction("EG", "ZTHI_EG", kNormFunctionMean, 30), -1);
  EXPECT_EQ(m_lib.FindNormFunction(nullptr, "ZThi_eg", kNormFunctionMean, 30), -1);
  EXPECT_EQ(m_lib.FindNormFunction("EG", nullptr, kNormFunctionMean, 30), -1);
  double out = 0;
  EXPECT_FALSE(m_lib.ComputeNormZ("EG", "ZThi_eg", nullptr, 1, 30, kNormMean, false, false));
  EXPECT_TRUE(m_lib.ComputeNormZ("EG", "ZThi_eg", &out, 1, 30, kNormMean, false, false));
  EXPECT_EQ(out, 1.0);
  m_lib.ResetNorms();
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 0);
  EXPECT_FALSE(m_lib.ComputeNormZ("EG", "ZThi_eg", &out, 1, 30, kNormMean, false, false));
  EXPECT_EQ(out, kNoValue);
}

// A norms source for LoadNorms: answers per (name, kind) with its bands.
class FakeNormsProvider : public INormsProvider {
 public:
  struct Band {
    double low, high, c[4];
  };
  struct Call {
    std::string key, name;
    int kind;
    int maxBands;
  };
  std::map<std::pair<std::string, int>, std::vector<Band>> m_bands;
  std::map<std::pair<std::string, int>, int> m_failures;  // answer instead of the bands
  std::map<std::pair<std::string, int>, int> m_claimed;   // count claimed beyond the bands given
  std::vector<Call> m_calls;

  int GetZFunction(const char* key, const char* name, int kind, double* ageLows, double* ageHighs, double* coefficients,
                   int maxBands) override {
    m_calls.push_back({key, name, kind, maxBands});
    const auto k = std::make_pair(std::string(name), kind);
    if (m_failures.count(k)) return m_failures[k];
    const std::vector<Band>& list = m_bands[k];
    const int n = std::min<int>(static_cast<int>(list.size()), maxBands);
    for (int i = 0; i < n; ++i) {
      ageLows[i] = list[i].low;
      ageHighs[i] = list[i].high;
      for (int j = 0; j < 4; ++j) coefficients[4 * i + j] = list[i].c[j];
    }
    return m_claimed.count(k) ? m_claimed[k] : n;
  }
};

TEST_F(NormsFixture, LoadNormsAsksForEveryKeptVariableMeanThenSd) {
  FakeNormsProvider provider;
  provider.m_bands[{"ZThi_eg", kNormFunctionMean}] = {{20, 40, {100, 2, 0, 0}}, {40, 60, {200, 0, 0, 0}}};
  provider.m_bands[{"ZThi_eg", kNormFunctionSd}] = {{20, 60, {10, 0, 0, 0}}};
  provider.m_bands[{"ZNhi_eg", kNormFunctionSd}] = {{0, 100, {3, 0, 0, 0}}};
  const double c[4] = {1, 0, 0, 0};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZShi_eg", kNormFunctionMean, 0, 100, c, 4));  // replaced by the load

  ASSERT_TRUE(m_lib.LoadNorms(&provider, "EG"));
  ASSERT_EQ(provider.m_calls.size(), 10u);  // 5 kept variables x 2 kinds
  const char* order[] = {"ZThi_eg", "ZShi_eg", "ZNhi_eg", "ZFar_eg", ""};
  for (size_t i = 0; i < provider.m_calls.size(); ++i) {
    EXPECT_EQ(provider.m_calls[i].key, "EG");
    EXPECT_EQ(provider.m_calls[i].name, order[i / 2]);
    EXPECT_EQ(provider.m_calls[i].kind, i % 2 == 0 ? kNormFunctionMean : kNormFunctionSd);
    EXPECT_EQ(provider.m_calls[i].maxBands, CTaskLibrary::kMaxNormBands);
  }
  ASSERT_EQ(m_lib.GetNormFunctionCount(), 4);
  EXPECT_EQ(m_lib.GetNormFunction(0)->ageHigh, 40.0);
  EXPECT_EQ(m_lib.GetNormFunction(1)->c[0], 200.0);  // the second band's own coefficients
  EXPECT_EQ(m_lib.GetNormFunction(2)->kind, kNormFunctionSd);
  EXPECT_EQ(m_lib.GetNormFunction(3)->variableId, 5);
  double out = 0;
  EXPECT_TRUE(m_lib.GetVariableValue(kThi, &out, 180, 30, kNormZScore, true));
  EXPECT_DOUBLE_EQ(out, 2.0);
  EXPECT_TRUE(m_lib.GetVariableValue(kThi, &out, 180, 50, kNormZScore, true));
  EXPECT_DOUBLE_EQ(out, -2.0);
}

TEST_F(NormsFixture, LoadNormsStopsAtAFailingAnswer) {
  FakeNormsProvider provider;
  provider.m_bands[{"ZThi_eg", kNormFunctionMean}] = {{20, 40, {100, 0, 0, 0}}};
  provider.m_failures[{"ZShi_eg", 0}] = -1;
  EXPECT_FALSE(m_lib.LoadNorms(&provider, "EG"));
  EXPECT_EQ(provider.m_calls.size(), 3u);
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 1);
}

TEST_F(NormsFixture, LoadNormsTakesNoMoreBandsThanItGaveRoomFor) {
  FakeNormsProvider provider;
  provider.m_bands[{"ZThi_eg", kNormFunctionMean}] = {{20, 40, {100, 0, 0, 0}}};
  provider.m_claimed[{"ZThi_eg", 0}] = 1000000;
  ASSERT_TRUE(m_lib.LoadNorms(&provider, "EG"));
  EXPECT_EQ(m_lib.GetNormFunctionCount(), CTaskLibrary::kMaxNormBands);
}

TEST_F(NormsFixture, LoadNormsWithoutKeyOrProvider) {
  FakeNormsProvider provider;
  provider.m_bands[{"ZThi_eg", kNormFunctionMean}] = {{20, 40, {100, 0, 0, 0}}};
  const double c[4] = {1, 0, 0, 0};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 0, 100, c, 4));
  EXPECT_TRUE(m_lib.LoadNorms(&provider, nullptr));
  EXPECT_TRUE(provider.m_calls.empty());
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 0);
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 0, 100, c, 4));
  EXPECT_FALSE(m_lib.LoadNorms(nullptr, "EG"));
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 0);
}

TEST_F(NormsFixture, NormsGoWithTheUnloadedPlugin) {
  const double c[4] = {1, 0, 0, 0};
  ASSERT_TRUE(m_lib.AddNormFunction("EG", "ZThi_eg", kNormFunctionMean, 0, 100, c, 4));
  m_lib.Unload();
  EXPECT_EQ(m_lib.GetNormFunctionCount(), 0);
  EXPECT_EQ(m_lib.FindVariableByName("ZThi_eg"), -1);
  double out = 0;
  EXPECT_FALSE(m_lib.GetVariableValue(kThi, &out, 1, 30, kNormMean, false));
  EXPECT_EQ(out, kNoValue);
}

}  // namespace

}  // namespace qel

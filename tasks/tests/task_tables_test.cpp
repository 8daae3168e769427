// What each of the three tasks publishes when the program loads it: its
// default model task, its names and counts, and its norm table row by row
// (the variable rows are checked against the compute-variables command in
// task_variables_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

struct Identity {
  const char* code;
  uint32_t number;
  const char* name;
  uint32_t taskType;
  std::vector<uint32_t> partTrials;
  std::vector<std::string> versions;
  std::vector<std::string> parts;
  uint32_t variables;
  uint32_t norms;
};

const Identity kIdentities[] = {
    {"MSL",
     3,
     "Memory Search Letters",
     2,
     {40, 72, 96},
     {"Targets: k, k+r, k+r+s", "Targets: j, j+m, j+m+z", "Targets: g, g+t, g+t+v"},
     {"1 target", "2 targets", "3 targets"},
     111,
     18},
    {"FA4L",
     12,
     "Focused Attention 4 letters",
     2,
     {80, 80},
     {"Targets: c, j+n+s", "Targets: x, f+t+z", "Targets: m, g+l+v"},
     {"1 target", "3 targets"},
     74,
     12},
    {"MSO1",
     5,
     "Memory Search Objects 1 key",
     1,
     {40, 40},
     {"Version 1", "Version 2", "Version 3"},
     {"1 target", "2 targets"},
     36,
     6},
};

class TaskIdentity : public testing::TestWithParam<Identity> {};

TEST_P(TaskIdentity, DefaultModelTaskNamesAndCounts) {
  const Identity& want = GetParam();
  LoadedTask t(want.code);
  ASSERT_TRUE(t.Loaded());
  const QelModelTask* d = t.m_library.modelDefault;
  EXPECT_EQ(d->TaskId, want.number);
  EXPECT_STREQ(d->TaskIdStr, want.code);
  EXPECT_STREQ(d->TaskName, want.name);
  EXPECT_EQ(d->w.TaskType, want.taskType);
  EXPECT_EQ(d->w.TaskVersion, 1u);
  for (int p = 0; p < kMaxParts; ++p) {
    const uint32_t trials = p < static_cast<int>(want.partTrials.size()) ? want.partTrials[p] : 0;
    EXPECT_EQ(d->TaskPartTrials[p], trials) << "part " << p + 1;
  }
  for (uint32_t word : d->TaskParam) EXPECT_EQ(word, 0u);
  // The valid window lies inside the signal (shown until the answer).
  EXPECT_LT(d->w.TaskVRLow, d->w.TaskVRHigh);

  ASSERT_EQ(t.m_library.versionCount, static_cast<int32_t>(want.versions.size()));
  for (size_t i = 0; i < want.versions.size(); ++i) EXPECT_EQ(t.m_library.versionNames[i], want.versions[i]);
  ASSERT_EQ(t.m_library.partCount, static_cast<int32_t>(want.parts.size()));
  for (size_t i = 0; i < want.parts.size(); ++i) EXPECT_EQ(t.m_library.partNames[i], want.parts[i]);
  EXPECT_EQ(t.m_library.scoreVariableCount, want.variables);
  EXPECT_EQ(t.m_library.normVariableCount, want.norms);
  EXPECT_EQ(t.m_library.GetKeptCount(), static_cast<int>(want.norms)) << "every norm row has a name";
  // Only the focused-attention task has a parameter page.
  EXPECT_EQ(t.m_library.page != nullptr, std::string(want.code) == "FA4L");
}

INSTANTIATE_TEST_SUITE_P(All, TaskIdentity, testing::ValuesIn(kIdentities),
                         [](const auto& info) { return std::string(info.param.code); });

// Norm rows: one per Z row in table order; a Z of a mean RT comes from the
// T row ("ms"), a Z of a count from the N row ("N").
struct NormLayout {
  const char* code;
  std::vector<std::string> names;
};

const NormLayout kNormLayouts[] = {
    {"MSL",
     {"Zh1_ms", "Zc01_ms", "Zm1_ms", "Zf01_ms", "Zh2_ms", "Zc02_ms", "Zc12_ms", "Zm2_ms", "Zf02_ms", "Zf12_ms",
      "Zh3_ms", "Zc03_ms", "Zc13_ms", "Zc23_ms", "Zm3_ms", "Zf03_ms", "Zf13_ms", "Zf23_ms"}},
    {"FA4L",
     {"Zh1_l4", "Zcit1_l4", "Zcrn1_l4", "Zm1_l4", "Zfit1_l4", "Zfrn1_l4", "Zh2_l4", "Zcit2_l4", "Zcrn2_l4", "Zm2_l4",
      "Zfit2_l4", "Zfrn2_l4"}},
    {"MSO1", {"Zh1_mo1", "Zm1_mo1", "Zf1_mo1", "Zh2_mo1", "Zm2_mo1", "Zf2_mo1"}},
};

class TaskNorms : public testing::TestWithParam<NormLayout> {};

TEST_P(TaskNorms, OneRowPerZRowFromItsRawRow) {
  const NormLayout& want = GetParam();
  LoadedTask t(want.code);
  ASSERT_TRUE(t.Loaded());
  ASSERT_EQ(t.m_library.normVariableCount, want.names.size());
  int zRows = 0;
  for (uint32_t i = 0; i < t.m_library.scoreVariableCount; ++i) zRows += t.m_library.scoreVariables[i].code[0] == 'Z';
  EXPECT_EQ(zRows, static_cast<int>(want.names.size()));
  for (size_t i = 0; i < want.names.size(); ++i) {
    const TaskNormVariable& n = t.m_library.normVariables[i];
    SCOPED_TRACE(want.names[i]);
    ASSERT_NE(n.name, nullptr);
    EXPECT_EQ(n.name, want.names[i]);
    EXPECT_EQ(n.getter, nullptr);
    EXPECT_EQ(n.flags, 0);
    EXPECT_STREQ(t.m_library.scoreVariables[n.id].code, n.name);
    const std::string source = t.m_library.scoreVariables[n.source].code;
    const bool meanRt = std::string(n.unit) == "ms";
    EXPECT_EQ(source, (meanRt ? "T" : "N") + want.names[i].substr(1));
    EXPECT_TRUE(meanRt || std::string(n.unit) == "N");
    // A mean-RT Z sits in the z(RT) column, a count Z in the z(N) column.
    EXPECT_EQ(t.m_library.scoreVariables[n.id].flags,
              meanRt ? VariableFlags(kVarTypeZScore, 9, kVarZRow) : VariableFlags(kVarTypeZScore, 11, kVarZRow));
  }
}

INSTANTIATE_TEST_SUITE_P(All, TaskNorms, testing::ValuesIn(kNormLayouts),
                         [](const auto& info) { return std::string(info.param.code); });

}  // namespace

}  // namespace qel

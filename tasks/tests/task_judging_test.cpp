// How the three tasks judge a display (the trial command: target or not,
// and the key the correct-response command then asks for) and refine the run
// engine's categories (the classification command), as a table of cases.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

// Categories 2 and 3 never come for a target trial of a two-key task.
constexpr int32_t kNotAsked = -1;

struct JudgeCase {
  const char* task;
  uint32_t version;    // 1-based
  int part;            // 0-based
  uint32_t parameter;  // TaskParam word 0
  const char* code;
  bool target;
  int32_t correctRejectionBecomes;  // a correct rejection after the classification command
  int32_t falseAlarmBecomes;        // a false alarm after the classification command
};

std::ostream& operator<<(std::ostream& os, const JudgeCase& c) {
  return os << c.task << " v" << c.version << " part " << c.part + 1 << " param " << c.parameter << " \"" << c.code
            << "\"";
}

const JudgeCase kCases[] = {
    // Memory Search Letters: a target only when every memory letter is shown;
    // correct rejections 10/11/12 and false alarms 13/14/15 by the memory
    // letters the display held.
    {"MSL", 1, 1, 0, "KRJQ", true, kNotAsked, kNotAsked},  // k and r
    {"MSL", 1, 1, 0, "RTHK", true, kNotAsked, kNotAsked},  // both, other places
    {"MSL", 1, 1, 0, "CFRB", false, 11, 14},               // r only
    {"MSL", 1, 1, 0, "CFXB", false, 10, 13},               // none
    {"MSL", 1, 1, 0, "cfrb", false, 11, 14},               // degraded letters count
    {"MSL", 1, 1, 0, "kRBC", true, kNotAsked, kNotAsked},
    {"MSL", 2, 1, 0, "JMBC", true, kNotAsked, kNotAsked},  // version 2: j and m
    {"MSL", 2, 1, 0, "KRBC", false, 10, 13},
    {"MSL", 1, 2, 0, "KRSB", true, kNotAsked, kNotAsked},  // part 3: k, r, s
    {"MSL", 1, 2, 0, "KRBC", false, 12, 15},
    {"MSL", 1, 2, 0, "BSCD", false, 11, 14},
    {"MSL", 1, 0, 0, "KBCD", true, kNotAsked, kNotAsked},  // part 1: k
    {"MSL", 1, 0, 0, "BCDF", false, 10, 13},
    {"MSL", 1, 0, 0, "KBCK", false, 12, 15},  // k twice counts 2: not a target
    {"MSL", 1, 0, 0, "AEIO", false, 10, 13},  // vowels are masks
    {"MSL", 1, 0, 0, "0000", false, 10, 13},
    {"MSL", 1, 0, 0, "KR", true, kNotAsked, kNotAsked},  // too short to judge: the yes-key
    {"MSL", 1, 0, 0, "", true, kNotAsked, kNotAsked},
    // Focused Attention 4 letters, relevant diagonal as stored (0 and 3).
    {"FA4L", 1, 0, 0, "CRTB", true, kNotAsked, kNotAsked},  // c top left
    {"FA4L", 1, 0, 0, "SVZC", true, kNotAsked, kNotAsked},  // c bottom right
    {"FA4L", 1, 0, 0, "KRCD", false, 10, 13},               // c bottom left only
    {"FA4L", 1, 0, 0, "KCTD", false, 10, 13},               // c top right only
    {"FA4L", 1, 0, 0, "KRTD", false, 11, 14},               // no c
    {"FA4L", 1, 0, 0, "cRTB", true, kNotAsked, kNotAsked},
    // The other diagonal: the same codes, moved by the quarter permutation.
    {"FA4L", 1, 0, 1, "CRTB", true, kNotAsked, kNotAsked},  // -> TBCR: c bottom left
    {"FA4L", 1, 0, 1, "SVZC", true, kNotAsked, kNotAsked},  // -> ZCSV: c top right
    {"FA4L", 1, 0, 1, "KRCD", false, 10, 13},               // -> CDKR: c top left, irrelevant now
    {"FA4L", 1, 0, 1, "KCTD", false, 10, 13},               // -> TDKC: c bottom right
    {"FA4L", 1, 0, 1, "KRTD", false, 11, 14},
    {"FA4L", 1, 1, 0, "JBCD", true, kNotAsked, kNotAsked},  // part 2: j, n, s
    {"FA4L", 1, 1, 0, "BCDS", true, kNotAsked, kNotAsked},
    {"FA4L", 1, 1, 0, "BNCD", false, 10, 13},
    {"FA4L", 3, 1, 0, "GBCD", true, kNotAsked, kNotAsked},  // version 3: g, l, v
    {"FA4L", 1, 0, 0, "CR", false, 11, 14},                 // too short: not a target
    // Memory Search Objects 1 key: any memory picture makes a target; the
    // categories are the run engine's.
    {"MSO1", 1, 1, 0, "4561", true, kNotAsked, kNotAsked},  // part 2: pictures 3 and 4
    {"MSO1", 1, 1, 0, "1652", false, 2, 3},
    {"MSO1", 1, 0, 0, "2134", true, kNotAsked, kNotAsked},  // part 1: picture 2
    {"MSO1", 1, 0, 0, "1356", false, 2, 3},
    {"MSO1", 3, 1, 0, "1356", true, kNotAsked, kNotAsked},  // version 3: pictures 2 and 5
    {"MSO1", 2, 0, 0, "1234", false, 2, 3},                 // version 2: picture 5
    {"MSO1", 1, 0, 0, "13", true, kNotAsked, kNotAsked},    // too short: a target
};

class Judging : public testing::TestWithParam<JudgeCase> {};

TEST_P(Judging, TargetKeyAndSubCategories) {
  const JudgeCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = c.parameter;
  ASSERT_TRUE(t.Setup(c.version, c.part));
  EXPECT_EQ(t.Judge(c.code), c.target);
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  // The yes-key is the host's right code, the no-key its left code.
  t.m_host.leftCode = 2;
  t.m_host.rightCode = 1;
  EXPECT_EQ(t.Value(kCmdCorrectResponse, reinterpret_cast<intptr_t>(slot)), c.target ? 1 : 2);
  if (c.correctRejectionBecomes != kNotAsked) {
    EXPECT_EQ(t.Classify(c.code, kCatCorrectRejection), c.correctRejectionBecomes);
  }
  if (c.falseAlarmBecomes != kNotAsked) {
    EXPECT_EQ(t.Classify(c.code, kCatFalseAlarm), c.falseAlarmBecomes);
  }
  for (int32_t other : {kCatNone, kCatHit, kCatMiss, kCatAnticipation, kCatOmission, kCatSkipped}) {
    EXPECT_EQ(t.Classify(c.code, other), other) << "category " << other << " passes unchanged";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Judging, testing::ValuesIn(kCases));

// Only the value 1 selects the other diagonal; any other value keeps the
// diagonal the lists are stored for.
TEST(FocusedAttentionParameter, OnlyOneSelectsTheOtherDiagonal) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  for (uint32_t parameter : {0u, 2u, 7u}) {
    t.m_task.TaskParam[0] = parameter;
    ASSERT_TRUE(t.Setup(1, 0));
    EXPECT_TRUE(t.Judge("CRTB")) << parameter;
    EXPECT_FALSE(t.Judge("KRCD")) << parameter;
  }
}

// A code slot of 17 characters without its NUL, and no code at all: judged,
// shown and previewed without reading past the slot (the sanitizer build
// watches the reads); the judgement follows the first four characters, or
// the rule for a missing code.
struct SlotCase {
  const char* task;
  uint32_t parameter;
  char fill;  // every character of the slot; 0: no code (a null pointer)
  bool target;
};

std::ostream& operator<<(std::ostream& os, const SlotCase& c) {
  return os << c.task << " param " << c.parameter << " fill " << (c.fill ? c.fill : '0');
}

class WholeSlot : public testing::TestWithParam<SlotCase> {};

TEST_P(WholeSlot, NothingReadPastTheSlot) {
  const SlotCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = c.parameter;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  std::unique_ptr<char[]> slot;
  if (c.fill) {
    slot.reset(new char[kTrialCodeSize]);
    std::memset(slot.get(), c.fill, kTrialCodeSize);
  }
  const intptr_t code = reinterpret_cast<intptr_t>(slot.get());
  EXPECT_EQ(t.Command(kCmdSetTrial, code), c.target);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatHit, 0), kCatHit);
  EXPECT_TRUE(t.Command(kCmdShowSignal, code, reinterpret_cast<intptr_t>(&t.m_display)));
  EXPECT_TRUE(t.Command(kCmdHideSignal, 0));
  EXPECT_TRUE(t.Command(kCmdDrawToSurface, code, reinterpret_cast<intptr_t>(&t.m_display)));
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeSlot,
                         testing::Values(SlotCase{"MSL", 0, 'K', false},  // k four times: not "just k"
                                         SlotCase{"MSL", 0, 0, true},     // no code: the yes-key
                                         SlotCase{"FA4L", 0, 'C', true},  // c on the relevant diagonal
                                         SlotCase{"FA4L", 1, 'C', true},  // 16 letters: not moved, c everywhere
                                         SlotCase{"FA4L", 1, 0, false}, SlotCase{"MSO1", 0, '2', true},
                                         SlotCase{"MSO1", 0, '1', false}, SlotCase{"MSO1", 0, 0, true}));

// The lists the plug-ins publish, judged by the plug-ins themselves: as many
// targets, and non-targets of each kind (the correct rejection's category
// after the classification command), as the balance of each list asks for, in every version;
// for focused attention with either diagonal.
struct ListCase {
  const char* task;
  uint32_t parameter;
  int part;
  bool practice;
  int trials;
  int targets;
  std::map<int32_t, int> rejections;
};

std::ostream& operator<<(std::ostream& os, const ListCase& c) {
  return os << c.task << " param " << c.parameter << " part " << c.part + 1 << (c.practice ? " practice" : " test");
}

class PublishedList : public testing::TestWithParam<ListCase> {};

TEST_P(PublishedList, BalancedAsJudged) {
  const ListCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = c.parameter;
  for (uint32_t version = 1; version <= 3; ++version) {
    SCOPED_TRACE("version " + std::to_string(version));
    ASSERT_TRUE(t.Setup(version, c.part, c.practice));
    ASSERT_EQ(t.m_host.trialCount, static_cast<uint32_t>(c.trials));
    int targets = 0;
    std::map<int32_t, int> rejections;
    for (uint32_t i = 0; i < t.m_host.trialCount; ++i) {
      const std::string code = t.m_host.trialList[i];
      if (t.Judge(code.c_str())) {
        ++targets;
      } else {
        ++rejections[t.Value(kCmdClassifyResponse, kCatCorrectRejection, 0)];
      }
    }
    EXPECT_EQ(targets, c.targets);
    EXPECT_EQ(rejections, c.rejections);
  }
}

INSTANTIATE_TEST_SUITE_P(Lists, PublishedList,
                         testing::Values(ListCase{"MSL", 0, 0, false, 40, 20, {{10, 20}}},
                                         ListCase{"MSL", 0, 0, true, 12, 6, {{10, 6}}},
                                         ListCase{"MSL", 0, 1, false, 72, 36, {{10, 18}, {11, 18}}},
                                         ListCase{"MSL", 0, 1, true, 12, 6, {{10, 3}, {11, 3}}},
                                         ListCase{"MSL", 0, 2, false, 96, 48, {{10, 16}, {11, 16}, {12, 16}}},
                                         ListCase{"MSL", 0, 2, true, 12, 6, {{10, 2}, {11, 2}, {12, 2}}},
                                         // The list of 40 twice.
                                         ListCase{"FA4L", 0, 0, false, 80, 40, {{10, 20}, {11, 20}}},
                                         ListCase{"FA4L", 1, 0, false, 80, 40, {{10, 20}, {11, 20}}},
                                         ListCase{"FA4L", 0, 1, false, 80, 40, {{10, 20}, {11, 20}}},
                                         ListCase{"FA4L", 1, 1, false, 80, 40, {{10, 20}, {11, 20}}},
                                         ListCase{"FA4L", 0, 0, true, 12, 6, {{10, 3}, {11, 3}}},
                                         ListCase{"FA4L", 1, 1, true, 12, 6, {{10, 3}, {11, 3}}},
                                         ListCase{"MSO1", 0, 0, false, 40, 20, {{kCatCorrectRejection, 20}}},
                                         ListCase{"MSO1", 0, 1, false, 40, 20, {{kCatCorrectRejection, 20}}},
                                         ListCase{"MSO1", 0, 1, true, 12, 6, {{kCatCorrectRejection, 6}}}));

}  // namespace

}  // namespace qel

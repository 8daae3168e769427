// How the facial-emotion tasks judge a trial (command 25: target or not)
// and refine the run engine's categories (command 27), as a table of cases.
// Each case runs as the run does it: the trial is set, its faces are shown
// (command 12), then the answer is classified.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

struct JudgeCase {
  const char* task;
  int part;  // 0-based
  const char* code;
  bool target;
  int32_t category;  // of the run engine
  int32_t becomes;   // after command 27
};

std::ostream& operator<<(std::ostream& os, const JudgeCase& c) {
  return os << c.task << " part " << c.part + 1 << " \"" << c.code << "\" category " << c.category;
}

const JudgeCase kCases[] = {
    // Matching: the same emotion in characters 3 and 6 is a target; categories
    // 1-4 become category x 4096 + 16 x the larger + the smaller emotion.
    {"MFE8", 0, "w17w26", false, kCatCorrectRejection, 0x2076},  // shame beside surprise
    {"MFE8", 0, "w17w26", false, kCatFalseAlarm, 0x3076},
    {"MFE8", 0, "m24w14", true, kCatHit, 0x1044},  // fear beside fear
    {"MFE8", 0, "m24w14", true, kCatMiss, 0x4044},
    {"MFE8", 0, "m11w21", true, kCatHit, 0x1011},          // a hit on a happy pair
    {"MFE8", 0, "w14m27", false, kCatFalseAlarm, 0x3074},  // fear beside shame
    {"MFE8", 0, "m27w14", false, kCatFalseAlarm, 0x3074},  // either way round
    {"MFE8", 0, "m18w28", true, kCatHit, 0x1088},
    {"MFE8", 0, "w24m11", false, kCatAnticipation, kCatAnticipation},  // other categories pass
    {"MFE8", 0, "w24m11", false, kCatOmission, kCatOmission},
    {"MFE8", 0, "w24m11", false, kCatSkipped, kCatSkipped},
    {"MFE6", 0, "m15w16", false, kCatCorrectRejection, 0x2065},
    {"MFE6", 0, "w26m16", true, kCatHit, 0x1066},
    {"MFE4", 0, "m13w24", false, kCatCorrectRejection, 0x2043},
    {"MFE4", 0, "w12m22", true, kCatMiss, 0x4022},
    // Five characters or fewer: no target, nothing shown, no emotions.
    {"MFE4", 0, "m11w1", false, kCatCorrectRejection, 0x2000},
    {"MFE4", 0, "", false, kCatFalseAlarm, 0x3000},
    // Identification: the third character against the part's emotion.
    {"IFE", 2, "m23", true, kCatHit, kCatHit},  // part "Angry"
    {"IFE", 2, "w21", false, kCatCorrectRejection, kCatCorrectRejection},
    {"IFE", 2, "m2", false, kCatCorrectRejection, kCatCorrectRejection},  // two characters
    {"IFE", 0, "w11", true, kCatMiss, kCatMiss},
    {"IFE", 7, "m28", true, kCatHit, kCatHit},  // part "Contempt"
    {"IFE", 7, "m20", false, kCatFalseAlarm, kCatFalseAlarm},
    // Averted: categories 1-4 become 10-13 with a straight gaze, 14-17 averted.
    {"IAE", 0, "m11R", true, kCatHit, 14},
    {"IAE", 0, "m11", true, kCatHit, 10},
    {"IAE", 0, "w21L", true, kCatMiss, 17},
    {"IAE", 0, "m11r", true, kCatHit, 14},  // lower case counts
    {"IAE", 0, "m11x", true, kCatHit, 10},  // not a gaze letter: straight
    {"IAE", 0, "m22", false, kCatCorrectRejection, 11},
    {"IAE", 0, "m22L", false, kCatCorrectRejection, 15},
    {"IAE", 0, "w10", false, kCatFalseAlarm, 12},
    {"IAE", 0, "w13R", false, kCatFalseAlarm, 16},
    {"IAE", 0, "m22", false, kCatMiss, 13},
    {"IAE", 3, "w24L", true, kCatHit, 14},  // part "Fear"
    {"IAE", 3, "w24L", true, kCatAnticipation, kCatAnticipation},
    {"IAE", 3, "w2", false, kCatOmission, kCatOmission},
};

class FaceJudging : public testing::TestWithParam<JudgeCase> {};

TEST_P(FaceJudging, TargetAndCategory) {
  const JudgeCase& c = GetParam();
  LoadedTask t(c.task, 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, c.part));
  ASSERT_TRUE(t.BeginRun());
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  EXPECT_EQ(t.Judge(slot), c.target);
  // The key the run then expects: the right button for a target.
  EXPECT_EQ(t.Value(kCmdCorrectResponse, reinterpret_cast<intptr_t>(slot)),
            c.target ? t.m_host.rightCode : t.m_host.leftCode);
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&t.m_display)));
  EXPECT_EQ(t.Value(kCmdClassifyResponse, c.category, 0), c.becomes);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaceJudging, testing::ValuesIn(kCases));

// The emotions come from the pair shown last: a short code shown after a
// full one leaves none behind.
TEST(MatchingClassification, ShortCodeAfterAPairKeepsNoEmotions) {
  LoadedTask t("MFE8");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  char pair[kTrialCodeSize] = "w17w26";
  char shortCode[kTrialCodeSize] = "w17";
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(pair), reinterpret_cast<intptr_t>(&t.m_display)));
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatCorrectRejection, 0), 0x2076);
  ASSERT_TRUE(
      t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(shortCode), reinterpret_cast<intptr_t>(&t.m_display)));
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatCorrectRejection, 0), 0x2000);
}

}  // namespace

}  // namespace qel

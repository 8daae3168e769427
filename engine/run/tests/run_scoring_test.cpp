// Response categories, stored records and trial dispositions: what one
// trial leaves in the run data and whether it is given again.
#include <gtest/gtest.h>

#include <cctype>

#include "engine/run/tests/RunTestRig.h"

namespace qel {

using namespace test;

namespace {

constexpr int32_t kNoAnswer = INT32_MIN;
// An answer to a response that neither accepts it nor skips or excludes the trial.
constexpr int32_t kRejectingAnswer = 9;

struct ScoreCase {
  const char* name;
  uint32_t taskType;
  uint32_t flags;
  const char* code;  // "T.." target, "N.." non-target; the digit is the expected key
  TrialScript testee;
  Record expected;
  bool repeated;  // the same trial is given again
  uint32_t acRun = 0, omRun = 0;
  int32_t answerToResponse = kNoAnswer;  // the plug-in's answer to a response
  int32_t answerAtDeadline = kNoAnswer;  // ... to the deadline
  int32_t endAt = -1;                    // ms after onset at which the trial-ended poll ends the trial
  int32_t classifyTo = kNoAnswer;        // the plug-in's reclassification; refused when unset
  bool showSignal = true;
};

TrialScript Key(int32_t rt, int32_t bits = 1) { return TrialScript{rt, 50, bits}; }
const TrialScript kNone{-1, 0, 0};

}  // namespace

class ScoringTest : public testing::TestWithParam<ScoreCase> {};

TEST_P(ScoringTest, TrialIsCategorisedStoredAndDisposed) {
  const ScoreCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskType = c.taskType;
  rig.Words().TaskFlags = c.flags;
  rig.m_script.trials = {c.testee};
  rig.m_script.showSignal = c.showSignal;
  if (c.answerToResponse != kNoAnswer) rig.m_script.onResponse = [&](int32_t, int32_t) { return c.answerToResponse; };
  if (c.answerAtDeadline != kNoAnswer) rig.m_script.onTimeout = [&] { return c.answerAtDeadline; };
  if (c.endAt >= 0) {
    rig.m_script.trialEnded = [&](uint32_t now) {
      return rig.m_script.sequence == 0 && rig.m_script.shown && now - rig.m_script.shownAt == uint32_t(c.endAt)
                 ? kTrialEndsNow
                 : kTrialGoesOn;
    };
  }
  if (c.classifyTo != kNoAnswer) {
    rig.m_script.classify = [&](int32_t, int32_t, int32_t* out) {
      *out = c.classifyTo;
      return true;
    };
  }
  rig.SetTrials({c.code, "N0", "N0"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdSetTrial).size() >= 2; }));

  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 1u) << c.name;
  EXPECT_EQ(records[0], c.expected) << c.name;
  EXPECT_EQ(rig.m_script.Calls(kCmdSetTrial)[1].code, c.repeated ? std::string(c.code) : "N0") << c.name;
  EXPECT_EQ(rig.m_machine->GetAcRun(), c.acRun) << c.name;
  EXPECT_EQ(rig.m_machine->GetOmRun(), c.omRun) << c.name;
  // The final category went to the plug-in's reclassification with the response code.
  if (c.classifyTo != kNoAnswer) {
    const std::vector<PluginCall> classify = rig.m_script.Calls(kCmdClassifyResponse);
    ASSERT_EQ(classify.size(), 1u);
    EXPECT_EQ(classify[0].b, c.expected.code);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Categories, ScoringTest,
    testing::Values(ScoreCase{"single: hit", kResponseSingle, 0, "T1", Key(300), {kCatHit, 300, 1, kCatHit}, false},
                    ScoreCase{"single: false alarm",
                              kResponseSingle,
                              0,
                              "N1",
                              Key(250, 4),
                              {kCatFalseAlarm, 250, 4, kCatFalseAlarm},
                              false},
                    ScoreCase{"single: miss", kResponseSingle, 0, "T1", kNone, {kCatMiss, 0, 0, kCatMiss}, false},
                    ScoreCase{"single: correct rejection",
                              kResponseSingle,
                              0,
                              "N1",
                              kNone,
                              {kCatCorrectRejection, 0, 0, kCatCorrectRejection},
                              false},
                    ScoreCase{"single, omissions counted: omission",
                              kResponseSingle,
                              kTaskFlagCountOmissions,
                              "N1",
                              kNone,
                              {kCatOmission, 0, 0, kCatOmission},
                              true,
                              0,
                              1},
                    ScoreCase{"two-choice: expected key on a target",
                              kResponseTwoChoice,
                              0,
                              "T1",
                              Key(400, 1),
                              {kCatHit, 400, 1, kCatHit},
                              false},
                    ScoreCase{"two-choice: wrong key on a target",
                              kResponseTwoChoice,
                              0,
                              "T1",
                              Key(400, 2),
                              {kCatMiss, 400, 2, kCatMiss},
                              false},
                    ScoreCase{"two-choice: expected key on a non-target",
                              kResponseTwoChoice,
                              0,
                              "N2",
                              Key(400, 2),
                              {kCatCorrectRejection, 400, 2, kCatCorrectRejection},
                              false},
                    ScoreCase{"two-choice: wrong key on a non-target",
                              kResponseTwoChoice,
                              0,
                              "N2",
                              Key(400, 1),
                              {kCatFalseAlarm, 400, 1, kCatFalseAlarm},
                              false},
                    ScoreCase{"two-choice: no response is an omission",
                              kResponseTwoChoice,
                              0,
                              "T1",
                              kNone,
                              {kCatOmission, 0, 0, kCatOmission},
                              true,
                              0,
                              1},
                    ScoreCase{"before the valid window: anticipation",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(60),
                              {kCatAnticipation, 0, 1, kCatAnticipation},
                              true,
                              1,
                              0},
                    ScoreCase{"plug-in skips the trial",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatSkipped, 0, 1, kCatSkipped},
                              true,
                              0,
                              0,
                              kResponseSkipTrial},
                    // An excluded trial counts, stored as "not classified" with the final category 8.
                    ScoreCase{"plug-in excludes at the response",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatNone, 0, 1, kCatExcluded},
                              false,
                              0,
                              0,
                              kResponseExcludeTrial},
                    ScoreCase{"plug-in rejects the response",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatMiss, 0, 1, kCatMiss},
                              false,
                              0,
                              0,
                              kRejectingAnswer},
                    ScoreCase{"deadline scored as a response in the window",
                              kResponseSingle,
                              0,
                              "T1",
                              kNone,
                              {kCatHit, 1500, 0, kCatHit},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoResponseInWindow},
                    ScoreCase{"plug-in excludes at the deadline",
                              kResponseSingle,
                              0,
                              "N1",
                              kNone,
                              {kCatNone, 0, 0, kCatExcluded},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoResponseExclude},
                    ScoreCase{"plug-in ends the trial",
                              kResponseSingle,
                              0,
                              "T1",
                              kNone,
                              {kCatNone, 0, 0, kCatExcluded},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoAnswer,
                              200},
                    ScoreCase{"hit reclassified as excluded",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatNone, 300, 1, kCatExcluded},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoAnswer,
                              -1,
                              kCatExcluded},
                    ScoreCase{"hit refined by the plug-in",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatHit, 300, 1, 12},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoAnswer,
                              -1,
                              12},
                    ScoreCase{"signal refused: the trial ends unshown",
                              kResponseSingle,
                              0,
                              "T1",
                              Key(300),
                              {kCatMiss, 0, 0, kCatMiss},
                              false,
                              0,
                              0,
                              kNoAnswer,
                              kNoAnswer,
                              -1,
                              kNoAnswer,
                              false}),
    [](const testing::TestParamInfo<ScoreCase>& info) {
      std::string name;
      for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

TEST(Scoring, RefusedSignalWritesNoOnsetByte) {
  RunRig rig;
  rig.m_script.showSignal = false;
  rig.SetTrials({"T1", "N0"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.PortBytes(), std::vector<uint8_t>{0});
  EXPECT_TRUE(rig.m_script.Calls(kCmdHideSignal).empty());
  EXPECT_EQ(rig.Records().size(), 2u);
}

TEST(Scoring, MeanReactionTimeAndCategoryCounts) {
  RunRig rig;
  rig.m_script.trials = {Key(300), Key(401), Key(60), kNone, Key(500)};
  rig.SetTrials({"T1", "T1", "N1", "N1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  // Hit 300, hit 401, AC (given again), CR, FA 500.
  EXPECT_EQ(rig.m_machine->GetCategoryCount(kCatHit), 2);
  EXPECT_EQ(rig.m_machine->GetCategoryCount(kCatAnticipation), 1);
  EXPECT_EQ(rig.m_machine->GetCategoryCount(kCatCorrectRejection), 1);
  EXPECT_EQ(rig.m_machine->GetCategoryCount(kCatFalseAlarm), 1);
  EXPECT_EQ(rig.m_machine->GetMeanReactionTime(), (300 + 401 + 500) / 3);
  EXPECT_EQ(rig.Records().size(), 5u);
}

TEST(Scoring, FeedbackFollowsFalseAlarmsAndMisses) {
  RunRig rig;
  rig.Words().TaskFbk = kFeedbackAudio;
  rig.Words().TaskControl = kEventsRate;
  rig.m_script.trials = {Key(300), Key(300), kNone};
  rig.SetTrials({"T1", "N1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  const std::vector<PluginCall> on = rig.m_script.Calls(kCmdFeedbackOn);
  const std::vector<PluginCall> off = rig.m_script.Calls(kCmdFeedbackOff);
  ASSERT_EQ(on.size(), 2u) << "after the false alarm and the miss, not after the hit";
  ASSERT_EQ(off.size(), 2u);
  for (size_t i = 0; i < 2; ++i) EXPECT_EQ(off[i].at - on[i].at, CRunMachine::kFeedbackDurationMs);
  // The next trial waits for the feedback to end.
  const std::vector<PluginCall> trials = rig.m_script.Calls(kCmdSetTrial);
  ASSERT_EQ(trials.size(), 3u);
  EXPECT_GT(trials[2].at, off[0].at);
}

TEST(Scoring, ReleaseIndicatorAndResponseIndicator) {
  RunRig rig;
  rig.m_script.trials = {TrialScript{300, 400, 1}};
  rig.SetTrials({"T1", "N0"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Count(kRunEventResponse) == 1; }));
  EXPECT_STREQ(rig.m_machine->GetIndicator(CRunMachine::kIndResponse), "!");
  EXPECT_STREQ(rig.m_machine->GetIndicator(CRunMachine::kIndSignal), "");
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Count(kRunEventRelease) == 1; }));
  EXPECT_STREQ(rig.m_machine->GetIndicator(CRunMachine::kIndResponse), "Missing");
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Count(kRunEventNextTrial) == 2; }));
  EXPECT_STREQ(rig.m_machine->GetIndicator(CRunMachine::kIndResponse), "");
}

}  // namespace qel

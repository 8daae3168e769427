// Interruptions and breaks: too many anticipations or omissions, the
// testee's Escape, the break word of the display, step-back and trial
// replacement.
#include <gtest/gtest.h>

#include "engine/run/tests/RunTestRig.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

using namespace test;
using qel::test::PromptRecorder;

namespace {

std::vector<std::string> TrialCodes(const PluginScript& s) {
  std::vector<std::string> codes;
  for (const PluginCall& c : s.Calls(kCmdSetTrial)) codes.push_back(c.code);
  return codes;
}

bool BreakOnScreen(RunRig& rig) { return rig.m_display.m_opened > 0 && rig.m_display.m_state.load() == kBreakOnScreen; }

}  // namespace

TEST(Interruption, TooManyOmissionsBreakTheRun) {
  PromptRecorder prompts;
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagCountOmissions;
  rig.Words().TaskIntrAfterTrials = 2;
  rig.m_script.trials = {TrialScript{-1, 0, 0}, TrialScript{-1, 0, 0}, TrialScript{-1, 0, 0}};
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T1", "T1", "T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));

  EXPECT_EQ(rig.m_display.m_title, "Trial 1 from 5: Too many OMs!");
  // The operator reads the reason on the run monitor; no message box holds
  // up the break dialog.
  EXPECT_EQ(rig.m_machine->GetStatusText(), "Too many OMs!");
  EXPECT_TRUE(prompts.ShownTexts().empty());
  EXPECT_EQ(rig.m_machine->GetBreakReason(), CRunMachine::BreakReason::kOmissions);
  EXPECT_FALSE(rig.m_machine->BreakWasUser());
  EXPECT_EQ(rig.m_actions.back(), RunEventAction::kBreakOpened);
  EXPECT_EQ(rig.m_script.Calls(kCmdBreakBegin).size(), 1u);
  // While the dialog shows, redraws ask the plug-in again.
  ASSERT_NE(rig.m_display.m_restore, nullptr);
  rig.m_display.m_restore(rig.m_display.m_restoreContext);
  EXPECT_EQ(rig.m_script.Calls(kCmdBreakBegin).size(), 2u);

  // The machine waits for the answer; nothing runs meanwhile.
  const size_t calls = rig.m_script.calls.size();
  rig.Step(5000);
  EXPECT_EQ(rig.m_script.calls.size(), calls);

  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.m_display.m_restore, nullptr);
  EXPECT_FALSE(rig.m_machine->WasStopped());
  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 9u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(records[i].category, kCatOmission);
  EXPECT_EQ(records[3], (Record{kCatSkipped, 0, 0, kCatSkipped}));
  for (int i = 4; i < 9; ++i) EXPECT_EQ(records[i].category, kCatHit);
  EXPECT_EQ(rig.m_machine->GetOmRun(), 0u);
}

TEST(Interruption, TooManyAnticipations) {
  PromptRecorder prompts;
  RunRig rig;
  rig.Words().TaskIntrAfterTrials = 1;
  rig.m_script.trials = {TrialScript{60, 20, 1}, TrialScript{60, 20, 1}};
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  EXPECT_EQ(rig.m_display.m_title, "Trial 1 from 2: Too many ACs!");
  EXPECT_EQ(rig.m_machine->GetStatusText(), "Too many ACs!");
  EXPECT_TRUE(prompts.ShownTexts().empty());
  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.Records().size(), 5u);  // AC, AC, skipped, hit, hit
}

TEST(Interruption, StopAnswerEndsThePart) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagCountOmissions;
  rig.Words().TaskIntrAfterTrials = 0;
  rig.SetTrials({"T1", "T1", "T1"});
  PromptRecorder prompts;
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  rig.m_display.m_state.store(kBreakStop);
  ASSERT_TRUE(rig.RunToEnd(100));
  EXPECT_TRUE(rig.m_machine->WasStopped());
  EXPECT_EQ(rig.m_actions.back(), RunEventAction::kEndRun);
  EXPECT_EQ(rig.m_script.Calls(kCmdEndRun).size(), 1u);
  EXPECT_EQ(rig.m_script.Calls(kCmdSetTrial).size(), 1u);
  EXPECT_EQ(rig.Records().size(), 2u);  // the omission and the skipped trial
}

TEST(Interruption, OperatorAnswersThroughTheRunDialog) {
  RunRig rig;
  rig.m_keyboard.m_escape = true;
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  rig.m_keyboard.m_escape = false;
  rig.m_machine->AnswerBreak(true);
  EXPECT_EQ(rig.m_display.m_state.load(), kBreakStop);
  ASSERT_TRUE(rig.RunToEnd(100));
  EXPECT_TRUE(rig.m_machine->WasStopped());
}

TEST(Interruption, BreakThatCannotOpenEndsAtOnce) {
  PromptRecorder prompts;
  RunRig rig;
  rig.m_display.m_breaksAllowed = false;
  rig.Words().TaskFlags = kTaskFlagCountOmissions;
  rig.Words().TaskIntrAfterTrials = 0;
  rig.m_script.trials = {TrialScript{-1, 0, 0}};
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_TRUE(prompts.ShownTexts().empty());
  EXPECT_EQ(rig.m_script.Calls(kCmdBreakBegin).size(), 0u);
  // No dialog, so no skipped trial: the omission, then two hits.
  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].category, kCatOmission);
  EXPECT_EQ(records[1].category, kCatHit);
}

TEST(Interruption, EscapeHeldRequestsOneBreak) {
  PromptRecorder prompts;
  RunRig rig;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 1; }));
  rig.m_keyboard.m_escape = true;
  rig.Step(300);
  EXPECT_EQ(rig.m_display.m_opened, 1);
  EXPECT_EQ(rig.Count(kRunEventBreak), 1);
  EXPECT_EQ(rig.m_display.m_title, "Trial 1 from 3: User Break!");
  EXPECT_TRUE(rig.m_machine->BreakWasUser());
  EXPECT_EQ(rig.m_machine->GetStatusText(), "User Break!");
  EXPECT_TRUE(prompts.ShownTexts().empty());
  rig.m_keyboard.m_escape = false;
  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunToEnd());
  // The interrupted trial is given again: skipped record, then three hits.
  EXPECT_EQ(rig.Records().size(), 4u);
  EXPECT_EQ(rig.Records()[0].category, kCatSkipped);
}

// A trial the testee interrupted is replaced before it is given again.
struct ReplaceCase {
  uint32_t replace;
  std::vector<std::string> codes;
  std::string again;  // the code given after the break
};

class TrialReplacementTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(TrialReplacementTest, UserBreakReplacesTheTrial) {
  const ReplaceCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskIntrReplaceTrial = c.replace;
  rig.m_host->codeOffset = 1;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials(c.codes);
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 1; }));
  rig.m_keyboard.m_escape = true;
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  rig.m_keyboard.m_escape = false;
  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdSetTrial).size() == 2; }));
  EXPECT_EQ(rig.m_script.Calls(kCmdSetTrial)[1].code, c.again);
}

INSTANTIATE_TEST_SUITE_P(Replace, TrialReplacementTest,
                         testing::Values(ReplaceCase{kReplaceNo, {"TABCD", "TWXYZ"}, "TABCD"},
                                         ReplaceCase{kReplaceRotateHorizontally, {"TABCD", "TWXYZ"}, "TCDAB"},
                                         ReplaceCase{kReplaceRotateHorizontally, {"TABC", "TWXYZ"}, "TABC"},
                                         ReplaceCase{kReplaceRotateDiagonally, {"TABCDEFGH", "TWXYZ"}, "TGHEFCDAB"},
                                         ReplaceCase{kReplaceRotateDiagonally, {"TABCDEF", "TWXYZ"}, "TABCDEF"},
                                         ReplaceCase{kReplaceSwapNext, {"TABCD", "TWXYZ"}, "TWXYZ"},
                                         ReplaceCase{kReplaceSwapNext, {"TABCD"}, "TABCD"}));

TEST(Interruption, OmissionReplacesTheTrialItGivesAgain) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagCountOmissions;
  rig.Words().TaskIntrReplaceTrial = kReplaceSwapNext;
  rig.m_script.trials = {TrialScript{-1, 0, 0}};
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T2", "T3"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"T1", "T2", "T1", "T3"}));
}

// Step-back after a break: the plug-in's answer to the break, applied only
// when the index allows it.
struct StepBackCase {
  uint32_t breakAt;
  int32_t stepBack;
  uint32_t resumeAt;
};

class StepBackTest : public testing::TestWithParam<StepBackCase> {};

TEST_P(StepBackTest, BreakStepsBack) {
  const StepBackCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = 400;
  rig.Words().TaskVRHigh = 300;
  rig.m_script.stepBack = c.stepBack;
  rig.m_script.resumeDelay = 700;
  rig.m_script.otherTrials = TrialScript{150, 20, 1};
  std::vector<std::string> codes;
  for (int i = 0; i < 8; ++i) codes.push_back("T" + std::to_string(i));
  rig.SetTrials(codes);
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] {
    return rig.m_machine->GetTrialIndex() == c.breakAt && rig.m_machine->GetPhase() == CRunMachine::Phase::kTrial;
  }));
  rig.m_keyboard.m_escape = true;
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  rig.m_keyboard.m_escape = false;
  rig.m_display.m_state.store(kBreakContinue);
  const size_t before = rig.m_script.Calls(kCmdSetTrial).size();
  const uint32_t answered = rig.Now();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdSetTrial).size() == before + 1; }));
  EXPECT_EQ(rig.m_script.Calls(kCmdSetTrial).back().code, "T" + std::to_string(c.resumeAt));
  EXPECT_EQ(rig.m_machine->GetTrialIndex(), c.resumeAt);
  // The next signal comes after the plug-in's resume delay.
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).back().at > answered; }));
  EXPECT_GE(rig.m_script.Calls(kCmdShowSignal).back().at, answered + 700);
}

INSTANTIATE_TEST_SUITE_P(StepBack, StepBackTest,
                         testing::Values(StepBackCase{5, 3, 2}, StepBackCase{3, 3, 0}, StepBackCase{2, 3, 2},
                                         StepBackCase{4, 0, 4}, StepBackCase{4, -2, 4}));

TEST(Interruption, BreakInTheSecondListIsTitledWithAStarAndStoresNothing) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagSecondListFirst;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T2"});
  rig.SetSecondList({"S1", "S2", "S3"});
  ASSERT_TRUE(rig.Start(false));
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 2; }));
  rig.m_keyboard.m_escape = true;
  ASSERT_TRUE(rig.RunUntil([&] { return BreakOnScreen(rig); }));
  EXPECT_EQ(rig.m_display.m_title, "Trial *2 from 3: User Break!");
  EXPECT_TRUE(rig.Records().empty()) << "no skipped record for a trial of the second list";
  rig.m_keyboard.m_escape = false;
  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"S1", "S2", "S2", "S3", "T1", "T2"}));
  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].category, kCatHit);
  EXPECT_EQ(records[1].category, kCatHit);
}

}  // namespace qel

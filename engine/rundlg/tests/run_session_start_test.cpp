// Starting runs without a window: the question before overwriting stored
// trials, one run at a time, and every way a start can fail.
#include "app/settings/SystemSettings.h"
#include "common/Prompt.h"
#include "engine/rundlg/RunBreakTexts.h"
#include "engine/rundlg/tests/RunSessionFixture.h"
#include "include/qel/TaskEntry.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class SessionStart : public RunSessionFixture {};

}  // namespace

TEST_F(SessionStart, StoredTrialsAskBeforeOverwritingAndCancelLeavesEverythingUntouched) {
  m_project.m_storedTrials = 12;
  m_task.currentAssessment = 2;
  RunData().category[0][0] = 77;
  m_prompts.SetAnswer(kAnswerCancel);

  EXPECT_FALSE(Start(RunKind::kTest, &m_project));
  ASSERT_EQ(m_prompts.Shown().size(), 1u);
  EXPECT_EQ(m_prompts.Shown()[0].text,
            "Project: /data/study.qep\r\nTestee: P01\r\nModel: Model A\r\nTask: SC\r\nPart: 1\r\nAssessment: 2\r\n"
            "Already performed!\r\nOVERWRITE?\n");
  EXPECT_EQ(m_prompts.Shown()[0].style, kPromptOkCancel | kPromptIconWarning | kPromptDefault2);
  Pump();
  EXPECT_FALSE(m_session->IsRunInProgress());
  EXPECT_TRUE(m_devices.m_log.empty());
  EXPECT_TRUE(m_notifier.m_caller.empty());
  EXPECT_TRUE(m_monitor.m_log.empty());
  EXPECT_TRUE(m_script.Commands().empty());
  EXPECT_EQ(RunData().category[0][0], 77);
  EXPECT_TRUE(PortBytes().empty());
  EXPECT_TRUE(m_scores.m_seen.empty());

  // OK goes on with the run.
  m_prompts.SetAnswer(kAnswerOk);
  EXPECT_TRUE(Start(RunKind::kTest, &m_project));
  EXPECT_TRUE(m_session->IsRunActive());
  EXPECT_FALSE(m_session->IsPractice());
  EXPECT_EQ(m_notifier.m_caller, (std::vector<int>{kNotifyRunStarted}));
  EXPECT_EQ(RunData().category[0][0], 0) << "the part's arrays are cleared";
  EXPECT_EQ(m_host.m_taskHost.practiceFlag, 0);
}

TEST_F(SessionStart, NoStoredTrialsNoQuestionAndAFailedReadStartsNothing) {
  EXPECT_TRUE(Start(RunKind::kTest, &m_project));
  EXPECT_TRUE(m_prompts.Shown().empty());
  m_session->AbortRun();
  EXPECT_FALSE(m_session->IsRunInProgress());

  m_project.m_readOk = false;
  m_devices.m_log.clear();
  EXPECT_FALSE(Start(RunKind::kTest, &m_project, "P01", nullptr));
  EXPECT_TRUE(m_prompts.Shown().empty());
  EXPECT_TRUE(m_devices.m_log.empty());
  EXPECT_FALSE(m_session->IsRunInProgress());

  // A test run needs a project to be stored in.
  EXPECT_FALSE(Start(RunKind::kTest, nullptr));
  EXPECT_TRUE(m_devices.m_log.empty());
}

// Without real-time rights the operator hears of it once, at the first test
// run, and the run goes on; practice runs say nothing.
TEST_F(SessionStart, ATestRunWithoutRealTimeRightsWarnsOnce) {
  m_source.SetRealTimeAllowed(false);
  EXPECT_TRUE(Start(RunKind::kPractice));
  m_session->AbortRun();
  EXPECT_TRUE(m_prompts.ShownTexts().empty());
  EXPECT_TRUE(Start(RunKind::kTest, &m_project));
  m_session->AbortRun();
  EXPECT_TRUE(Start(RunKind::kTest, &m_project));
  m_session->AbortRun();
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(m_prompts.ShownTexts()[0], kNoRealTimeWarning);
}

TEST_F(SessionStart, OnlyOneRunAtATimeAndTheRunningOneKeepsItsTestee) {
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project, "P01", "Model A"));
  FakeProject other;
  for (const RunKind kind : {RunKind::kTest, RunKind::kPractice, RunKind::kSignals}) {
    EXPECT_FALSE(Start(kind, &other, "P99", "Model B"));
  }
  EXPECT_EQ(m_script.Count(kCmdSetupRun), 1);
  EXPECT_EQ(other.m_reads, 0);
  // A refused start writes nothing to the recording equipment.
  EXPECT_EQ(PortBytes(), (std::vector<uint8_t>{0, 0}));

  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_EQ(m_scores.m_seen[0].request.project, &m_project);
  EXPECT_EQ(m_scores.m_seen[0].request.testeeCode, "P01");
  EXPECT_EQ(m_scores.m_seen[0].request.modelName, "Model A");
  ASSERT_EQ(m_project.m_writes.size(), 1u);
  EXPECT_EQ(m_project.m_writes[0].testee, "P01");
  EXPECT_TRUE(other.m_writes.empty());
}

// A failing step: what the start opened before it failed, then every
// release of a run, in order.
struct FailureCase {
  const char* failAt;
  int buttonType;
  std::vector<std::string> opened;
};

class SessionStartFailure : public RunSessionFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SessionStartFailure, ReleasesEverythingAndOffersNoScore) {
  const FailureCase& c = GetParam();
  g_ButtonType = c.buttonType;
  m_devices.m_failAt = c.failAt;
  if (std::string(c.failAt) == "prepare") m_script.prepareResult = false;

  EXPECT_FALSE(Start(RunKind::kTest, &m_project));
  Pump();
  std::vector<std::string> expected = c.opened;
  expected.insert(expected.end(), RunReleases().begin(), RunReleases().end());
  EXPECT_EQ(m_devices.m_log, expected);
  EXPECT_FALSE(m_session->IsRunInProgress());
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_EQ(m_script.Count(kCmdComputeVariables), 0);
  EXPECT_EQ(m_notifier.m_caller, (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_FALSE(m_notifier.m_hasCaller) << "the caller is forgotten";
  EXPECT_FALSE(m_host.Attached()) << "the host has its own clock and display back";
  EXPECT_FALSE(m_timer.IsRunning());
  EXPECT_EQ(m_monitor.Count("going"), 0);
  EXPECT_EQ(m_monitor.m_log.back(), "over");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SessionStartFailure,
    ::testing::Values(FailureCase{"fullscreen", 0, {"fullscreen"}}, FailureCase{"sound", 0, {"fullscreen", "sound"}},
                      FailureCase{"input", 0, {"fullscreen", "sound", "input"}},
                      FailureCase{"response", 0, {"fullscreen", "sound", "input", "response"}},
                      FailureCase{"keyboard", 2, {"fullscreen", "sound", "input", "response", "keyboard"}},
                      FailureCase{"mouse", 2, {"fullscreen", "sound", "input", "response", "keyboard", "mouse"}},
                      FailureCase{"prepare", 1, {"fullscreen", "sound", "input", "response", "keyboard"}}));

TEST_F(SessionStart, ATimerWithoutClockIsReportedAndOpensNoDevice) {
  m_source.SetHasClock(false);
  EXPECT_FALSE(Start(RunKind::kPractice));
  EXPECT_EQ(m_session->GetStatusText(), "Timer not available!");
  EXPECT_GE(m_monitor.Count("progress"), 1) << "the status is shown at once";
  EXPECT_EQ(m_devices.m_log, RunReleases());
  EXPECT_FALSE(m_session->IsRunInProgress());
  EXPECT_TRUE(m_scores.m_seen.empty());
}

TEST_F(SessionStart, AVoiceKeyTaskOpensTheVoiceKeyFirst) {
  m_task.w.TaskFlags |= kTaskFlagVoiceKey;
  ASSERT_TRUE(Start(RunKind::kPractice));
  EXPECT_EQ(m_devices.m_log,
            (std::vector<std::string>{"voicekey", "fullscreen", "sound", "input", "response", "mouse"}));
  EXPECT_TRUE(m_host.Attached());
  EXPECT_EQ(m_host.m_focus, 1) << "the testee's screen has the focus";
  EXPECT_EQ(m_monitor.Count("going"), 1);
}

struct CapacityCase {
  uint32_t trials;
  uint32_t capacity;
};

class SessionCapacity : public RunSessionFixture, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(SessionCapacity, ThreeTimesTheTrialsCutToTheArrays) {
  m_script.codes.assign(GetParam().trials, "N1");
  ASSERT_TRUE(Start(RunKind::kPractice));
  EXPECT_EQ(m_session->Machine().GetResponseCapacity(), GetParam().capacity);
  EXPECT_EQ(m_session->GetTrialCount(), GetParam().trials);
}

INSTANTIATE_TEST_SUITE_P(Trials, SessionCapacity,
                         ::testing::Values(CapacityCase{10, 30}, CapacityCase{2000, 6000}, CapacityCase{2500, 6000}));

TEST_F(SessionStart, BreakTextsByLanguageAndRunKind) {
  g_Language = 2;  // Dutch
  ASSERT_TRUE(Start(RunKind::kPractice));
  // The host's texts by id: 245 stop question, 265 Dutch stop help, 268 Dutch continue help.
  EXPECT_EQ(m_session->GetInstructionText(), "Scripted\n\nhost text 265\n\nhost text 268");
  EXPECT_EQ(m_monitor.Count("instruction"), 1);
  const RunBreakDisplayTexts& texts = m_host.m_breakTexts;
  EXPECT_EQ(texts.text, m_session->GetInstructionText());
  EXPECT_EQ(texts.stopQuestion, "host text 245");
  EXPECT_EQ(texts.caption, "Scripted");
  EXPECT_TRUE(texts.noStopConfirm) << "practice runs ask no stop question";
  EXPECT_FALSE(texts.showButton);
  EXPECT_EQ(m_host.m_taskHost.practiceFlag, 1);
  m_session->AbortRun();

  m_task.w.TaskFlags |= kTaskFlagShowButton;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  EXPECT_FALSE(m_host.m_breakTexts.noStopConfirm);
  EXPECT_TRUE(m_host.m_breakTexts.showButton);
  EXPECT_EQ(m_host.m_taskHost.practiceFlag, 0);
}

}  // namespace qel

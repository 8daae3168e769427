// Starting runs: the question before overwriting stored trials, and every
// way a start can fail.
#include <wx/listbox.h>

#include "app/settings/SystemSettings.h"
#include "common/Prompt.h"
#include "engine/rundlg/tests/RunDialogFixture.h"
#include "include/qel/TaskEntry.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class RunStart : public RunDialogFixture {};

}  // namespace

TEST_F(RunStart, StoredTrialsAskBeforeOverwritingAndCancelLeavesEverythingUntouched) {
  m_project.m_storedTrials = 12;
  m_task.currentAssessment = 2;
  RunData().category[0][0] = 77;
  m_prompts.SetAnswer(qel::kAnswerCancel);

  EXPECT_FALSE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_EQ(m_prompts.Shown().size(), 1u);
  EXPECT_EQ(m_prompts.Shown()[0].text,
            "Project: /data/study.qep\r\nTestee: P01\r\nModel: Model A\r\nTask: SC\r\nPart: 1\r\nAssessment: 2\r\n"
            "Already performed!\r\nOVERWRITE?\n");
  EXPECT_EQ(m_prompts.Shown()[0].style, qel::kPromptOkCancel | qel::kPromptIconWarning | qel::kPromptDefault2);
  Pump();
  EXPECT_FALSE(m_dialog->IsRunInProgress());
  EXPECT_TRUE(m_devices.m_log.empty());
  EXPECT_TRUE(m_caller->m_entries.empty());
  EXPECT_TRUE(TheScript().Commands().empty());
  EXPECT_EQ(RunData().category[0][0], 77);
  EXPECT_TRUE(PortBytes().empty());
  EXPECT_TRUE(m_scores.m_seen.empty());

  // OK goes on with the run.
  m_prompts.SetAnswer(qel::kAnswerOk);
  EXPECT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  EXPECT_TRUE(m_dialog->IsRunActive());
  EXPECT_FALSE(m_dialog->IsPractice());
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted}));
  EXPECT_EQ(RunData().category[0][0], 0) << "the part's arrays are cleared";
}

TEST_F(RunStart, NoStoredTrialsNoQuestionAndAFailedReadStartsNothing) {
  EXPECT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  EXPECT_TRUE(m_prompts.Shown().empty());
  m_dialog->AbortRun();
  EXPECT_FALSE(m_dialog->IsRunInProgress());

  m_project.m_readOk = false;
  m_devices.m_log.clear();
  EXPECT_FALSE(m_dialog->RunTest(&m_project, "P01", nullptr));
  EXPECT_TRUE(m_prompts.Shown().empty());
  EXPECT_TRUE(m_devices.m_log.empty());
  EXPECT_FALSE(m_dialog->IsRunInProgress());
}

TEST_F(RunStart, OnlyOneRunAtATime) {
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_FALSE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_FALSE(m_dialog->RunSignals(nullptr, nullptr, nullptr));
  EXPECT_EQ(TheScript().Count(kCmdSetupRun), 1);
  // A refused start writes nothing to the recording equipment.
  const std::vector<uint8_t> before = PortBytes();
  EXPECT_EQ(before, (std::vector<uint8_t>{0, 0}));
  EXPECT_FALSE(m_dialog->StartRun());
  EXPECT_EQ(PortBytes(), before);
}

// A failing step with the response device set up: what the start opened
// before it failed, then every release of a run.
struct FailureCase {
  const char* failAt;
  int buttonType;
  std::vector<std::string> opened;
};

class RunStartFailure : public RunDialogFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunStartFailure, ReleasesEverythingAndOffersNoScore) {
  const FailureCase& c = GetParam();
  g_ButtonType = c.buttonType;
  m_devices.m_failAt = c.failAt;
  if (std::string(c.failAt) == "command2") TheScript().prepareResult = false;
  m_devices.m_realDisplay = true;

  EXPECT_FALSE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  Pump();
  std::vector<std::string> expected = c.opened;
  expected.insert(expected.end(), RunReleases().begin(), RunReleases().end());
  EXPECT_EQ(m_devices.m_log, expected);
  EXPECT_FALSE(m_dialog->IsRunInProgress());
  EXPECT_EQ(Host().Display().GetWndDD()->GetWindow(), nullptr) << "the testee's screen is freed";
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_EQ(TheScript().Count(kCmdComputeVariables), 0);
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_EQ(Host().display, static_cast<IDDDisplay*>(&Host().Display())) << "the host has its own display back";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, RunStartFailure,
    ::testing::Values(FailureCase{"fullscreen", 0, {"fullscreen"}}, FailureCase{"sound", 0, {"fullscreen", "sound"}},
                      FailureCase{"input", 0, {"fullscreen", "sound", "input"}},
                      FailureCase{"response", 0, {"fullscreen", "sound", "input", "response"}},
                      FailureCase{"keyboard", 2, {"fullscreen", "sound", "input", "response", "keyboard"}},
                      FailureCase{"mouse", 2, {"fullscreen", "sound", "input", "response", "keyboard", "mouse"}},
                      FailureCase{"command2", 1, {"fullscreen", "sound", "input", "response", "keyboard"}}));

TEST_F(RunStart, ADisplayIndexThatNamesNoDisplayIsToldAndStartsNothing) {
  m_devices.m_realDisplay = true;
  const int saved = g_ScreenInd;
  g_ScreenInd = 4;
  EXPECT_FALSE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  g_ScreenInd = saved;
  Pump();
  ASSERT_EQ(m_prompts.Shown().size(), 1u);
  EXPECT_EQ(m_prompts.Shown()[0].text, "Display 4 not found!\nChoose the run's display in the system configuration.");
  EXPECT_FALSE(m_dialog->IsRunInProgress());
  EXPECT_EQ(Host().Display().GetWndDD()->GetWindow(), nullptr);
  EXPECT_EQ(TheScript().Count(kCmdSetupRun), 0);
}

TEST_F(RunStart, ATimerWithoutClockIsReportedAndOpensNoDevice) {
  m_source.SetHasClock(false);
  EXPECT_FALSE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_EQ(Label(CDlgRun::kIdStatus), "Timer not available!");
  EXPECT_EQ(m_devices.m_log, RunReleases());
  EXPECT_FALSE(m_dialog->IsRunInProgress());
}

TEST_F(RunStart, AVoiceKeyTaskOpensTheVoiceKeyFirst) {
  m_task.w.TaskFlags |= kTaskFlagVoiceKey;
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_EQ(m_devices.m_log,
            (std::vector<std::string>{"voicekey", "fullscreen", "sound", "input", "response", "mouse"}));
}

struct CapacityCase {
  uint32_t trials;
  uint32_t capacity;
};

class RunCapacity : public RunDialogFixture, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(RunCapacity, ThreeTimesTheTrialsCutToTheArrays) {
  TheScript().codes.assign(GetParam().trials, "N1");
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_EQ(m_dialog->Machine().GetResponseCapacity(), GetParam().capacity);
  EXPECT_EQ(Label(CDlgRun::kIdTrialCount), wxString::Format("%u", GetParam().trials));
}

INSTANTIATE_TEST_SUITE_P(Trials, RunCapacity,
                         ::testing::Values(CapacityCase{10, 30}, CapacityCase{2000, 6000}, CapacityCase{2500, 6000}));

TEST_F(RunStart, CaptionBreakTextsAndReplyListAsTheRunSetsThem) {
  EXPECT_EQ(m_dialog->GetTitle(), "Scripted, Ver.2, Part 1");
  auto* replies = dynamic_cast<wxListBox*>(m_dialog->FindWindow(CDlgRun::kIdBreakReply));
  ASSERT_NE(replies, nullptr);
  ASSERT_EQ(replies->GetCount(), 2u);
  EXPECT_EQ(replies->GetString(0), "Continue");
  EXPECT_EQ(replies->GetString(1), "Stop");
  EXPECT_EQ(replies->GetSelection(), 0);

  g_Language = 2;  // Dutch
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  // The test program's texts: 245 stop question, 265 Dutch stop help, 268 Dutch continue help.
  EXPECT_EQ(m_dialog->GetInstructionText(), "Scripted\n\nStop help NL\n\nContinue help NL");
  const CDDDisplay& display = Host().Display();
  EXPECT_EQ(display.m_strBreakText, m_dialog->GetInstructionText());
  EXPECT_EQ(display.m_strStopQuestion, "Stop the task?");
  EXPECT_EQ(display.m_strStopCaption, "Scripted");
  EXPECT_TRUE(display.m_bNoStopConfirm) << "practice runs ask no stop question";
  EXPECT_FALSE(display.m_bShowButton);
  EXPECT_EQ(Host().practiceFlag, 1);
}

}  // namespace qel

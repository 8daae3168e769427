// Starting runs through the run dialog: what the dialog shows, and what a
// start does to the program's host and its real display (the rules of a
// start are tested on the session, run_session_start_test.cpp).
#include <wx/listbox.h>
#include <wx/textctrl.h>

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

TEST_F(RunStart, AFailedStartFreesTheTesteesScreenAndGivesTheHostItsDisplayBack) {
  UseRealDisplay();
  g_ButtonType = 1;
  TheScript().prepareResult = false;

  EXPECT_FALSE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  Pump();
  EXPECT_EQ(m_devices.m_log.front(), "fullscreen");
  EXPECT_EQ(m_devices.m_log.back(), "-display");
  EXPECT_FALSE(m_dialog->IsRunInProgress());
  EXPECT_EQ(Host().Display().GetWndDD()->GetWindow(), nullptr) << "the testee's screen is freed";
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_EQ(Host().display, static_cast<IDDDisplay*>(&Host().Display())) << "the host has its own display back";
  EXPECT_TRUE(m_scores.m_seen.empty());
}

TEST_F(RunStart, ADisplayIndexThatNamesNoDisplayIsToldAndStartsNothing) {
  UseRealDisplay();
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

TEST_F(RunStart, ATimerWithoutClockIsShownAsTheStatus) {
  m_source.SetHasClock(false);
  EXPECT_FALSE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_EQ(Label(CDlgRun::kIdStatus), "Timer not available!");
  EXPECT_FALSE(m_dialog->IsRunInProgress());
}

// A model written by an older program names its task in Windows-1252:
// before, the name vanished from the caption.
TEST_F(RunStart, ATaskNameThatIsNotUtf8StaysInTheCaption) {
  m_task.TaskName = "T\xE2" "che";
  m_dialog->SetTitle(true);
  EXPECT_EQ(m_dialog->GetTitle(), wxString::FromUTF8("T\xC3\xA2" "che, Ver.2, Part 1"));
}

TEST_F(RunStart, CaptionBreakTextsReplyListAndTrialCountAsTheRunSetsThem) {
  EXPECT_EQ(m_dialog->GetTitle(), "Scripted, Ver.2, Part 1");
  auto* replies = dynamic_cast<wxListBox*>(m_dialog->FindWindow(CDlgRun::kIdBreakReply));
  ASSERT_NE(replies, nullptr);
  ASSERT_EQ(replies->GetCount(), 2u);
  EXPECT_EQ(replies->GetString(0), "Continue");
  EXPECT_EQ(replies->GetString(1), "Stop");
  EXPECT_EQ(replies->GetSelection(), 0);
  EXPECT_FALSE(replies->IsEnabled()) << "the reply waits for a break";
  EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Stop");

  g_Language = 2;  // Dutch
  TheScript().codes.assign(10, "N1");
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, nullptr, nullptr));
  EXPECT_EQ(Label(CDlgRun::kIdTrialCount), "10");
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsEnabled()) << "no closing while the run goes";
  // The test program's texts: 245 stop question, 265 Dutch stop help, 268 Dutch continue help.
  const std::string instruction = "Scripted\n\nStop help NL\n\nContinue help NL";
  EXPECT_EQ(m_dialog->Session().GetInstructionText(), instruction);
  auto* shown = dynamic_cast<wxTextCtrl*>(m_dialog->FindWindow(CDlgRun::kIdInstruction));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetValue().utf8_string(), instruction);
  const CDDDisplay& display = Host().Display();
  EXPECT_EQ(display.m_strBreakText, instruction);
  EXPECT_EQ(display.m_strStopQuestion, "Stop the task?");
  EXPECT_EQ(display.m_strStopCaption, "Scripted");
  EXPECT_TRUE(display.m_bNoStopConfirm) << "practice runs ask no stop question";
  EXPECT_FALSE(display.m_bShowButton);
  EXPECT_EQ(Host().practiceFlag, 1);
  EXPECT_NE(Host().display, static_cast<IDDDisplay*>(&Host().Display())) << "plug-ins draw through the run's view";

  m_dialog->AbortRun();
  EXPECT_TRUE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
}

}  // namespace qel

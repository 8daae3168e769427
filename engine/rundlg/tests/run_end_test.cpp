// Ending runs through the run dialog: its buttons and reply list, the
// counters it shows, and the notify events and score dialog by which the
// session's end reaches the program (the rules of an end are tested on the
// session, run_session_end_test.cpp).
#include <wx/listbox.h>

#include "app/settings/SystemSettings.h"
#include "engine/rundlg/tests/RunDialogFixture.h"
#include "include/qel/TaskEntry.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class RunEnd : public RunDialogFixture {
 protected:
  void Click(int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(m_dialog->FindWindow(id));
    m_dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
  }
  void SelectReply(int i) {
    auto* replies = dynamic_cast<wxListBox*>(m_dialog->FindWindow(CDlgRun::kIdBreakReply));
    replies->SetSelection(i);
    wxCommandEvent select(wxEVT_LISTBOX, CDlgRun::kIdBreakReply);
    select.SetInt(i);
    select.SetEventObject(replies);
    replies->GetEventHandler()->ProcessEvent(select);
  }
};

}  // namespace

TEST_F(RunEnd, AStoredRunIsAnnouncedWithTheDialogsNotifyEvents) {
  PluginScript& script = TheScript();
  script.codes = {"N1", "T1"};
  script.trials = {TrialScript{}, TrialScript{150, 50, 1}};
  m_scores.m_answer = wxID_OK;
  std::vector<QelAssessmentNotice> notices;
  m_view->m_onEvent = [&](CQelNotifyEvent& e) {
    if (e.GetPayload()) notices.push_back(*reinterpret_cast<const QelAssessmentNotice*>(e.GetPayload()));
  };

  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  Pump();

  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_EQ(m_scores.m_seen[0].request.parent, m_dialog) << "the score dialog comes up over the run dialog";
  EXPECT_TRUE(m_scores.m_seen[0].request.savable);
  ASSERT_EQ(m_project.m_writes.size(), 1u);

  EXPECT_EQ(m_view->Codes(), (std::vector<int>{kNotifyNewAssessment, kNotifySelectAssessment}));
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].testeeCode, "P01");
  EXPECT_EQ(notices[0].modelName, "Model A");
  EXPECT_EQ(notices[0].taskCode, "SC");
  EXPECT_EQ(notices[0].assessment, 1u);
  ASSERT_EQ(m_frame->m_entries.size(), 1u);
  EXPECT_EQ(m_frame->m_entries[0], (NotifyRecorder::Entry{kNotifyRefreshViews, kRefreshAfterRun}));
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));

  // The counters as the run left them: one hit, one correct rejection.
  EXPECT_EQ(Label(CDlgRun::kIdCountFirst), "1");
  EXPECT_EQ(Label(CDlgRun::kIdCountFirst + 1), "1");
  EXPECT_EQ(Label(CDlgRun::kIdCountFirst + 2), "0");
}

TEST_F(RunEnd, WithoutTheProgramsScoreDialogNothingIsStored) {
  SetScoreDialogFactory(nullptr);
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_TRUE(m_project.m_writes.empty());
  EXPECT_EQ(TheScript().Count(kCmdComputeVariables), 1);
}

TEST_F(RunEnd, TheStopButtonOutsideABreakEndsTheRunAtOnce) {
  TheScript().codes.assign(20, "T1");
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) == 1; }));
  Click(CDlgRun::kIdStopGo);
  EXPECT_FALSE(m_dialog->IsRunActive());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_TRUE(m_project.m_writes.empty());
}

TEST_F(RunEnd, TheBreakReplyOfTheRunDialogStopsOrContinuesTheRun) {
  UseRealDisplay();
  TheScript().codes.assign(3, "T1");
  for (const int reply : {1, 0}) {
    SCOPED_TRACE(reply);
    ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
    ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) >= 1; }));
    m_devices.m_keyboard.m_escape = true;
    ASSERT_TRUE(RunUntil([&] { return m_dialog->Session().IsGo(); }, 100));
    m_devices.m_keyboard.m_escape = false;
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Go");
    EXPECT_EQ(Host().Display().BreakGetState(), kBreakOnScreen) << "the testee's break dialog is up";
    SelectReply(reply);
    Click(CDlgRun::kIdStopGo);
    EXPECT_FALSE(m_dialog->Session().IsGo());
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Stop");
    ASSERT_TRUE(RunToEnd());
    ASSERT_FALSE(m_scores.m_seen.empty());
    EXPECT_EQ(m_scores.m_seen.back().request.savable, reply == 0);
    EXPECT_EQ(m_dialog->Machine().WasStopped(), reply == 1);
  }
}

}  // namespace qel

// Ending runs: what the score dialog is given, what is stored and who is
// told, for runs that end, are stopped, break, time themselves or only show
// the task's signals.
#include <wx/listbox.h>

#include <atomic>
#include <thread>

#include "app/settings/SystemSettings.h"
#include "engine/rundlg/RunBreakTexts.h"
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

TEST_F(RunEnd, ATestRunThatEndsIsScoredStoredAndAnnounced) {
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
  const ScoreRecorder::Seen& seen = m_scores.m_seen[0];
  EXPECT_EQ(seen.request.parent, m_dialog);
  EXPECT_EQ(seen.request.runData, &RunData());
  EXPECT_EQ(seen.request.project, &m_project);
  EXPECT_EQ(seen.request.testeeCode, "P01");
  EXPECT_EQ(seen.request.modelName, "Model A");
  EXPECT_EQ(seen.request.task, &m_task);
  EXPECT_EQ(seen.request.part, 1);
  EXPECT_TRUE(seen.request.savable);
  EXPECT_FALSE(seen.request.practice);
  EXPECT_EQ(seen.variableCount, 3);
  EXPECT_EQ(seen.firstValue, 42.0);
  EXPECT_EQ(seen.trialsOfPart, 2u) << "the part's trial count is the number of records";
  EXPECT_EQ(RunData().normTableSwitch, 0);

  ASSERT_EQ(m_project.m_writes.size(), 1u);
  EXPECT_EQ(m_project.m_writes[0].testee, "P01");
  EXPECT_EQ(m_project.m_writes[0].variables, 3);
  EXPECT_EQ(m_project.m_writes[0].assessment, 1u);
  EXPECT_EQ(m_task.currentAssessment, 2u) << "the next run makes a new assessment";

  EXPECT_EQ(m_view->Codes(), (std::vector<int>{kNotifyNewAssessment, kNotifySelectAssessment}));
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].testeeCode, "P01");
  EXPECT_EQ(notices[0].modelName, "Model A");
  EXPECT_EQ(notices[0].taskCode, "SC");
  EXPECT_EQ(notices[0].assessment, 1u);
  ASSERT_EQ(m_frame->m_entries.size(), 1u);
  EXPECT_EQ(m_frame->m_entries[0], (NotifyRecorder::Entry{kNotifyRefreshViews, kRefreshAfterRun}));
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));

  std::vector<std::string> expected{"fullscreen", "sound", "input", "response", "mouse"};
  expected.insert(expected.end(), RunReleases().begin(), RunReleases().end());
  EXPECT_EQ(m_devices.m_log, expected);
  // Start; the run's part start; a trial without response (on, off); a
  // response while the signal is on (on, the response byte).
  EXPECT_EQ(PortBytes(), (std::vector<uint8_t>{0, 0, 128, 0, 128, 1}));
  // Command 29 comes after every device went back.
  EXPECT_EQ(TheScript().Commands().back(), kCmdComputeVariables);
}

TEST_F(RunEnd, AUserAddedAndAnExistingRowAreAnnouncedAsSuch) {
  m_project.m_userAdded = true;
  m_project.m_newRow = false;
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_view->Codes(), (std::vector<int>{kNotifyUserAdded, kNotifyAssessmentChanged, kNotifySelectAssessment}));
}

TEST_F(RunEnd, AFailedWriteAnnouncesNothingAndKeepsTheAssessment) {
  m_project.m_writeOk = false;
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  Pump();
  EXPECT_EQ(m_project.m_writes.size(), 1u);
  EXPECT_TRUE(m_view->m_entries.empty());
  EXPECT_TRUE(m_frame->m_entries.empty());
  EXPECT_EQ(m_task.currentAssessment, 1u);
}

TEST_F(RunEnd, CancelInTheScoreDialogStoresNothing) {
  m_scores.m_answer = wxID_CANCEL;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_project.m_writes.empty());
}

TEST_F(RunEnd, StopOutsideABreakEndsAtOnceAndIsNotSavable) {
  TheScript().codes.assign(20, "T1");
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) == 1; }));
  Click(CDlgRun::kIdStopGo);
  EXPECT_FALSE(m_dialog->IsRunActive());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_TRUE(m_project.m_writes.empty()) << "OK on an unsavable run stores nothing";
  EXPECT_EQ(m_devices.m_log.back(), "-display");
}

TEST_F(RunEnd, PracticeIsNeverSavable) {
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunPractice(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.practice);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_EQ(RunData().normTableSwitch, 1) << "no Z-scores for practice";
  EXPECT_TRUE(m_project.m_writes.empty());
}

TEST_F(RunEnd, APlugInBreakFlagMakesTheRunIncompleteUnlessASeriesTaskIsDone) {
  TheScript().breakFlagAtEnd = 1;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);

  // A series task whose plug-in reports its results done stays savable.
  m_task.w.TaskFlags |= kTaskKindSeries << kTaskKindShift;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 2u);
  EXPECT_TRUE(m_scores.m_seen[1].request.savable);
}

TEST_F(RunEnd, ARefusedCommand29ShowsNoScore) {
  TheScript().variables = -1;
  m_scores.m_answer = wxID_OK;
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_TRUE(m_project.m_writes.empty());
}

TEST_F(RunEnd, TheBreakReplyOfTheRunDialogStopsOrContinuesTheRun) {
  m_devices.m_realDisplay = true;
  TheScript().codes.assign(3, "T1");
  for (const int reply : {1, 0}) {
    SCOPED_TRACE(reply);
    ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
    ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) >= 1; }));
    m_devices.m_keyboard.m_escape = true;
    ASSERT_TRUE(RunUntil([&] { return m_dialog->IsGo(); }, 100));
    m_devices.m_keyboard.m_escape = false;
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Go");
    EXPECT_EQ(Host().Display().BreakGetState(), kBreakOnScreen) << "the testee's break dialog is up";
    SelectReply(reply);
    Click(CDlgRun::kIdStopGo);
    EXPECT_FALSE(m_dialog->IsGo());
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Stop");
    ASSERT_TRUE(RunToEnd());
    ASSERT_FALSE(m_scores.m_seen.empty());
    EXPECT_EQ(m_scores.m_seen.back().request.savable, reply == 0);
    EXPECT_EQ(m_dialog->Machine().WasStopped(), reply == 1);
  }
}

TEST_F(RunEnd, ASelfTimedPartRunsOnAWorkerAndEndsWithIt) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  std::atomic<bool> started{false};
  std::atomic<bool> release{false};
  std::atomic<bool> workerOnOtherThread{false};
  const std::thread::id ui = std::this_thread::get_id();
  TheScript().selfTimed = [&] {
    workerOnOtherThread = std::this_thread::get_id() != ui;
    started = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    RunData().category[0][0] = 3;
    return true;
  };
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
  EXPECT_TRUE(workerOnOtherThread);
  EXPECT_EQ(TheScript().Count(kCmdBeginRun), 0) << "the machine does not drive a self-timed part";

  // Stop while the plug-in still runs its part: nothing is given back until
  // the worker has finished.
  Click(CDlgRun::kIdStopGo);
  Pump();
  EXPECT_TRUE(m_dialog->IsRunActive());
  EXPECT_TRUE(Host().WaitsInterrupted());
  EXPECT_EQ(m_devices.m_log.back(), "mouse");
  EXPECT_TRUE(m_scores.m_seen.empty());

  release = true;
  ASSERT_TRUE(WaitUntil([&] { return !m_dialog->IsRunActive(); }));
  EXPECT_EQ(m_devices.m_log.back(), "-display");
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_FALSE(Host().WaitsInterrupted());
}

TEST_F(RunEnd, ASelfTimedPartThatEndsByItselfIsSavable) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  TheScript().selfTimed = [] { return true; };
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(WaitUntil([&] { return !m_dialog->IsRunActive(); }));
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.savable);
  EXPECT_EQ(TheScript().Count(kCmdRunSelfTimed), 1);
}

TEST_F(RunEnd, ASignalsRunShowsTheSignalsOnAWorkerAndGivesTheDevicesBack) {
  std::atomic<bool> ran{false};
  TheScript().signals = [&] {
    ran = true;
    return true;
  };
  ASSERT_TRUE(m_dialog->RunSignals(nullptr, nullptr, "Model A"));
  EXPECT_TRUE(m_dialog->IsSignalsActive());
  ASSERT_TRUE(WaitUntil([&] { return !m_dialog->IsSignalsActive(); }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(m_devices.m_log, (std::vector<std::string>{"fullscreen", "sound", "input", "response", "-keyboard",
                                                       "-response", "-input", "-sound", "-voicekey", "-display"}));
  EXPECT_EQ(m_caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_EQ(TheScript().Count(kCmdComputeVariables), 0);
}

TEST_F(RunEnd, AbortingARunOffersNoSavableScore) {
  ASSERT_TRUE(m_dialog->RunTest(&m_project, "P01", "Model A"));
  ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) == 1; }));
  m_dialog->AbortRun();
  EXPECT_FALSE(m_dialog->IsRunInProgress());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
}

}  // namespace qel

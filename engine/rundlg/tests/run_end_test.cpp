// Ending runs: what the score dialog is given, what is stored and who is
// told, for runs that end, are stopped, break, time themselves or only show
// the task's signals.
#include <wx/listbox.h>

#include <atomic>
#include <thread>

#include "engine/rundlg/tests/RunDialogFixture.h"
#include "app/settings/SystemSettings.h"
#include "engine/rundlg/RunBreakTexts.h"
#include "include/qel/TaskEntry.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class RunEnd : public RunDialogFixture {
 protected:
  void Click(int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog->FindWindow(id));
    dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
  }
  void SelectReply(int i) {
    auto* replies = dynamic_cast<wxListBox*>(dialog->FindWindow(CDlgRun::kIdBreakReply));
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
  scores.answer = wxID_OK;
  std::vector<QelAssessmentNotice> notices;
  view->onEvent = [&](CQelNotifyEvent& e) {
    if (e.GetPayload()) notices.push_back(*reinterpret_cast<const QelAssessmentNotice*>(e.GetPayload()));
  };

  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  Pump();

  ASSERT_EQ(scores.seen.size(), 1u);
  const ScoreRecorder::Seen& seen = scores.seen[0];
  EXPECT_EQ(seen.request.parent, dialog);
  EXPECT_EQ(seen.request.runData, &RunData());
  EXPECT_EQ(seen.request.project, &project);
  EXPECT_EQ(seen.request.testeeCode, "P01");
  EXPECT_EQ(seen.request.modelName, "Model A");
  EXPECT_EQ(seen.request.task, &task);
  EXPECT_EQ(seen.request.part, 1);
  EXPECT_TRUE(seen.request.savable);
  EXPECT_FALSE(seen.request.practice);
  EXPECT_EQ(seen.variableCount, 3);
  EXPECT_EQ(seen.firstValue, 42.0);
  EXPECT_EQ(seen.trialsOfPart, 2u) << "the part's trial count is the number of records";
  EXPECT_EQ(RunData().normTableSwitch, 0);

  ASSERT_EQ(project.writes.size(), 1u);
  EXPECT_EQ(project.writes[0].testee, "P01");
  EXPECT_EQ(project.writes[0].variables, 3);
  EXPECT_EQ(project.writes[0].assessment, 1u);
  EXPECT_EQ(task.currentAssessment, 2u) << "the next run makes a new assessment";

  EXPECT_EQ(view->Codes(), (std::vector<int>{kNotifyNewAssessment, kNotifySelectAssessment}));
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].testeeCode, "P01");
  EXPECT_EQ(notices[0].modelName, "Model A");
  EXPECT_EQ(notices[0].taskCode, "SC");
  EXPECT_EQ(notices[0].assessment, 1u);
  ASSERT_EQ(frame->entries.size(), 1u);
  EXPECT_EQ(frame->entries[0], (NotifyRecorder::Entry{kNotifyRefreshViews, kRefreshAfterRun}));
  EXPECT_EQ(caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));

  std::vector<std::string> expected{"fullscreen", "sound", "input", "response", "mouse"};
  expected.insert(expected.end(), RunReleases().begin(), RunReleases().end());
  EXPECT_EQ(devices.log, expected);
  // Start; the run's part start; a trial without response (on, off); a
  // response while the signal is on (on, the response byte).
  EXPECT_EQ(PortBytes(), (std::vector<uint8_t>{0, 0, 128, 0, 128, 1}));
  // Command 29 comes after every device went back.
  EXPECT_EQ(TheScript().Commands().back(), kCmdComputeVariables);
}

TEST_F(RunEnd, AUserAddedAndAnExistingRowAreAnnouncedAsSuch) {
  project.userAdded = true;
  project.newRow = false;
  scores.answer = wxID_OK;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(view->Codes(), (std::vector<int>{kNotifyUserAdded, kNotifyAssessmentChanged, kNotifySelectAssessment}));
}

TEST_F(RunEnd, AFailedWriteAnnouncesNothingAndKeepsTheAssessment) {
  project.writeOk = false;
  scores.answer = wxID_OK;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  Pump();
  EXPECT_EQ(project.writes.size(), 1u);
  EXPECT_TRUE(view->entries.empty());
  EXPECT_TRUE(frame->entries.empty());
  EXPECT_EQ(task.currentAssessment, 1u);
}

TEST_F(RunEnd, CancelInTheScoreDialogStoresNothing) {
  scores.answer = wxID_CANCEL;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(scores.seen.size(), 1u);
  EXPECT_TRUE(project.writes.empty());
}

TEST_F(RunEnd, StopOutsideABreakEndsAtOnceAndIsNotSavable) {
  TheScript().codes.assign(20, "T1");
  scores.answer = wxID_OK;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) == 1; }));
  Click(CDlgRun::kIdStopGo);
  EXPECT_FALSE(dialog->IsRunActive());
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_FALSE(scores.seen[0].request.savable);
  EXPECT_TRUE(project.writes.empty()) << "OK on an unsavable run stores nothing";
  EXPECT_EQ(devices.log.back(), "-display");
}

TEST_F(RunEnd, PracticeIsNeverSavable) {
  scores.answer = wxID_OK;
  ASSERT_TRUE(dialog->RunPractice(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_TRUE(scores.seen[0].request.practice);
  EXPECT_FALSE(scores.seen[0].request.savable);
  EXPECT_EQ(RunData().normTableSwitch, 1) << "no Z-scores for practice";
  EXPECT_TRUE(project.writes.empty());
}

TEST_F(RunEnd, APlugInBreakFlagMakesTheRunIncompleteUnlessASeriesTaskIsDone) {
  TheScript().breakFlagAtEnd = 1;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_FALSE(scores.seen[0].request.savable);

  // A series task whose plug-in reports its results done stays savable.
  task.w.TaskFlags |= kTaskKindSeries << kTaskKindShift;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(scores.seen.size(), 2u);
  EXPECT_TRUE(scores.seen[1].request.savable);
}

TEST_F(RunEnd, ARefusedCommand29ShowsNoScore) {
  TheScript().variables = -1;
  scores.answer = wxID_OK;
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(scores.seen.empty());
  EXPECT_TRUE(project.writes.empty());
}

TEST_F(RunEnd, TheBreakReplyOfTheRunDialogStopsOrContinuesTheRun) {
  devices.realDisplay = true;
  TheScript().codes.assign(3, "T1");
  for (const int reply : {1, 0}) {
    SCOPED_TRACE(reply);
    ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
    ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) >= 1; }));
    devices.keyboard.escape = true;
    ASSERT_TRUE(RunUntil([&] { return dialog->IsGo(); }, 100));
    devices.keyboard.escape = false;
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Go");
    EXPECT_EQ(Host().Display().BreakGetState(), kBreakOnScreen) << "the testee's break dialog is up";
    SelectReply(reply);
    Click(CDlgRun::kIdStopGo);
    EXPECT_FALSE(dialog->IsGo());
    EXPECT_EQ(Label(CDlgRun::kIdStopGo), "Stop");
    ASSERT_TRUE(RunToEnd());
    ASSERT_FALSE(scores.seen.empty());
    EXPECT_EQ(scores.seen.back().request.savable, reply == 0);
    EXPECT_EQ(dialog->Machine().WasStopped(), reply == 1);
  }
}

TEST_F(RunEnd, ASelfTimedPartRunsOnAWorkerAndEndsWithIt) {
  task.w.TaskFlags |= kTaskFlagSelfTimed;
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
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
  EXPECT_TRUE(workerOnOtherThread);
  EXPECT_EQ(TheScript().Count(kCmdBeginRun), 0) << "the machine does not drive a self-timed part";

  // Stop while the plug-in still runs its part: nothing is given back until
  // the worker has finished.
  Click(CDlgRun::kIdStopGo);
  Pump();
  EXPECT_TRUE(dialog->IsRunActive());
  EXPECT_TRUE(Host().WaitsInterrupted());
  EXPECT_EQ(devices.log.back(), "mouse");
  EXPECT_TRUE(scores.seen.empty());

  release = true;
  ASSERT_TRUE(WaitUntil([&] { return !dialog->IsRunActive(); }));
  EXPECT_EQ(devices.log.back(), "-display");
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_FALSE(scores.seen[0].request.savable);
  EXPECT_FALSE(Host().WaitsInterrupted());
}

TEST_F(RunEnd, ASelfTimedPartThatEndsByItselfIsSavable) {
  task.w.TaskFlags |= kTaskFlagSelfTimed;
  TheScript().selfTimed = [] { return true; };
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(WaitUntil([&] { return !dialog->IsRunActive(); }));
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_TRUE(scores.seen[0].request.savable);
  EXPECT_EQ(TheScript().Count(kCmdRunSelfTimed), 1);
}

TEST_F(RunEnd, ASignalsRunShowsTheSignalsOnAWorkerAndGivesTheDevicesBack) {
  std::atomic<bool> ran{false};
  TheScript().signals = [&] {
    ran = true;
    return true;
  };
  ASSERT_TRUE(dialog->RunSignals(nullptr, nullptr, "Model A"));
  EXPECT_TRUE(dialog->IsSignalsActive());
  ASSERT_TRUE(WaitUntil([&] { return !dialog->IsSignalsActive(); }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(devices.log, (std::vector<std::string>{"fullscreen", "sound", "input", "response", "-keyboard",
                                                   "-response", "-input", "-sound", "-voicekey", "-display"}));
  EXPECT_EQ(caller->Codes(), (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_TRUE(scores.seen.empty());
  EXPECT_EQ(TheScript().Count(kCmdComputeVariables), 0);
}

TEST_F(RunEnd, AbortingARunOffersNoSavableScore) {
  ASSERT_TRUE(dialog->RunTest(&project, "P01", "Model A"));
  ASSERT_TRUE(RunUntil([] { return TheScript().Count(kCmdShowSignal) == 1; }));
  dialog->AbortRun();
  EXPECT_FALSE(dialog->IsRunInProgress());
  ASSERT_EQ(scores.seen.size(), 1u);
  EXPECT_FALSE(scores.seen[0].request.savable);
}

}  // namespace qel

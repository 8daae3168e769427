// Ending runs without a window: what is given back and in which order, what
// the score dialog is given, what is stored and who is told, for runs that
// end, are stopped, break, time themselves or only show the task's signals.
#include <atomic>
#include <mutex>
#include <thread>

#include "app/settings/SystemSettings.h"
#include "engine/rundlg/RunBreakTexts.h"
#include "engine/rundlg/tests/RunSessionFixture.h"
#include "include/qel/TaskEntry.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class SessionEnd : public RunSessionFixture {};

}  // namespace

TEST_F(SessionEnd, ATestRunThatEndsIsScoredStoredAndAnnounced) {
  m_script.codes = {"N1", "T1"};
  m_script.trials = {TrialScript{}, TrialScript{150, 50, 1}};
  m_scores.m_answer = kScoreDialogOk;
  // The compute-variables command must come after every device went back.
  int computeVariablesAtRelease = -1;
  m_devices.m_freeDisplay = [&] { computeVariablesAtRelease = m_script.Count(kCmdComputeVariables); };

  ASSERT_TRUE(Start(RunKind::kTest, &m_project, "P01", "Model A"));
  ASSERT_TRUE(RunToEnd());
  Pump();

  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  const ScoreRecorder::Seen& seen = m_scores.m_seen[0];
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
  EXPECT_EQ(m_project.m_writes[0].model, "Model A");
  EXPECT_EQ(m_project.m_writes[0].variables, 3);
  EXPECT_EQ(m_project.m_writes[0].assessment, 1u);
  EXPECT_EQ(m_task.assessmentCounts[0], 1u);
  EXPECT_EQ(m_task.currentAssessment, 2u) << "the next run makes a new assessment";

  EXPECT_EQ(m_notifier.m_view, (std::vector<int>{kNotifyNewAssessment, kNotifySelectAssessment}));
  ASSERT_EQ(m_notifier.m_notices.size(), 2u);
  for (const QelAssessmentNotice& notice : m_notifier.m_notices) {
    EXPECT_EQ(notice.testeeCode, "P01");
    EXPECT_EQ(notice.modelName, "Model A");
    EXPECT_EQ(notice.taskCode, "SC");
    EXPECT_EQ(notice.assessment, 1u);
  }
  EXPECT_EQ(m_notifier.m_frame, (std::vector<RecordingNotifier::Posted>{{kNotifyRefreshViews, kRefreshAfterRun}}));
  EXPECT_EQ(m_notifier.m_caller, (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));

  std::vector<std::string> expected{"fullscreen", "sound", "input", "response", "mouse"};
  expected.insert(expected.end(), RunReleases().begin(), RunReleases().end());
  EXPECT_EQ(m_devices.m_log, expected);
  EXPECT_FALSE(m_host.Attached());
  // Start; the run's part start; a trial without response (on, off); a
  // response while the signal is on (on, the response byte).
  EXPECT_EQ(PortBytes(), (std::vector<uint8_t>{0, 0, 128, 0, 128, 1}));
  EXPECT_FALSE(m_port.IsOpen());
  EXPECT_EQ(computeVariablesAtRelease, 0);
  EXPECT_EQ(m_script.Commands().back(), kCmdComputeVariables);
  // The dialog: counters shown a last time, then Go off, then the end.
  EXPECT_EQ(m_monitor.m_log, (std::vector<std::string>{"cleared", "instruction", "going", "stopped", "stop", "over"}));
}

TEST_F(SessionEnd, AUserAddedAndAnExistingRowAreAnnouncedAsSuch) {
  m_project.m_userAdded = true;
  m_project.m_newRow = false;
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_notifier.m_view, (std::vector<int>{kNotifyUserAdded, kNotifyAssessmentChanged, kNotifySelectAssessment}));
  EXPECT_EQ(m_notifier.m_notices.size(), 2u) << "the user's notice carries no record";
}

TEST_F(SessionEnd, AFailedWriteAnnouncesNothingAndKeepsTheAssessment) {
  m_project.m_writeOk = false;
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_project.m_writes.size(), 1u);
  EXPECT_TRUE(m_notifier.m_view.empty());
  EXPECT_TRUE(m_notifier.m_frame.empty());
  EXPECT_EQ(m_task.currentAssessment, 1u);
}

TEST_F(SessionEnd, CancelInTheScoreDialogStoresNothing) {
  m_scores.m_answer = 0;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_project.m_writes.empty());
  EXPECT_EQ(m_task.currentAssessment, 1u);
}

TEST_F(SessionEnd, StopOutsideABreakEndsAtOnceAndIsNotSavable) {
  m_script.codes.assign(20, "T1");
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunUntil([&] { return m_script.Count(kCmdShowSignal) == 1; }));
  m_session->OnStopGo();
  EXPECT_FALSE(m_session->IsRunActive());
  EXPECT_FALSE(m_timer.IsRunning());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_TRUE(m_project.m_writes.empty()) << "OK on an unsavable run stores nothing";
  EXPECT_EQ(m_devices.m_log.back(), "-display");
}

TEST_F(SessionEnd, PracticeIsNeverSavable) {
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kPractice, &m_project));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.practice);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_EQ(RunData().normTableSwitch, 1) << "no Z-scores for practice";
  EXPECT_TRUE(m_project.m_writes.empty());
}

// Before, Space on the testee's screen opened the display's break dialog
// in the middle of a task that uses Space, while the part ran on.
TEST_F(SessionEnd, WhileATaskRunsSpaceIsTheTasksKeyButNotWhileSignalsAreShown) {
  ASSERT_TRUE(Start(RunKind::kPractice, &m_project));
  EXPECT_EQ(m_host.m_spaceBreaks, (std::vector<bool>{false}));
  ASSERT_TRUE(RunToEnd());
  m_host.m_spaceBreaks.clear();
  m_script.signals = [] { return true; };
  ASSERT_TRUE(Start(RunKind::kSignals, nullptr, nullptr, "Model A"));
  ASSERT_TRUE(WaitUntil([&] { return !m_session->IsSignalsActive(); }));
  EXPECT_TRUE(m_host.m_spaceBreaks.empty()) << "the display keeps its own Space key";
}

TEST_F(SessionEnd, APlugInBreakFlagMakesTheRunIncompleteUnlessASeriesTaskIsDone) {
  m_script.breakFlagAtEnd = 1;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);

  // A series task whose plug-in reports its results done stays savable.
  m_task.w.TaskFlags |= kTaskKindSeries << kTaskKindShift;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  EXPECT_EQ(m_host.m_taskHost.breakFlag, 0) << "every run starts with the flag clear";
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_scores.m_seen.size(), 2u);
  EXPECT_TRUE(m_scores.m_seen[1].request.savable);
}

TEST_F(SessionEnd, ARefusedComputeVariablesCommandShowsNoScore) {
  m_script.variables = -1;
  m_scores.m_answer = kScoreDialogOk;
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_TRUE(m_project.m_writes.empty());
  EXPECT_EQ(m_devices.m_log.back(), "-display");
}

TEST_F(SessionEnd, TheBreakReplyStopsOrContinuesTheRun) {
  m_script.codes.assign(3, "T1");
  for (const RunBreakReply reply : {RunBreakReply::kStop, RunBreakReply::kContinue}) {
    const bool stop = reply == RunBreakReply::kStop;
    SCOPED_TRACE(stop);
    const int cancels = m_host.m_breakCancels;
    ASSERT_TRUE(Start(RunKind::kTest, &m_project));
    ASSERT_TRUE(RunUntil([&] { return m_script.Count(kCmdShowSignal) >= 1; }));
    m_devices.m_keyboard.m_escape = true;
    ASSERT_TRUE(RunUntil([&] { return m_session->IsGo(); }, 100));
    m_devices.m_keyboard.m_escape = false;
    EXPECT_EQ(m_monitor.m_log.back(), "go");
    m_session->SelectBreakReply(static_cast<int>(reply));
    m_session->OnStopGo();
    EXPECT_FALSE(m_session->IsGo());
    EXPECT_TRUE(m_session->IsRunActive()) << "the answer goes to the machine";
    EXPECT_EQ(m_host.m_display.BreakGetState(), stop ? kBreakStop : kBreakContinue);
    EXPECT_EQ(m_host.m_breakCancels, cancels + (stop ? 0 : 1)) << "the testee's break dialog goes on Continue";
    ASSERT_TRUE(RunToEnd());
    ASSERT_FALSE(m_scores.m_seen.empty());
    EXPECT_EQ(m_scores.m_seen.back().request.savable, !stop);
    EXPECT_EQ(m_session->Machine().WasStopped(), stop);
  }
}

TEST_F(SessionEnd, ASelfTimedPartRunsOnAWorkerThatIsJoinedBeforeAnythingIsGivenBack) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  std::atomic<bool> started{false};
  std::atomic<bool> release{false};
  std::atomic<bool> workerOnOtherThread{false};
  std::atomic<size_t> stepsAtWorkerEnd{0};
  std::atomic<int> computeVariablesAtWorkerEnd{-1};
  const std::thread::id ui = std::this_thread::get_id();
  m_script.selfTimed = [&] {
    workerOnOtherThread = std::this_thread::get_id() != ui;
    started = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stepsAtWorkerEnd = m_devices.m_log.size();
    computeVariablesAtWorkerEnd = m_script.Count(kCmdComputeVariables);
    RunData().category[0][0] = 3;
    return true;
  };
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  const size_t opened = m_devices.m_log.size();
  ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
  EXPECT_TRUE(workerOnOtherThread);
  EXPECT_EQ(m_script.Count(kCmdBeginRun), 0) << "the machine does not drive a self-timed part";

  // Stop while the plug-in still runs its part: nothing is given back until
  // the worker has finished.
  m_session->OnStopGo();
  Pump();
  EXPECT_TRUE(m_session->IsRunActive());
  EXPECT_TRUE(m_host.m_waitsInterrupted) << "the plug-in's waits give up";
  EXPECT_EQ(m_devices.m_log.back(), "mouse");
  EXPECT_TRUE(m_scores.m_seen.empty());

  release = true;
  ASSERT_TRUE(WaitUntil([&] { return !m_session->IsRunActive(); }));
  EXPECT_EQ(stepsAtWorkerEnd.load(), opened);
  EXPECT_EQ(computeVariablesAtWorkerEnd.load(), 0);
  EXPECT_EQ(m_devices.m_log.back(), "-display");
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
  EXPECT_FALSE(m_host.m_waitsInterrupted);
  EXPECT_EQ(m_script.Count(kCmdComputeVariables), 1);
}

TEST_F(SessionEnd, ASelfTimedPartThatEndsByItselfIsSavable) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  m_script.selfTimed = [] { return true; };
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(WaitUntil([&] { return !m_session->IsRunActive(); }));
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.savable);
  EXPECT_EQ(m_script.Count(kCmdRunSelfTimed), 1);
  EXPECT_EQ(m_task.trialCounts[0], 0u) << "the plug-in keeps the trial count of a part it timed itself";
}

// Before, the run dialog's trial, mean reaction time and category counters
// stayed blank for a self-timed part.
TEST_F(SessionEnd, ASelfTimedPartShowsItsCountersFromItsRecordedResponses) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  std::atomic<bool> gate{false};
  m_script.selfTimed = [&] {
    while (!gate) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int32_t categories[] = {1, 1, 3, 5, 6};
    const int32_t times[] = {300, 500, 400, 0, 0};
    for (int i = 0; i < 5; ++i) {
      RunData().category[0][i] = categories[i];
      RunData().reactionTime[0][i] = times[i];
    }
    m_task.trialCounts[0] = 5;
    return true;
  };
  RunCounters counters;
  EXPECT_FALSE(m_session->GetCounters(&counters)) << "nothing to show before a start";
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(m_session->GetCounters(&counters));
  EXPECT_EQ(counters.trialIndex, 0u) << "zeros while the worker runs";
  EXPECT_EQ(counters.categoryCounts[0], 0);
  gate = true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (counters.trialIndex == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    m_session->GetCounters(&counters);
  }
  EXPECT_EQ(counters.trialIndex, 5u);
  EXPECT_EQ(counters.meanRt, 400);
  EXPECT_EQ(std::vector<int32_t>(counters.categoryCounts, counters.categoryCounts + 6),
            (std::vector<int32_t>{2, 0, 1, 0, 1, 1}));
  ASSERT_TRUE(WaitUntil([&] { return !m_session->IsRunActive(); }));
}

TEST_F(SessionEnd, ASignalsRunShowsTheSignalsOnAWorkerAndGivesTheDevicesBack) {
  std::atomic<bool> ran{false};
  std::atomic<bool> cursorHidden{false};
  m_script.signals = [&] {
    ran = true;
    return true;
  };
  m_devices.m_onStep = [&](const std::string& step) {
    if (step == "-keyboard") cursorHidden = !m_host.m_cursorShown;
  };
  ASSERT_TRUE(Start(RunKind::kSignals, nullptr, nullptr, "Model A"));
  EXPECT_TRUE(m_session->IsSignalsActive());
  ASSERT_TRUE(WaitUntil([&] { return !m_session->IsSignalsActive(); }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(m_devices.m_log, (std::vector<std::string>{"fullscreen", "sound", "input", "response", "-keyboard",
                                                       "-response", "-input", "-sound", "-voicekey", "-display"}));
  EXPECT_FALSE(cursorHidden) << "the cursor comes back before the devices go";
  EXPECT_TRUE(m_host.m_cursorShown);
  EXPECT_FALSE(m_host.Attached());
  EXPECT_EQ(m_notifier.m_caller, (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_EQ(m_script.Count(kCmdComputeVariables), 0);
  EXPECT_TRUE(PortBytes().empty()) << "a signals run writes nothing to the recording equipment";
  EXPECT_EQ(m_monitor.m_log.back(), "over");
}

TEST_F(SessionEnd, ASignalsRunThatCannotStartGivesTheDevicesBack) {
  m_devices.m_failAt = "input";
  EXPECT_FALSE(Start(RunKind::kSignals));
  EXPECT_EQ(m_devices.m_log, (std::vector<std::string>{"fullscreen", "sound", "input", "-keyboard", "-response",
                                                       "-input", "-sound", "-voicekey", "-display"}));
  EXPECT_FALSE(m_session->IsRunInProgress());
  EXPECT_EQ(m_notifier.m_caller, (std::vector<int>{kNotifyRunStarted, kNotifyRunEnded}));
}

TEST_F(SessionEnd, AbortingARunOffersNoSavableScore) {
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(RunUntil([&] { return m_script.Count(kCmdShowSignal) == 1; }));
  m_session->AbortRun();
  EXPECT_FALSE(m_session->IsRunInProgress());
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_FALSE(m_scores.m_seen[0].request.savable);
}

TEST_F(SessionEnd, ClosingDuringARunGivesEverythingBackWithoutAScoreDialog) {
  m_task.w.TaskFlags |= kTaskFlagSelfTimed;
  std::atomic<bool> started{false};
  m_script.selfTimed = [&] {
    started = true;
    // The plug-in's wait, given up when the host interrupts it.
    while (!m_host.m_waitsInterrupted) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  };
  ASSERT_TRUE(Start(RunKind::kTest, &m_project));
  ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
  m_session->Close();
  EXPECT_FALSE(m_session->IsRunInProgress());
  EXPECT_EQ(m_devices.m_log.back(), "-display");
  EXPECT_TRUE(m_scores.m_seen.empty());
  EXPECT_EQ(m_script.Count(kCmdComputeVariables), 0);
  EXPECT_FALSE(m_host.Attached());
}

}  // namespace qel

#include "engine/rundlg/RunSession.h"

#include <algorithm>

#include <chrono>
#include <cstdio>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "engine/port/SignalPort.h"
#include "engine/run/RunEventSink.h"
#include "engine/rundlg/RunBreakTexts.h"
#include "engine/rundlg/RunCompletion.h"
#include "engine/rundlg/RunDevices.h"
#include "engine/rundlg/RunHost.h"
#include "engine/rundlg/RunMonitor.h"
#include "engine/rundlg/RunNotifier.h"
#include "engine/timer/TimerMs.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskHostInterface.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"

namespace qel {

namespace {

constexpr const char* kBreakReplies[kBreakReplyCount] = {"Continue", "Stop"};
constexpr const char* kAlreadyPerformed =
    "Project: %s\r\nTestee: %s\r\nModel: %s\r\nTask: %s\r\nPart: %u\r\nAssessment: %u\r\nAlready performed!\r\n"
    "OVERWRITE?\n";

std::string Text(const char* text) { return text ? text : ""; }

uint32_t RunSeed() { return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()); }

bool IsPartIndex(int part) { return part >= 0 && part < kMaxParts; }

}  // namespace

const char* GetBreakReplyName(int index) { return index >= 0 && index < kBreakReplyCount ? kBreakReplies[index] : ""; }

CRunSession::CRunSession(const RunSessionCollaborators& c)
    : m_runData(*c.runData),
      m_host(*c.host),
      m_devices(*c.devices),
      m_timer(*c.timer),
      m_port(*c.port),
      m_events(*c.events),
      m_scores(c.scores),
      m_notifier(*c.notifier),
      m_monitor(*c.monitor),
      m_runClock(*c.timer) {
  RunMachineDevices machineDevices;
  machineDevices.clock = &m_timer;
  machineDevices.events = &m_events;
  machineDevices.keyboard = m_devices.Keyboard();
  machineDevices.voiceKey = m_devices.VoiceKey();
  machineDevices.port = &m_port;
  machineDevices.stamps = m_devices.Stamps(m_timer);
  machineDevices.presentGate = m_devices.PresentGate(m_timer);
  m_machine = std::make_unique<CRunMachine>(machineDevices);
}

CRunSession::~CRunSession() { Close(); }

// ---- starting -------------------------------------------------------------------------------

bool CRunSession::Start(RunKind kind, IRunProject* project, const char* testeeCode, const char* modelName) {
  // A run in progress keeps the project, testee and model it is stored under.
  if (IsRunInProgress()) return false;
  m_project = project;
  m_testeeCode = Text(testeeCode);
  m_modelName = Text(modelName);
  if (kind == RunKind::kTest) {
    if (!m_project || !m_task || !MayOverwriteStoredTrials()) return false;
    WarnWithoutRealTime();
  } else if (!m_task || !m_task->library) {
    return false;
  }
  ClearCounters();
  if (kind == RunKind::kSignals) {
    if (BeginSignals()) return true;
    ReleaseDevices();
    return false;
  }
  m_practice = kind == RunKind::kPractice;
  if (BeginRun()) return true;
  EndRun();
  return false;
}

void CRunSession::WarnWithoutRealTime() {
  static std::atomic<bool> warned{false};
  if (m_timer.RealTimeAllowed() || warned.exchange(true)) return;
  ShowPrompt(kNoRealTimeWarning, "Qel", kPromptOk | kPromptIconWarning);
}

bool CRunSession::MayOverwriteStoredTrials() {
  const int part = m_task->currentPart;
  // A read that fails may hide stored trials: nothing is overwritten unasked.
  if (!m_project->ReadResponses(m_testeeCode, m_modelName, *m_task, m_task->currentAssessment, 1, kMaxParts)) {
    return false;
  }
  if (!IsPartIndex(part) || m_task->trialCounts[part] == 0) return true;
  char question[1024];
  std::snprintf(question, sizeof question, kAlreadyPerformed, m_project->GetPath().c_str(), m_testeeCode.c_str(),
                m_modelName.c_str(), m_task->TaskIdStr.c_str(), static_cast<unsigned>(part + 1),
                static_cast<unsigned>(m_task->currentAssessment));
  return ShowPrompt(question, "Qel", kPromptOkCancel | kPromptIconWarning | kPromptDefault2) == kAnswerOk;
}

bool CRunSession::BeginRun() {
  m_port.SetSignalSync(g_SignalSync != 0);
  m_port.Open();
  m_port.WriteByte(0);
  const int part = m_task->currentPart;
  if (!IsPartIndex(part)) return false;

  m_host.SetBreakState(kBreakRequested);
  m_runActive = true;
  m_started = false;
  m_stopped = false;
  m_selfTimed = false;
  ITaskHost& taskHost = m_host.TaskHost();
  taskHost.breakFlag = 0;
  m_host.SetWaitsInterrupted(false);
  m_notifier.NotifyCaller(kNotifyRunStarted);
  taskHost.SetRunFlags(m_practice ? 1 : 0);
  PrepareBreakTexts();

  if (!m_task->library) return false;
  m_runData.ClearPart(part);
  m_status.clear();
  if (!m_timer.Init()) {
    m_status = CTimerMs::kNotAvailableText;
    m_monitor.OnRunProgress();
    return false;
  }
  if (!OpenRun(true)) return false;
  m_host.SetSpaceKeyBreaks(false);

  m_trialCount = taskHost.trialCount;
  m_monitor.OnRunGoing();
  m_selfTimed = (m_task->w.TaskFlags & kTaskFlagSelfTimed) != 0;
  if (m_selfTimed) {
    StartWorker(false);
  } else {
    if (!m_timer.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(m_machine.get()))) return false;
    RunPartSetup setup;
    setup.task = m_task;
    setup.host = &taskHost;
    setup.runData = &m_runData;
    setup.part = part;
    setup.practice = m_practice;
    setup.seed = RunSeed();
    if (!m_machine->StartPart(setup)) return false;
  }
  m_host.FocusDisplay();
  m_started = true;
  return true;
}

bool CRunSession::BeginSignals() {
  m_signalsActive = true;
  m_notifier.NotifyCaller(kNotifyRunStarted);
  m_host.SetWaitsInterrupted(false);
  // The signals are shown on the run's clock; without one they still are.
  m_timer.Init();
  if (!OpenRun(false)) return false;
  m_host.ShowCursor(false);
  StartWorker(true);
  return true;
}

bool CRunSession::OpenRun(bool withMouse) {
  // Plug-ins read the run's clock, and the display through the run's view of it.
  m_host.AttachRun(m_runClock);
  if (m_task->w.TaskFlags & kTaskFlagVoiceKey) m_devices.InitVoiceKey(m_captureDevice);
  if (!m_devices.CreateFullScreen(g_ScreenInd)) return false;
  const InputWindow window = m_devices.GetDeviceWindow();
  if (!m_devices.InitSoundOutput(g_SoundInd)) return false;
  if (!m_devices.CreateInput()) return false;
  if (!m_devices.OpenResponseDevice(window)) return false;
  // The keyboard or the mouse may be the response device itself.
  if (g_ButtonType != kButtonTypeKeyboard && !m_devices.AcquireKeyboard(window)) return false;
  if (withMouse && g_ButtonType != kButtonTypeMouse && !m_devices.AcquireMouse(window)) return false;
  return m_task->PrepareRun(&m_runData);
}

void CRunSession::PrepareBreakTexts() {
  const uint32_t flags = m_task->w.TaskFlags;
  ITaskHost& taskHost = m_host.TaskHost();
  const RunBreakTexts texts = BuildBreakTexts(SelectBreakTexts(g_Language, flags), m_task->TaskName,
                                              [&taskHost](uint32_t id) { return taskHost.LoadText(id); });
  m_instruction = texts.instruction;
  m_monitor.OnInstructionChanged();
  RunBreakDisplayTexts display;
  display.text = texts.instruction;
  display.caption = m_task->TaskName;
  display.stopQuestion = texts.stopQuestion;
  display.noStopConfirm = m_practice;
  display.showButton = (flags & kTaskFlagShowButton) != 0;
  m_host.SetBreakTexts(display);
}

void CRunSession::StartWorker(bool signals) {
  m_workerDone = false;
  CExpModelTask* task = m_task;
  CTaskRunData* runData = &m_runData;
  std::atomic<bool>* done = &m_workerDone;
  IRunEventSink* events = &m_events;
  m_worker = std::thread([task, runData, events, done, signals] {
    if (signals) {
      task->RunSignals(runData);
    } else {
      task->RunWholeTask(runData);
    }
    done->store(true);
    events->PostRunEvent(signals ? kRunEventSignalsEnd : kRunEventSelfTimedEnd, 0);
  });
}

bool CRunSession::JoinWorker(bool wait) {
  if (!m_worker.joinable()) return true;
  if (!m_workerDone.load()) {
    // The plug-in's waits give up; its own loops end on its own terms.
    m_host.SetWaitsInterrupted(true);
    if (!wait) return false;
  }
  m_worker.join();
  m_host.SetWaitsInterrupted(false);
  return true;
}

bool CRunSession::GetCounters(RunCounters* out) const {
  *out = RunCounters();
  if (!m_started) return false;
  if (!m_selfTimed) {
    out->trialIndex = m_machine->GetTrialIndex();
    out->meanRt = m_machine->GetMeanReactionTime();
    for (int i = 0; i < 6; ++i) out->categoryCounts[i] = m_machine->GetCategoryCount(i + 1);
    for (int i = 0; i < 4; ++i) out->indicators[i] = m_machine->GetIndicator(i);
    out->machineStatus = m_machine->GetStatusText();
    return true;
  }
  // The worker writes the part's responses; they are read once it is done.
  const int part = m_task ? m_task->currentPart : -1;
  if (!m_workerDone.load() || !IsPartIndex(part)) return true;
  const uint32_t n = std::min<uint32_t>(m_task->trialCounts[part], kMaxResponses);
  int64_t rtSum = 0;
  int64_t rtCount = 0;
  for (uint32_t i = 0; i < n; ++i) {
    const int32_t category = m_runData.category[part][i];
    if (category >= 1 && category <= 6) ++out->categoryCounts[category - 1];
    if (m_runData.reactionTime[part][i] > 0) {
      rtSum += m_runData.reactionTime[part][i];
      ++rtCount;
    }
  }
  out->trialIndex = n;
  out->meanRt = rtCount > 0 ? static_cast<int32_t>(rtSum / rtCount) : 0;
  return true;
}

// ---- the operator -----------------------------------------------------------------------------

void CRunSession::ClearCounters() {
  m_go = false;
  m_breakReply = static_cast<int>(RunBreakReply::kContinue);
  m_status.clear();
  m_monitor.OnCountersCleared();
}

void CRunSession::OnStopGo() {
  if (!m_go) {
    StopRun();
    return;
  }
  m_go = false;
  m_monitor.OnGoChanged(false);
  const bool stop = m_breakReply == static_cast<int>(RunBreakReply::kStop);
  m_machine->AnswerBreak(stop);
  // On the testee's screen the break dialog goes away as its own Continue
  // would take it; a stop ends the run, which frees the screen.
  if (!stop) m_host.CancelBreak();
}

void CRunSession::OnRunEvent(int32_t code, intptr_t lParam) {
  switch (m_machine->OnRunEvent(code, lParam)) {
    case RunEventAction::kEndRun:
      if (m_runActive) EndRun();
      break;
    case RunEventAction::kReleaseDevices:
      if (m_signalsActive) ReleaseDevices();
      break;
    case RunEventAction::kBreakOpened:
      m_go = true;
      m_monitor.OnGoChanged(true);
      break;
    case RunEventAction::kBreakAnswered:
      m_go = false;
      m_monitor.OnGoChanged(false);
      break;
    case RunEventAction::kNone:
      break;
  }
}

// ---- ending ----------------------------------------------------------------------------------

void CRunSession::StopRun() {
  if (m_runActive) m_stopped = true;
  EndRun();
}

void CRunSession::AbortRun() {
  if (m_runActive) {
    m_stopped = true;
    EndRun();
    // The end may have waited for a worker: an abort cannot wait.
    if (m_runActive) {
      JoinWorker(true);
      EndRun();
    }
  }
  if (m_signalsActive) ReleaseDevices();
}

void CRunSession::Close() {
  m_closing = true;
  AbortRun();
  m_machine->Stop();
  m_timer.Stop();
  JoinWorker(true);
  m_host.DetachRun();
}

void CRunSession::EndRun() {
  if (!m_runActive || !m_task) {
    m_port.Close();
    return;
  }
  // The machine and its beat stop first; a self-timed worker must have
  // finished before anything it uses is given back (its end event comes
  // back here).
  m_machine->Stop();
  m_timer.Stop();
  if (!JoinWorker(false)) return;
  m_port.Close();
  const int part = m_task->currentPart;
  m_runActive = false;
  if (m_started && !m_selfTimed && IsPartIndex(part)) m_task->trialCounts[part] = m_machine->GetResponseCount();
  m_monitor.OnRunStopped();
  GiveBack(true);
  m_go = false;
  m_monitor.OnGoChanged(false);
  FinishRun(part);
  m_monitor.OnRunOver();
}

void CRunSession::ReleaseDevices() {
  JoinWorker(true);
  m_signalsActive = false;
  m_host.ShowCursor(true);
  GiveBack(false);
  m_monitor.OnRunOver();
}

void CRunSession::GiveBack(bool mouse) {
  if (mouse) m_devices.ReleaseMouse();
  m_devices.ReleaseKeyboard();
  m_devices.CloseResponseDevice();
  m_devices.ReleaseInput();
  m_devices.ReleaseSound();
  m_devices.ReleaseVoiceKey();
  // The testee's screen is given back on every path.
  m_devices.FreeDisplay();
  m_host.DetachRun();
  m_notifier.NotifyCaller(kNotifyRunEnded);
  m_notifier.ForgetCaller();
}

void CRunSession::FinishRun(int part) {
  // A run that never got going has nothing to score.
  if (!m_started || m_closing) return;
  m_runData.normTableSwitch = m_practice ? 1 : 0;
  m_runData.testDate = CurrentLocalDateTime();
  m_runData.resultWord = 0;
  m_runData.variableCount = 0;
  m_runData.ClearValues();
  int32_t variables = -1;
  ITaskRunData* runData = &m_runData;
  if (!m_task->library->CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(runData), 0, 0, &variables)) {
    variables = -1;
  }
  if (variables < 0) return;
  m_runData.variableCount = variables;

  RunEndState end;
  end.stopped = m_stopped || m_machine->WasStopped();
  end.breakFlag = m_host.TaskHost().breakFlag != 0;
  end.resultsDone = m_runData.resultWord;
  end.taskFlags = m_task->w.TaskFlags;
  end.practice = m_practice;

  if (!m_scores) return;
  ScoreDialogRequest request;
  request.runData = &m_runData;
  request.project = m_project;
  request.testeeCode = m_testeeCode;
  request.modelName = m_modelName;
  request.task = m_task;
  request.part = part + 1;
  request.savable = IsRunSavable(end);
  request.practice = m_practice;
  const int result = m_scores->RunScoreDialog(request);
  // Only a savable run is stored, whatever the dialog answers.
  if (result == kScoreDialogOk && request.savable && m_project) StoreRun(variables);
}

void CRunSession::StoreRun(int variableCount) {
  CExpModelTask& task = *m_task;
  const int part = task.currentPart;
  if (IsPartIndex(part) && task.assessmentCounts[part] < task.currentAssessment) {
    task.assessmentCounts[part] = task.currentAssessment;
  }
  bool userAdded = false;
  bool newVariablesRow = false;
  if (!m_project->WriteResponses(m_testeeCode, m_modelName, task, m_runData, variableCount, m_runData.testDate,
                                 &userAdded, &newVariablesRow)) {
    return;
  }
  QelAssessmentNotice notice;
  notice.testeeCode = m_testeeCode;
  notice.modelName = m_modelName;
  notice.taskCode = task.TaskIdStr;
  notice.assessment = task.currentAssessment;
  task.SelectNewAssessmentOfCurrentPart();
  task.NextAssessment();
  if (userAdded) m_notifier.NotifyMainView(kNotifyUserAdded, nullptr);
  m_notifier.NotifyMainView(newVariablesRow ? kNotifyNewAssessment : kNotifyAssessmentChanged, &notice);
  m_notifier.NotifyMainView(kNotifySelectAssessment, &notice);
  m_notifier.PostMainFrame(kNotifyRefreshViews, kRefreshAfterRun);
}

}  // namespace qel

// The life of a task run without any window: starting a test, practice or
// "view task signals" run of the current part of a model task (the question
// before overwriting stored trials, the break texts, the devices, the
// plug-in's prepare command, the trial state machine on the 1 ms beat or
// the plug-in's worker thread), the break reply and the Stop button, and the
// end: everything given back, the compute-variables command, the savable
// rule, the score dialog, the write to the project and the notifications.
// The run dialog owns one, shows its counters and forwards its buttons and
// posted run events to it.
//
// Threads: every method is called on the user-interface thread. The 1 ms
// beat runs the machine on the timer thread, which posts run events through
// the event sink; a self-timed part (the plug-in's whole-part command) and
// a signals run (its signals command) run on a worker thread that only
// calls the plug-in and posts one event at its end. The owner hands each
// posted event back to OnRunEvent on the user-interface thread. The end of
// a run stops the machine and the beat and joins the worker before it gives
// back any device and before the compute-variables command.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "engine/host/TimerRunClock.h"
#include "engine/run/RunMachine.h"

namespace qel {

// What the run dialog shows of a run that goes.
// Told once per program run, at the first test run without real-time rights.
constexpr const char* kNoRealTimeWarning =
    "Real-time scheduling is not allowed for this program: the 1 ms timer runs as an ordinary thread, and "
    "other programs can delay its beats and the recorded times.\n\nAsk the administrator to run scripts/setup, "
    "which gives the workstation's users the right to real-time scheduling.";

struct RunCounters {
  uint32_t trialIndex = 0;
  int32_t meanRt = 0;
  int32_t categoryCounts[6] = {};  // hits, correct rejections, false alarms, misses, anticipations, omissions
  std::string indicators[4];       // "!" while warning, signal, response or feedback is shown
  std::string machineStatus;
};

class CExpModelTask;
class CSignalPort;
class CTaskRunData;
class CTimerMs;
class IRunDevices;
class IRunEventSink;
class IRunHost;
class IRunMonitor;
class IRunNotifier;
class IRunProject;
class IScoreDialogFactory;

// The kinds of run.
enum class RunKind { kTest, kPractice, kSignals };

// The operator's reply to a break, as the reply list offers it.
enum class RunBreakReply : int { kContinue = 0, kStop = 1 };
constexpr int kBreakReplyCount = 2;
// "Continue", "Stop"; "" for an index outside the list.
const char* GetBreakReplyName(int index);

// What a session works with; none is owned, all outlive the session.
struct RunSessionCollaborators {
  CTaskRunData* runData = nullptr;  // the program's one
  IRunHost* host = nullptr;
  IRunDevices* devices = nullptr;
  CTimerMs* timer = nullptr;              // the run's clock and beat
  CSignalPort* port = nullptr;            // the recording equipment
  IRunEventSink* events = nullptr;        // queues run events for the user-interface thread
  IScoreDialogFactory* scores = nullptr;  // null: no score dialog, nothing stored
  IRunNotifier* notifier = nullptr;
  IRunMonitor* monitor = nullptr;
};

class CRunSession {
 public:
  static constexpr int kDefaultCaptureDevice = -1;  // the default capture device

  // Every collaborator but the score dialog factory is required.
  explicit CRunSession(const RunSessionCollaborators& collaborators);
  // Close().
  ~CRunSession();
  CRunSession(const CRunSession&) = delete;
  CRunSession& operator=(const CRunSession&) = delete;

  // Set before a run.
  void SetTask(CExpModelTask* task) { m_task = task; }
  CExpModelTask* GetTask() const { return m_task; }
  void SetCaptureDevice(int index) { m_captureDevice = index; }

  // Starts a run of the task's current part for the project, testee and
  // model (null texts become ""); they are kept for the run's end. Refused
  // while a run or signals run goes on (the running one keeps its project,
  // testee and model), without a task (practice and signals: without a
  // bound task; test: without a project too), when the stored responses
  // cannot be read, and when the operator does not confirm overwriting the
  // part's stored trials. A start that fails after it began gives back
  // everything it took. True when the run goes.
  bool Start(RunKind kind, IRunProject* project, const char* testeeCode, const char* modelName);

  // Ends the run: stops it, gives everything back, then the
  // compute-variables command, the score dialog and the write. While a
  // self-timed part's worker still runs, only asks it to stop: the worker's
  // end event ends the run. Without a run only the port is closed.
  void EndRun();
  // The operator ends the run (OK, or Stop outside a break): it is marked
  // stopped, so it is not offered as savable, and ended.
  void StopRun();
  // Ends a run or signals run in progress from outside without waiting for
  // the worker's end event; a run is not offered as savable.
  void AbortRun();
  // The owner goes: a run in progress is aborted without a score dialog and
  // nothing runs on afterwards. The session can be destroyed after it.
  void Close();

  // The Stop/Go button: during a break answers it with the selected reply
  // (Stop marks the run stopped), otherwise StopRun().
  void OnStopGo();
  void SelectBreakReply(int index) { m_breakReply = index; }
  // Go off, reply back to Continue, status emptied; the monitor clears the rest.
  void ClearCounters();

  // A run event posted by the machine or a worker, on the user-interface thread.
  void OnRunEvent(int32_t code, intptr_t lParam);

  bool IsRunActive() const { return m_runActive; }
  bool IsSignalsActive() const { return m_signalsActive; }
  bool IsRunInProgress() const { return m_runActive || m_signalsActive; }
  bool IsGo() const { return m_go; }
  bool IsPractice() const { return m_practice; }
  // The counters of the run on show; false before a run got through its
  // start. A host-timed part shows the machine's; a self-timed part shows
  // zeros while its worker runs and its recorded responses once it is done.
  bool GetCounters(RunCounters* out) const;
  uint32_t GetTrialCount() const { return m_trialCount; }
  const std::string& GetInstructionText() const { return m_instruction; }
  // The session's own status ("Timer not available!"); empty: the machine's.
  const std::string& GetStatusText() const { return m_status; }
  CRunMachine& Machine() { return *m_machine; }
  const CRunMachine& Machine() const { return *m_machine; }

 private:
  bool MayOverwriteStoredTrials();
  // Tells the operator once per program run when the beat cannot run in real time.
  void WarnWithoutRealTime();
  bool BeginRun();
  bool BeginSignals();
  bool OpenRun(bool withMouse);
  void PrepareBreakTexts();
  void StartWorker(bool signals);
  // Stops a worker: true when it has finished and was joined; with wait
  // false, only asks it to stop and returns false while it still runs.
  bool JoinWorker(bool wait);
  // The end of a signals run: the worker joined, the devices given back.
  void ReleaseDevices();
  // Gives back every device of a run (the mouse only when the run took it),
  // the host's own clock and display, and tells the caller.
  void GiveBack(bool mouse);
  void FinishRun(int part);
  void StoreRun(int variableCount);

  CTaskRunData& m_runData;
  IRunHost& m_host;
  IRunDevices& m_devices;
  CTimerMs& m_timer;
  CSignalPort& m_port;
  IRunEventSink& m_events;
  IScoreDialogFactory* m_scores;
  IRunNotifier& m_notifier;
  IRunMonitor& m_monitor;
  CTimerRunClock m_runClock;
  std::unique_ptr<CRunMachine> m_machine;

  std::thread m_worker;
  std::atomic<bool> m_workerDone{false};

  // The run.
  CExpModelTask* m_task = nullptr;
  IRunProject* m_project = nullptr;
  std::string m_testeeCode;
  std::string m_modelName;
  std::string m_instruction;
  std::string m_status;
  int m_captureDevice = kDefaultCaptureDevice;
  bool m_go = false;
  int m_breakReply = static_cast<int>(RunBreakReply::kContinue);
  bool m_practice = true;
  bool m_runActive = false;
  bool m_signalsActive = false;
  bool m_started = false;  // the run got through its start
  bool m_selfTimed = false;
  bool m_stopped = false;  // stopped by the operator or aborted
  bool m_closing = false;  // the owner goes: no score dialog
  uint32_t m_trialCount = 0;
};

}  // namespace qel

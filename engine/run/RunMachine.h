// The trial state machine of a host-timed task part and the handling of its
// run events, without any window: the run dialog owns one and forwards to it.
//
// Two threads drive it. The 1 ms beat calls OnTrialTick on the timer thread;
// the tick reads the clock, takes the next key or button event into the
// keys its thread reads (one per beat, so no press is lost between beats),
// polls the plug-in (the response poll, the trial-ended poll and the
// no-response command), the Escape key and the voice key, compares times
// and moves states, and posts run events through the event sink. The user-interface thread hands each posted event to
// OnRunEvent, which issues every other plug-in command, writes the signal
// port, restarts the voice key, opens breaks and scores the trial into the
// run data. No lock: the two sides meet through the posted events and
// through the aligned 32-bit atomic words below (each sub-machine's state is
// an enum held in one such word). Each handler acts only in the state the
// tick left for it, so a late event neither restarts a trial that has ended
// nor scores one twice (a shown signal is still hidden).
//
// Use by the run dialog, in this order:
//   1. open the devices (the signal port open), the set-up command
//      (PrepareRun), timer.Start(TimerCallback, machine);
//   2. StartPart (writes port byte 0; sets running last, so the beats before
//      it do nothing);
//   3. every posted event: OnRunEvent(code, lParam) on the UI thread, then act
//      on the returned RunEventAction (kEndRun: EndRun; kBreakOpened: the
//      Stop button reads "Go"; the Stop/Go button during a break: AnswerBreak);
//   4. EndRun: Stop(), timer.Stop() (joins the beat), join any worker
//      thread, then release the devices, then the compute-variables command.
//      The part's trial count is GetResponseCount(); the run was stopped
//      when WasStopped().
// Self-timed parts (the self-timed run command on a worker) do not start the
// machine; their worker's end event and that of "view task signals" only
// come back as kEndRun and kReleaseDevices.
//
// The display's open-break command goes through IDDDisplay::PostMessageA on
// the UI thread and must answer as the command does: non-zero when the
// dialog opened.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/run/RunEvent.h"
#include "engine/run/RunRandom.h"
#include "include/qel/ModelTask.h"

namespace qel {

class CExpModelTask;
class IDDDisplay;
class ITaskHost;
class ITaskRunData;
class IRunEventSink;
class IRunKeyboard;
class IRunPresentGate;
class IRunStamps;
class IRunVoiceKey;

class CSignalPort;
class CTimerMs;

// What the machine reads and drives besides the plug-in. The clock and the
// event sink are required; the others may be null (no Escape key, no voice
// key, no signal port). With device stamps, a response's time is the
// moment its press happened and the signal's onset the moment its frame
// reached the screen, both in ns; without them both are the clock's ms at
// the beat and at the return of the signal's Present.
struct RunMachineDevices {
  qel::CTimerMs* clock = nullptr;
  IRunEventSink* events = nullptr;
  IRunKeyboard* keyboard = nullptr;
  IRunVoiceKey* voiceKey = nullptr;
  qel::CSignalPort* port = nullptr;  // opened by the run dialog
  IRunStamps* stamps = nullptr;
  // With a gate the signal is drawn ahead of its onset and handed over at it.
  IRunPresentGate* presentGate = nullptr;
};

// One part to run. The task must be bound to its plug-in and the set-up
// command must have been answered (the host then holds the part's trial list).
struct RunPartSetup {
  CExpModelTask* task = nullptr;
  ITaskHost* host = nullptr;        // trial list, current code, progress, display
  ITaskRunData* runData = nullptr;  // receives the part's response records
  int part = 0;
  bool practice = true;
  uint32_t seed = 1;  // seeds the run's one random generator
};

class CRunMachine {
 public:
  // Phases of a part. The tick acts in the phases that post an event; in
  // the waiting phases it leaves the move on to the UI thread's handler.
  enum class Phase : int32_t {
    kIdle = 0,
    kPartStart = 3,  // the tick posts the part-start event
    kWaitPartStart = 4,
    kNextTrial = 5,  // the tick posts the next-trial event
    kWaitNextTrial = 6,
    kTrial = 7,       // the warning, signal and response sub-machines run
    kTrialEnded = 8,  // the tick posts the score event
    kWaitScore = 9,
    kAfterScore = 10,  // the feedback sub-machine, then the trial advance
    kPartEnd = 12,     // the tick posts the part-end event
    kWaitPartEnd = 13,
  };
  // Hand-over of a break between the tick and the UI thread.
  enum class BreakState : int32_t {
    kNone = 0,
    kRequested = 1,      // the break event is posted; the dialog is awaited
    kAnswerAwaited = 2,  // the dialog is on the screen
    kAnswerPosted = 3,   // the answer event is posted
    kDone = 4,           // the UI thread has finished the break
  };
  enum class WarningState : int32_t {
    kNone = 0,
    kArmed = 1,
    kDue = 2,  // the warning event is posted
    kShown = 3,
  };
  enum class SignalState : int32_t {
    kNone = 0,
    kArmed = 1,
    kDue = 2,  // the signal-on event is posted
    kShown = 3,
    kOn = 4,
    kOffPosted = 5,  // the signal-off event is posted
    kEnded = 6,
    kOnUntilDeadline = 7,  // an irrelevant duration: on until the response window ends
  };
  enum class ResponseState : int32_t {
    kIdle = 0,
    kArmed = 1,
    kWindowOpen = 2,
    kResponsePosted = 3,  // a response is seen and its event posted
    kAwaitingRelease = 4,
    kReleasePosted = 5,  // the release is seen and its event posted
    kTrialEnded = 6,
  };
  enum class FeedbackState : int32_t {
    kNone = 0,
    kRequested = 1,
    kOnPosted = 2,  // the feedback-on event is posted
    kOn = 3,
    kOffPosted = 4,  // the feedback-off event is posted
    kDone = 5,
  };
  // How a finished trial counts: only a counted trial moves the run on; any
  // other disposition gives the same trial again.
  enum class Disposition : int32_t {
    kCounted = 0,
    kAnticipation = 1,  // an anticipation: the anticipation run goes up
    kOmission = 2,      // an omission: the omission run goes up, the code may be replaced
    kRepeat = 4,        // given again without counting
    kUnclassified = 5,  // a preset outcome without category
    kBreak = 6,         // a break fell in the trial
    kSecondList = 7,    // the run switches to the plug-in's second list
  };
  // Break reasons.
  enum class BreakReason : int32_t { kNone = 0, kUser = 1, kAnticipations = 4, kOmissions = 5 };
  // Outcome status of a trial, for scoring.
  enum class Outcome : int32_t {
    kNone = 0,
    kEarly = 1,
    kInWindow = 2,
    kLate = 3,
    kSkipped = 4,
    kPreset = 5,  // the preset category counts
  };
  // Indicator texts of the run dialog.
  enum Indicator { kIndWarning = 0, kIndSignal, kIndResponse, kIndFeedback, kIndicatorCount };

  static constexpr uint32_t kNoDeadlineMs = 3'600'000;
  static constexpr uint32_t kFeedbackDurationMs = 200;
  static constexpr uint32_t kInitialWarningIntervalMs = 500;
  // With a present gate: how long before the planned onset the signal is
  // asked for (its drawing must fit in it; the frame then waits for the onset).
  static constexpr uint32_t kSignalLeadMs = 3;

  explicit CRunMachine(const RunMachineDevices& devices);
  CRunMachine(const CRunMachine&) = delete;
  CRunMachine& operator=(const CRunMachine&) = delete;

  // Starts a part (UI thread): response capacity min(3 x trials, 6000), all
  // states and counters cleared, port byte 0, the display's break word
  // "requested", the random generator seeded, reference time = now + the
  // plug-in's start delay, the part-start phase, and running set last.
  // False (nothing started) while running, or without a bound task, host or
  // run data, or for a part outside 0..15.
  bool StartPart(const RunPartSetup& setup);
  // Stops the machine (UI thread): later beats and events do nothing. The
  // caller then stops the timer, which waits for a beat in progress.
  void Stop();

  // One beat (timer thread).
  void OnTrialTick();
  // CTimerMs callback: the argument is the machine.
  static void TimerCallback(intptr_t machine);

  // Handles one posted run event (UI thread).
  RunEventAction OnRunEvent(int32_t code, intptr_t lParam);

  // The run dialog's Stop/Go button during a break: answers it as the
  // break dialog would (stop also marks the run stopped).
  void AnswerBreak(bool stop);

  // Sets the times of the next trial from base time t (UI thread).
  void ScheduleTrial(uint32_t t);

  // State for the run dialog's monitor (UI thread).
  bool IsRunning() const { return m_running.load() != 0; }
  Phase GetPhase() const { return m_phase.load(); }
  bool WasStopped() const { return m_stopped.load() != 0; }
  BreakReason GetBreakReason() const { return m_breakReason.load(); }
  bool BreakWasUser() const { return m_breakWasUser.load() != 0; }
  bool InSecondList() const { return m_secondPhase.load() != 0; }
  uint32_t GetTrialIndex() const { return m_trialIndex.load(); }
  uint32_t GetSecondIndex() const { return m_secondIndex.load(); }
  uint32_t GetTrialCount() const { return m_trialCount.load(); }
  uint32_t GetResponseCount() const { return m_responseCount.load(); }
  uint32_t GetResponseCapacity() const { return m_capacity; }
  int32_t GetCategoryCount(int category) const;
  int32_t GetMeanReactionTime() const { return m_meanRt; }
  uint32_t GetAcRun() const { return m_acRun.load(); }
  uint32_t GetOmRun() const { return m_omRun.load(); }
  const char* GetIndicator(int i) const;
  const std::string& GetStatusText() const { return m_status; }
  const char* GetBreakTitle() const { return m_breakTitle; }
  Disposition GetDisposition() const { return m_disposition.load(); }

  // The current trial's times (run clock ms), for the dialog and for tests.
  struct TrialTimes {
    uint32_t reference, warning, warningInterval, signalOn, signalDuration, signalOff;
    uint32_t validStart, validEnd, deadline, response, feedbackEnd;
    int64_t signalOnNs, responseNs;  // the onset and the response to the ns
  };
  TrialTimes GetTimes() const;

 private:
  // Tick side.
  uint32_t Now() const;
  int64_t NowNs() const;
  // The voice key's trigger sample since the signal's onset; `fallback`
  // without one (or with one later than it).
  int64_t VoiceTriggerOr(int64_t fallback) const;
  // When a frame shown since `sinceNs` reached the screen; now without one.
  int64_t ShownAt(int64_t sinceNs) const;
  uint32_t GetVoiceKeyBits();
  bool CheckBreak();
  void TrialSubMachines(uint32_t now);
  void StampResponse(int64_t ns);
  bool FeedbackAndAdvance(uint32_t now);
  void Post(int32_t code);

  // Handlers (UI thread).
  RunEventAction OnPartEnd();
  void OnPartStart();
  void OnNextTrial();
  void OnScore();
  void OnWarning();
  void OnSignalOn();
  void OnSignalOff();
  void OnResponse();
  void OnRelease(intptr_t lParam);
  void OnFeedbackOn();
  void OnFeedbackOff();
  RunEventAction OnBreak();
  void OnBreakAnswered();
  static bool OnBreakShown(void* context);

  void NextTrial(uint32_t t);
  void SignalOff();
  void ScoreResponse();
  int32_t ResponseRule() const;
  int32_t NoResponseRule() const;
  Disposition ErrorOutcome();
  bool HandleErrorTrial(uint32_t i);
  bool SwapWithNextTrial(uint32_t i);
  void RecordSkippedTrial();
  void AppendRecord(int32_t category, int32_t rt, int32_t code, int32_t final);
  int32_t ClassifyResponse(int32_t category, int32_t code);
  void WritePort(uint8_t value);
  void SetTimesFromSignalOn(uint32_t on);
  void FormatBreakTitle();
  void ClearIndicators();

  // Devices.
  RunMachineDevices m_devices;

  // The part being run: written by StartPart before running is set, then
  // only read (by both threads).
  CExpModelTask* m_task = nullptr;
  ITaskHost* m_host = nullptr;
  IDDDisplay* m_display = nullptr;
  ITaskRunData* m_runData = nullptr;
  int m_part = 0;
  bool m_practice = true;
  QelTaskWords m_words{};

  // Words shared by the timer and UI threads.
  std::atomic<uint32_t> m_running{0};
  std::atomic<BreakState> m_breakState{BreakState::kNone};
  std::atomic<Phase> m_phase{Phase::kIdle};
  std::atomic<WarningState> m_warningState{WarningState::kNone};
  std::atomic<SignalState> m_signalState{SignalState::kNone};
  std::atomic<ResponseState> m_responseState{ResponseState::kIdle};
  std::atomic<FeedbackState> m_feedbackState{FeedbackState::kNone};
  std::atomic<Disposition> m_disposition{Disposition::kCounted};
  std::atomic<BreakReason> m_breakReason{BreakReason::kNone};
  std::atomic<uint32_t> m_breakWasUser{0};
  std::atomic<uint32_t> m_stopped{0};
  std::atomic<uint32_t> m_secondPhase{0};
  std::atomic<uint32_t> m_voiceKeyOn{0};
  std::atomic<uint32_t> m_trialIndex{0};
  std::atomic<uint32_t> m_secondIndex{0};
  std::atomic<uint32_t> m_trialCount{0};
  std::atomic<uint32_t> m_secondCount{0};
  std::atomic<uint32_t> m_responseCount{0};
  std::atomic<uint32_t> m_acRun{0};
  std::atomic<uint32_t> m_omRun{0};
  std::atomic<uint32_t> m_referenceTime{0};
  std::atomic<uint32_t> m_warningTime{0};
  std::atomic<uint32_t> m_signalOnTime{0};
  std::atomic<uint32_t> m_signalOffTime{0};
  std::atomic<uint32_t> m_responseDeadline{0};
  std::atomic<uint32_t> m_responseTime{0};
  std::atomic<uint32_t> m_feedbackEnd{0};
  std::atomic<int64_t> m_signalOnNs{0};
  std::atomic<int64_t> m_responseNs{0};
  std::atomic<int32_t> m_responseCode{0};
  std::atomic<Outcome> m_outcome{Outcome::kNone};
  std::atomic<int32_t> m_presetCategory{0};

  // UI thread only.
  uint32_t m_capacity = 0;
  uint32_t m_warningInterval = kInitialWarningIntervalMs;
  uint32_t m_signalDuration = 0;
  uint32_t m_validStart = 0;
  uint32_t m_validEnd = 0;
  uint32_t m_feedbackDuration = kFeedbackDurationMs;
  uint32_t m_stepBack = 0;
  bool m_target = false;
  int32_t m_expected = 0;
  bool m_responseRequired = false;
  int32_t m_categoryCounts[9] = {};
  int64_t m_rtSum = 0;
  int32_t m_rtCount = 0;
  int32_t m_meanRt = 0;
  const char* m_indicators[kIndicatorCount] = {"", "", "", ""};
  std::string m_status;
  char m_breakTitle[96] = "";
  CRunRandom m_random;

  static_assert(std::atomic<uint32_t>::is_always_lock_free && std::atomic<int32_t>::is_always_lock_free);
  static_assert(std::atomic<int64_t>::is_always_lock_free);
  static_assert(std::atomic<Phase>::is_always_lock_free && sizeof(Phase) == sizeof(int32_t));
};

}  // namespace qel

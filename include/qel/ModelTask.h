// The model-task record: the parameters of one run of one task. Every
// plug-in exports its default as g_ModelDefault; model files and project
// tables store it. The layout is a binary interface and must never change.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qel {

// The 18 words from TaskType to TaskIntHigh, always handled as one block.
struct QelTaskWords {
  uint32_t TaskType;              // low 16 bits: QelResponseType
  uint32_t TaskFlags;             // QelTaskFlag bits
  uint32_t TaskIntrAfterTrials;   // consecutive anticipations/omissions before an interruption
  uint32_t TaskIntrContinue;      // QelInterruptionContinue
  uint32_t TaskIntrReplaceTrial;  // QelInterruptionReplace
  uint32_t TaskIntrDummyTrials;   // dummy trials after an interruption
  uint32_t TaskSSS;               // screen scale, voice-key threshold, option bits
  uint32_t TaskFbk;               // QelFeedbackType (low 16), feedback sound (high 16)
  uint32_t TaskVersion;           // 1-based task version
  uint32_t TaskSDType;            // QelSignalDurationType
  uint32_t TaskSDLow;
  uint32_t TaskSDHigh;
  uint32_t TaskControl;  // QelEventsIntervalType
  uint32_t TaskVRLow;    // valid response window, ms after signal onset
  uint32_t TaskVRHigh;
  uint32_t TaskIntType;  // QelIntervalType
  uint32_t TaskIntLow;
  uint32_t TaskIntHigh;

  static constexpr int kCount = 18;
  uint32_t* data() { return &TaskType; }
  const uint32_t* data() const { return &TaskType; }
};
static_assert(sizeof(QelTaskWords) == 72);

struct QelModelTask {
  uint32_t TaskId;
  char TaskIdStr[16];
  char TaskName[64];
  QelTaskWords w;
  uint32_t TaskPartTrials[16];
  uint32_t TaskParam[32];
};

static_assert(sizeof(QelModelTask) == 348, "QelModelTask is a 348-byte record");
static_assert(offsetof(QelModelTask, TaskId) == 0);
static_assert(offsetof(QelModelTask, TaskIdStr) == 4);
static_assert(offsetof(QelModelTask, TaskName) == 20);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskType) == 84);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskFlags) == 88);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntrAfterTrials) == 92);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntrContinue) == 96);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntrReplaceTrial) == 100);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntrDummyTrials) == 104);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskSSS) == 108);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskFbk) == 112);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskVersion) == 116);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskSDType) == 120);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskSDLow) == 124);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskSDHigh) == 128);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskControl) == 132);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskVRLow) == 136);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskVRHigh) == 140);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntType) == 144);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntLow) == 148);
static_assert(offsetof(QelModelTask, w) + offsetof(QelTaskWords, TaskIntHigh) == 152);
static_assert(offsetof(QelModelTask, TaskPartTrials) == 156);
static_assert(offsetof(QelModelTask, TaskParam) == 220);

// TaskFlags bits the run engine and the editors read.
enum QelTaskFlag : uint32_t {
  kTaskFlagVoiceKey = 0x40,           // responses come from the voice key
  kTaskFlagSwapKeys = 0x100,          // left and right response keys may be exchanged
  kTaskFlagExtraWarning = 0x200,      // an extra warning interval before the signal
  kTaskFlagCountOmissions = 0x400,    // omissions are counted for a one-choice task
  kTaskFlagSelfTimed = 0x1000,        // the plug-in runs the whole part itself
  kTaskFlagTimed = 0x2000,            // a timed task (its score is a time)
  kTaskFlagSecondListFirst = 0x4000,  // a test part begins with the plug-in's second trial list
  kTaskFlagSecondPart = 0x8000,       // a run may start at the second part
  kTaskFlagShowButton = 0x10000000,   // the break dialog offers the "Show" button
};

// Bits 24-27 of TaskFlags: the kind of task, which chooses the break texts
// and whether a stopped run stays complete.
constexpr uint32_t kTaskKindShift = 24;
constexpr uint32_t kTaskKindMask = 0x0F000000;
enum QelTaskKind : uint32_t { kTaskKindDefault = 0, kTaskKindSeries = 1, kTaskKindTrials = 2 };
constexpr uint32_t TaskKind(uint32_t taskFlags) { return (taskFlags & kTaskKindMask) >> kTaskKindShift; }

// Low 16 bits of TaskType: the response type (the number of working keys).
constexpr uint32_t kResponseTypeMask = 0xFFFF;
enum QelResponseType : uint32_t { kResponseMouse = 0, kResponseSingle = 1, kResponseTwoChoice = 2 };
constexpr uint32_t ResponseTypeOf(uint32_t taskType) { return taskType & kResponseTypeMask; }

// TaskSDType: the signal duration type.
enum QelSignalDurationType : uint32_t {
  kSignalDurationVariable = 0,    // "Variable": until the valid response window ends (TaskVRHigh)
  kSignalDurationFixed = 1,       // "Fixed": TaskSDLow
  kSignalDurationRandom = 2,      // "Random": drawn from TaskSDLow..TaskSDHigh
  kSignalDurationIrrelevant = 3,  // "Irrelevant": on until the response window ends
};

// TaskControl: the events interval type, the event from which the interval
// to the next trial counts.
enum QelEventsIntervalType : uint32_t {
  kEventsPostResponse = 0,    // "PostResponse": from the response (or the deadline)
  kEventsRate = 1,            // "EventRate": from the signal onset
  kEventsPostKeyRelease = 2,  // "PostKeyRelease": from the key's release (or the deadline)
};

// TaskIntType: the interval duration type.
enum QelIntervalType : uint32_t {
  kIntervalVariable = 0,  // "Variable"
  kIntervalFixed = 1,     // "Fixed": TaskIntLow
  kIntervalRandom = 2,    // "Random": drawn from TaskIntLow..TaskIntHigh
};

// TaskIntrContinue: how the run goes on after an interruption.
enum QelInterruptionContinue : uint32_t {
  kContinueCancel = 0,        // "Cancel": the trial is given again
  kContinueDummyTrials = 1,   // "Dummy trials": the run switches to the plug-in's second list
  kContinueRepeatTrial = 2,   // "Repeat trial": counted as an anticipation, given again
  kContinueReplaceTrial = 3,  // "Replace trial": counted as an omission, its code replaced
};

// TaskIntrReplaceTrial: how the code of a replaced trial changes.
enum QelInterruptionReplace : uint32_t {
  kReplaceNo = 0,                  // "No"
  kReplaceRotateHorizontally = 1,  // "Rotate horizontally": the halves of the letters exchanged
  kReplaceRotateDiagonally = 2,    // "Rotate diagonally": the quarters of the letters exchanged
  kReplaceSwapNext = 3,            // "Swap next": the trial exchanged with the next one
};

// TaskFbk: the feedback type (low 16 bits) and the feedback sound (high 16).
constexpr uint32_t kFeedbackTypeMask = 0xFFFF;
constexpr uint32_t kFeedbackSoundShift = 16;
enum QelFeedbackType : uint32_t { kFeedbackNone = 0, kFeedbackAudio = 1, kFeedbackVisual = 2 };
constexpr uint32_t FeedbackTypeOf(uint32_t taskFbk) { return taskFbk & kFeedbackTypeMask; }
constexpr uint32_t FeedbackSoundOf(uint32_t taskFbk) { return taskFbk >> kFeedbackSoundShift; }
constexpr uint32_t FeedbackWord(uint32_t type, uint32_t sound) { return type | (sound << kFeedbackSoundShift); }

// TaskSSS fields.
constexpr uint32_t kSssScaleMask = 0xFFFF;
constexpr uint32_t kSssVoiceKeyShift = 16;
constexpr uint32_t kSssVoiceKeyMask = 0xFF0000;
constexpr uint32_t kSssVoiceKeyOption = 0x1000000;
constexpr uint32_t kSssKeyboardResponses = 0x2000000;

// Limits shared by the whole system.
constexpr int kMaxTaskLibraries = 40;
constexpr int kMaxModelTasks = 40;
constexpr int kMaxParts = 16;
constexpr int kMaxTrialCodes = 2000;
constexpr int kTrialCodeSize = 17;
constexpr int kMaxResponses = 6000;
constexpr int kMaxVariables = 1500;
constexpr double kNoValue = 9999.0;  // "no value" in every variable, statistic and norm

}  // namespace qel

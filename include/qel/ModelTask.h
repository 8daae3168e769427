// The model-task record: the parameters of one run of one task. Every
// plug-in exports its default as g_ModelDefault; model files and project
// tables store it. The layout is a binary interface and must never change.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qel {

// The 18 words from TaskType to TaskIntHigh, always handled as one block.
struct QelTaskWords {
  uint32_t TaskType;              // low 16 bits: response type (0 mouse, 1 single, 2 two-choice)
  uint32_t TaskFlags;             // QelTaskFlag bits
  uint32_t TaskIntrAfterTrials;   // consecutive anticipations/omissions before an interruption
  uint32_t TaskIntrContinue;      // how the run continues after an interruption
  uint32_t TaskIntrReplaceTrial;  // how an interrupted trial is replaced
  uint32_t TaskIntrDummyTrials;   // dummy trials after an interruption
  uint32_t TaskSSS;               // screen scale, voice-key threshold, option bits
  uint32_t TaskFbk;               // feedback type (low 16), feedback sound (high 16)
  uint32_t TaskVersion;           // 1-based task version
  uint32_t TaskSDType;            // signal duration: 0 Variable, 1 Fixed, 2 Random, 3 Irrelevant
  uint32_t TaskSDLow;
  uint32_t TaskSDHigh;
  uint32_t TaskControl;  // events interval: 0 PostResponse, 1 EventRate, 2 PostKeyRelease
  uint32_t TaskVRLow;    // valid response window, ms after signal onset
  uint32_t TaskVRHigh;
  uint32_t TaskIntType;  // interval: 0 Variable, 1 Fixed, 2 Random
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
  kTaskFlagVoiceKey = 0x40,         // responses come from the voice key
  kTaskFlagSwapKeys = 0x100,        // left and right response keys may be exchanged
  kTaskFlagExtraWarning = 0x200,    // an extra warning interval before the signal
  kTaskFlagCountOmissions = 0x400,  // omissions are counted for a one-choice task
  kTaskFlagSelfTimed = 0x1000,      // the plug-in runs the whole part itself
  kTaskFlagSecondPart = 0x8000,     // a run may start at the second part
};

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

// The plug-in entry point and its command numbers.
#pragma once

#include <cstdint>

namespace qel {

// TaskEntry(command, a, b, c, out): a, b and c carry integers or pointers and
// are therefore pointer-wide; out points to a 32-bit result or is null.
extern "C" {
typedef bool (*TaskEntryFn)(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out);
}

// The information command (kCmdGetInfo, a = type) answers numbers in the
// 32-bit result.
// Some answers are pointers (the model default, the task description,
// names, variable texts, the caption table) and do not fit 32 bits. A
// caller asks for those by adding kInfoWideAnswer to the type and passing
// the address of an intptr_t as out; every answer (and the switches that
// kinds 6 and 7 read from *out) then takes the whole intptr_t. Without the
// flag a pointer question fails and writes nothing, so a 32-bit result is
// never overrun.
constexpr int32_t kInfoWideAnswer = 0x10000;

constexpr const char* kTaskEntryName = "TaskEntry";
constexpr const char* kModelDefaultName = "g_ModelDefault";

enum QelTaskCommand : uint32_t {
  kCmdInit = 0,
  kCmdGetInfo = 1,
  kCmdSetupRun = 2,
  kCmdGetParamText = 3,
  kCmdUnload = 4,
  kCmdBeginRun = 5,
  kCmdEndRun = 6,
  kCmdShowWarning = 7,
  kCmdHideWarning = 8,
  kCmdPrepareScreen = 9,
  kCmdDrawToSurface = 10,
  kCmdDrawStimulus = 11,
  kCmdShowSignal = 12,
  kCmdHideSignal = 13,
  kCmdBreakBegin = 14,
  kCmdBreakEnd = 15,
  kCmdWarningInterval = 16,
  kCmdGetResponse = 17,
  kCmdIsTrialEnded = 18,
  kCmdOnResponse = 19,
  kCmdOnNoResponse = 20,
  kCmdOnResponseRelease = 21,
  kCmdExtraResponseCount = 22,
  kCmdFeedbackOn = 23,
  kCmdFeedbackOff = 24,
  kCmdSetTrial = 25,
  kCmdCorrectResponse = 26,
  kCmdClassifyResponse = 27,
  kCmdDemonstrate = 28,
  kCmdComputeVariables = 29,
  kCmdRunSelfTimed = 30,
  kCmdLast = 30,
};

// Response categories given by the run engine (and 8 set by a plug-in).
enum QelResponseCategory : int32_t {
  kCatNone = 0,              // "NO"
  kCatHit = 1,               // "HI"
  kCatCorrectRejection = 2,  // "CR"
  kCatFalseAlarm = 3,        // "FA"
  kCatMiss = 4,              // "MI"
  kCatAnticipation = 5,      // "AC"
  kCatOmission = 6,          // "OM"
  kCatSkipped = 7,           // "IN"
  kCatExcluded = 8,          // "DU"
};

// Answers of the trial-ended poll (kCmdIsTrialEnded), asked at every beat.
enum QelTrialEndedAnswer : int32_t {
  kTrialGoesOn = 0,
  kTrialEndsNow = 1,   // the trial ends at once, its category preset to excluded
  kTrialSkipBeat = 6,  // nothing more is done in this beat
};

// The response command (kCmdOnResponse): its second argument marks a
// response before the valid window; its answer accepts the response (0 to
// kResponseAcceptLast), skips or excludes the trial, or (any other value)
// rejects the response.
constexpr int32_t kResponseBeforeWindow = 5;
enum QelResponseAnswer : int32_t {
  kResponseAccept = 0,
  kResponseAcceptLast = 5,
  kResponseSkipTrial = 7,
  kResponseExcludeTrial = 8,
};

// Answers of the no-response command (kCmdOnNoResponse) at the deadline.
enum QelNoResponseAnswer : int32_t {
  kNoResponseDefault = 0,   // scored as no response
  kNoResponseInWindow = 1,  // scored as a response in the window (at the deadline)
  kNoResponseExclude = 8,   // the trial's category preset to excluded
};

}  // namespace qel

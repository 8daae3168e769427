// A task plug-in for the host's tests, written straight against the binary
// interface (no plug-in framework). Compile definitions choose its identity
// and its faults:
//   ENGLIB_CODE, ENGLIB_NAME     short code and name of g_ModelDefault
//   ENGLIB_TASK_TYPE             default TaskType
//   ENGLIB_VERSION               library version written at the init command
//   ENGLIB_INIT_RESULT           result of the init command (0 refuses)
//   ENGLIB_NO_ENTRY              no TaskEntry
//   ENGLIB_NO_MODEL_DEFAULT      no exported g_ModelDefault
// Every command goes to the test program's hook when it has one.
#include <dlfcn.h>

#include "engine/library/tests/plugins/TestPluginHook.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

#ifndef ENGLIB_CODE
#define ENGLIB_CODE "EG"
#endif
#ifndef ENGLIB_NAME
#define ENGLIB_NAME "Englib good"
#endif
#ifndef ENGLIB_TASK_TYPE
#define ENGLIB_TASK_TYPE 2
#endif
#ifndef ENGLIB_VERSION
#define ENGLIB_VERSION 1
#endif
#ifndef ENGLIB_INIT_RESULT
#define ENGLIB_INIT_RESULT 1
#endif

#define ENGLIB_EXPORT __attribute__((visibility("default")))

namespace {

const QelModelTask kDefault = {
    901,
    ENGLIB_CODE,
    ENGLIB_NAME,
    {ENGLIB_TASK_TYPE, kTaskFlagSecondPart | kTaskFlagSwapKeys, 3, kContinueDummyTrials, kReplaceRotateDiagonally, 4,
     100, kFeedbackNone, 1, kSignalDurationFixed, 500, 500, kEventsPostResponse, 100, 1500, kIntervalFixed, 1000, 1000},
    {10, 12},
    {7}};

const TaskVariableDef kScoreVariables[] = {
    {"Nhi_eg", nullptr, "%.0f", "Hits", kVarTypeNone, 1},
    {"Thi_eg", nullptr, "%.1f", "Mean reaction time", kVarTypeCount, 1},
    {"Shi_eg", nullptr, "%.1f", "SD of reaction time", kVarTypeFalseAlarm, 1},
    {"ZThi_eg", nullptr, "%.2f", "Z of mean reaction time", kVarZRow, 1},
    {"ZShi_eg", nullptr, "%.2f", "Z of SD", kVarZRow, 1},
    {"ZNhi_eg", nullptr, "%.2f", "Z of hits", kVarZRow, 1},
    {"Zcomb_eg", nullptr, "%.2f", "Combined Z", kVarZRow, 1},
    {"Mhi_eg", nullptr, "%.1f", "Median reaction time", kVarTypeMiss, 1},
};

// A combined row: its Z-score comes from the plug-in itself.
bool CombinedGetter(double* out, double value, double age, int kind) {
  if (value == kNoValue) return false;
  *out = value * 10.0 + age + kind;
  return true;
}

const TaskNormVariable kNormVariables[] = {
    {3, "ms", "ZThi_eg", nullptr, 1, 0},
    {4, "ms", "ZShi_eg", nullptr, 2, 0},
    {5, "N", "ZNhi_eg", nullptr, 0, kNormReversed},
    {6, "N", nullptr, CombinedGetter, 0, 0},
    {-1, "N", "ZBad_eg", nullptr, 0, 0},
    {6, nullptr, nullptr, nullptr, 0, 0},
    {99, nullptr, "ZFar_eg", nullptr, 99, 0},
    {7, "ms", "", nullptr, 7, 0},
};

const uint32_t kCodeRows[3][kMaxParts] = {{1, 2}, {3, 4}, {1, 5}};

const QelTaskDescription kDescription = {
    20,
    2,
    3,
    {{{kSignalDurationFixed, 500, 500, kEventsPostResponse, 100, 1500, kIntervalFixed, 1000, 1000}},
     {{kSignalDurationRandom, 300, 700, kEventsRate, 100, 2000, kIntervalRandom, 500, 1500}}},
    kCodeRows};

const char* const kVersionNames[] = {"Version 1", "Version 2"};
const char* const kPartNames[] = {"Left hand", "Right hand"};
const char* const kCaptions[] = {"N", "RT"};
const char* const kCaptions2[] = {"1", "2", "3"};
const char* const kCodeNames[] = {"LOFA", "HIFA"};

#ifndef ENGLIB_NO_ENTRY
ITaskLibrary* g_record = nullptr;

bool Hook(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out, bool fallback) {
  auto hook = reinterpret_cast<EnglibTestHookFn>(dlsym(RTLD_DEFAULT, kEnglibTestHookName));
  return hook ? hook(g_record, command, a, b, c, out) : fallback;
}

const QelModelTask* ModelDefault();

bool Init(ITaskLibrary* lib) {
  if (!lib) return false;
  g_record = lib;
  const QelModelTask* def = ModelDefault();
  lib->version = ENGLIB_VERSION;
  lib->modelDefault = def;
  lib->taskDescription = &kDescription;
  lib->texts[0] = "Task instruction " ENGLIB_CODE;
  lib->texts[1] = "Part instruction " ENGLIB_CODE;
  lib->texts[2] = "Parameters help " ENGLIB_CODE;
  lib->texts[3] = "Feedback " ENGLIB_CODE;
  lib->versionNames = kVersionNames;
  lib->partNames = kPartNames;
  lib->versionCount = 2;
  lib->partCount = 2;
  lib->scoreVariableCount = sizeof kScoreVariables / sizeof kScoreVariables[0];
  lib->scoreVariables = kScoreVariables;
  lib->captions = kCaptions;
  lib->captionCount = 2;
  lib->captions2 = kCaptions2;
  lib->captionCount2 = 3;
  lib->answerText.clear();
  lib->answerWord = 0;
  for (int i = 0; i < kMaxParts; ++i) {
    lib->partWordsA[i] = 0;
    lib->partWordsB[i] = 0;
    lib->normTrialCounts[i] = -1;
  }
  lib->normTrialCounts[0] = 120;
  lib->defaultTaskType = def->w.TaskType;
  lib->defaultTaskFlags = def->w.TaskFlags;
  lib->defaultIntrAfterTrials = def->w.TaskIntrAfterTrials;
  lib->defaultIntrContinue = def->w.TaskIntrContinue;
  lib->defaultIntrReplaceTrial = def->w.TaskIntrReplaceTrial;
  lib->defaultIntrDummyTrials = def->w.TaskIntrDummyTrials;
  lib->normVariables = kNormVariables;
  lib->normVariableCount = sizeof kNormVariables / sizeof kNormVariables[0];
  lib->codeNames = kCodeNames;
  lib->codeNameFirst = 10;
  lib->codeNameCount = 2;
  return true;
}
#endif

}  // namespace

#ifndef ENGLIB_NO_MODEL_DEFAULT
extern "C" {
ENGLIB_EXPORT QelModelTask g_ModelDefault = kDefault;
}
#endif

#ifndef ENGLIB_NO_ENTRY
namespace {
const QelModelTask* ModelDefault() {
#ifndef ENGLIB_NO_MODEL_DEFAULT
  return &g_ModelDefault;
#else
  return &kDefault;
#endif
}
}  // namespace

extern "C" ENGLIB_EXPORT bool TaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out) {
  if (command == kCmdInit) {
    const bool filled = Init(reinterpret_cast<ITaskLibrary*>(a));
    // The hook sees the filled record and may spoil it or refuse.
    const bool hooked = Hook(command, a, b, c, out, true);
    return filled && hooked && ENGLIB_INIT_RESULT;
  }
  const bool result = Hook(command, a, b, c, out, true);
  if (command == kCmdUnload) g_record = nullptr;
  return result;
}
#endif

}  // namespace qel

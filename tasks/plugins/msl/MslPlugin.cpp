// The plug-in QelMSL: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/msl/TaskMemorySearchLetters.h"

namespace qel {

// Two keys (yes right, no left, exchangeable), the letters stay on until the
// answer or the end of the response window, the next display 1000 ms after
// the answer; sound feedback on errors.
const QelModelTask g_ModelDefault = {
    3,
    "MSL",
    "Memory Search Letters",
    {/*TaskType*/ kResponseTwoChoice, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3,
     /*IntrContinue*/ kContinueRepeatTrial, /*IntrReplaceTrial*/ kReplaceNo, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100,
     /*TaskFbk*/ kFeedbackAudio, /*TaskVersion*/ 1, /*SDType*/ kSignalDurationVariable, /*SDLow*/ 0, /*SDHigh*/ 0,
     /*Control*/ kEventsPostResponse, /*VRLow*/ 150, /*VRHigh*/ 4000, /*IntType*/ kIntervalFixed, /*IntLow*/ 1000,
     /*IntHigh*/ 1000},
    {40, 72, 96},
    {},
};

QEL_TASK_PLUGIN(CTaskMemorySearchLetters, g_memorySearchLetters);

}  // namespace qel

// The plug-in QelMSO1: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/mso1/TaskMemorySearchObjects.h"

namespace qel {

// One key, pressed for a memory animal only; the house with its animals
// stays on until the press or the end of the response window, the next
// trial 1000 ms later; sound feedback on errors.
const QelModelTask g_ModelDefault = {
    5,
    "MSO1",
    "Memory Search Objects 1 key",
    {/*TaskType*/ kResponseSingle, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 3, /*IntrContinue*/ kContinueRepeatTrial,
     /*IntrReplaceTrial*/ kReplaceNo, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ kFeedbackAudio,
     /*TaskVersion*/ 1, /*SDType*/ kSignalDurationVariable, /*SDLow*/ 0, /*SDHigh*/ 0,
     /*Control*/ kEventsPostResponse, /*VRLow*/ 150, /*VRHigh*/ 2000, /*IntType*/ kIntervalFixed, /*IntLow*/ 1000,
     /*IntHigh*/ 1000},
    {40, 40},
    {},
};

QEL_TASK_PLUGIN(CTaskMemorySearchObjects, g_memorySearchObjects);

}  // namespace qel

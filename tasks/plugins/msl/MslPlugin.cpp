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
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 4000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {40, 72, 96},
    {},
};

QEL_TASK_PLUGIN(CTaskMemorySearchLetters, g_memorySearchLetters);

}  // namespace qel

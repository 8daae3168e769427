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
    {/*TaskType*/ 1, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0,
     /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1, /*SDType*/ 0, /*SDLow*/ 0,
     /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 2000, /*IntType*/ 1, /*IntLow*/ 1000,
     /*IntHigh*/ 1000},
    {40, 40},
    {},
};

QEL_TASK_PLUGIN(CTaskMemorySearchObjects, g_memorySearchObjects);

}  // namespace qel

// The plug-in QelFL: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/fl/TaskFlanker.h"

namespace qel {

// Two buttons (the colours' sides may be exchanged), a framed square as the
// warning 500 ms before the grid, the grid until the answer or 2000 ms,
// the next trial 1000 ms after the answer; sound feedback on errors.
const QelModelTask g_ModelDefault = {
    25,
    "FL",
    "Flanker",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys | kTaskFlagExtraWarning, /*IntrAfterTrials*/ 3,
     /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1,
     /*TaskVersion*/ 1, /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 2000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {40, 80},
    {},
};

QEL_TASK_PLUGIN(CTaskFlanker, g_flanker);

}  // namespace qel

// The plug-in QelSSV: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/ssv/TaskShiftingSetVisual.h"

namespace qel {

// Two buttons on their own sides (never exchanged), no warning: the square
// jumps and stays until the answer or 2000 ms, the next jump 1000 ms after
// the answer; sound feedback on errors.
const QelModelTask g_ModelDefault = {
    28,
    "SSV",
    "Shifting Attentional Set Visual",
    {/*TaskType*/ 2, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0,
     /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1, /*SDType*/ 0, /*SDLow*/ 0,
     /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 2000, /*IntType*/ 1, /*IntLow*/ 1000,
     /*IntHigh*/ 1000},
    {40, 40, 80},
    {},
};

QEL_TASK_PLUGIN(CTaskShiftingSetVisual, g_shiftingSetVisual);

}  // namespace qel

// The plug-in QelFA4L: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/fa4l/TaskFocusedAttention4Letters.h"

namespace qel {

// Two keys (yes right, no left, exchangeable), the letters stay on until the
// answer or the end of the response window, the next display 1000 ms after
// the answer; sound feedback on errors. Each part plays its list of 40
// twice. TaskParam word 0: the relevant diagonal (0 top left and bottom
// right).
const QelModelTask g_ModelDefault = {
    12,
    "FA4L",
    "Focused Attention 4 letters",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 4000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {80, 80},
    {0},
};

QEL_TASK_PLUGIN(CTaskFocusedAttention4Letters, g_focusedAttention4Letters);

}  // namespace qel

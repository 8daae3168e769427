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
    {/*TaskType*/ kResponseTwoChoice, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3,
     /*IntrContinue*/ kContinueRepeatTrial, /*IntrReplaceTrial*/ kReplaceNo, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100,
     /*TaskFbk*/ kFeedbackAudio, /*TaskVersion*/ 1, /*SDType*/ kSignalDurationVariable, /*SDLow*/ 0, /*SDHigh*/ 0,
     /*Control*/ kEventsPostResponse, /*VRLow*/ 150, /*VRHigh*/ 4000, /*IntType*/ kIntervalFixed, /*IntLow*/ 1000,
     /*IntHigh*/ 1000},
    {80, 80},
    {0},
};

QEL_TASK_PLUGIN(CTaskFocusedAttention4Letters, g_focusedAttention4Letters);

}  // namespace qel

// The plug-in QelROA: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/roa/TaskResponseOrganizationArrows.h"

namespace qel {

// Two buttons on their own sides (never exchanged), the empty box as the
// warning 500 ms before the arrow, the arrow until the answer or 2000 ms,
// the next trial 1000 ms after the answer; sound feedback on errors.
const QelModelTask g_ModelDefault = {
    7,
    "ROA",
    "Response Organization Arrows",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagExtraWarning, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 2000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {48, 48, 96},
    {},
};

QEL_TASK_PLUGIN(CTaskResponseOrganizationArrows, g_responseOrganizationArrows);

}  // namespace qel

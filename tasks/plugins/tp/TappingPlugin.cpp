// Tapping's exported default model task and entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/tp/TappingTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    35,
    "TP",
    "Tapping",
    {/*TaskType*/ 2, /*TaskFlags*/ 0xB000, /*IntrAfterTrials*/ 0, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0,
     /*TaskVersion*/ 1, /*TaskSDType*/ 3, 0, 0, 0, 0, 0, 0, 0, 0},
    /*TaskPartTrials: seconds per part*/ {10, 10, 10, 10},
    /*TaskParam: counters in Alt and Sync, Alt and Sync criteria in percent*/ {0, 20, 60},
};

QEL_TASK_PLUGIN(CTaskTapping, g_tappingTask);

}  // namespace qel

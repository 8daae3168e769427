// Pursuit's exported default model task and entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/pu/PursuitTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    29,
    "PU",
    "Pursuit",
    {/*TaskType*/ 0, /*TaskFlags: runs its parts itself*/ 0x3B000, /*IntrAfterTrials*/ 0, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*TaskSDType*/ 3, /*TaskSDLow*/ 0, /*TaskSDHigh*/ 0, /*TaskControl*/ 1, /*TaskVRLow*/ 0, /*TaskVRHigh*/ 0,
     /*TaskIntType*/ 1, /*TaskIntLow*/ 100, /*TaskIntHigh*/ 100},
    /*TaskPartTrials: seconds per part*/ {60, 60},
    /*TaskParam: mouse word, speed medium, smoothing 3 (shown 4), threshold 12 mm*/
    {MouseWord::kDefault, 1, 3, 12},
};

QEL_TASK_PLUGIN(CTaskPursuit, g_pursuitTask);

}  // namespace qel

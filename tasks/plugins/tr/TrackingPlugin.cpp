// Tracking's exported default model task and entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/tr/TrackingTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    31,
    "TR",
    "Tracking",
    {/*TaskType*/ 0, /*TaskFlags: runs its parts itself*/ 0x39000, /*IntrAfterTrials*/ 0, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS: screen scale 1.5*/ 150, /*TaskFbk*/ 0,
     /*TaskVersion*/ 1, /*TaskSDType*/ 3, /*TaskSDLow*/ 0, /*TaskSDHigh*/ 0, /*TaskControl*/ 1, /*TaskVRLow*/ 0,
     /*TaskVRHigh*/ 0, /*TaskIntType*/ 1, /*TaskIntLow*/ 20, /*TaskIntHigh*/ 20},
    /*TaskPartTrials*/ {},
    /*TaskParam: mouse word, right hand clockwise, medium track*/ {MouseWord::kDefault, 0, 1},
};

QEL_TASK_PLUGIN(CTaskTracking, g_trackingTask);

}  // namespace qel

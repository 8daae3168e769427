// VisuoSpatial Sequencing's exported default model task and entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/vss/VssTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    36,
    "VSS",
    "VisuoSpatial Sequencing",
    {/*TaskType*/ 0, /*TaskFlags: trials, runs its part itself*/ 0x2001002, /*IntrAfterTrials*/ 0,
     /*IntrContinue*/ 1, /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS: screen scale 2.0*/ 200,
     /*TaskFbk*/ 0, /*TaskVersion*/ 1, /*TaskSDType*/ 3, 0, 0, 0, 0, 0, 0, 0, 0},
    /*TaskPartTrials: the 24 series of the one part*/ {24},
    /*TaskParam: mouse word, hand pointer, show 1000 ms, interval 750 ms, user-based stop*/
    {MouseWord::kDefault, 0, 1000, 750, 0},
};

QEL_TASK_PLUGIN(CTaskVisuoSpatialSequencing, g_vssTask);

}  // namespace qel

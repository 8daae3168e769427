// The test plug-in's exported record and entry.
#include "taskfw/TaskPlugin.h"
#include "taskfw/tests/probe/ProbeTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    99,
    "FWP",
    "Framework Probe",
    {/*TaskType*/ 2, /*TaskFlags*/ 0x100, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 1,
     /*IntrReplaceTrial*/ 2, /*IntrDummyTrials*/ 1, /*TaskSSS*/ 100, /*TaskFbk*/ 0,
     /*TaskVersion*/ 1, 0, 500, 500, 0, 100, 1500, 1, 1000, 1000},
    {10, 10},
    {1, 20},
};

QEL_TASK_PLUGIN(CTaskProbe, g_probeTask);

}  // namespace qel

// The host tests' plug-in: its exported record and entry.
#include "engine/host/tests/probe/HostProbeTask.h"
#include "taskfw/TaskPlugin.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    98,
    "HSP",
    "Host Service Probe",
    {/*TaskType*/ 1, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 0, /*IntrContinue*/ 0,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0,
     /*TaskVersion*/ 1, 0, 500, 500, 0, 100, 1500, 1, 1000, 1000},
    {4},
    {},
};

QEL_TASK_PLUGIN(CTaskHostProbe, g_hostProbeTask);

}  // namespace qel

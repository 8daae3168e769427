// The host tests' plug-in: its exported record and entry.
#include "engine/host/tests/probe/HostProbeTask.h"
#include "taskfw/TaskPlugin.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    98,
    "HSP",
    "Host Service Probe",
    {/*TaskType*/ kResponseSingle, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 0, /*IntrContinue*/ kContinueCancel,
     /*IntrReplaceTrial*/ kReplaceNo, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ kFeedbackNone,
     /*TaskVersion*/ 1, kSignalDurationVariable, 500, 500, kEventsPostResponse, 100, 1500, kIntervalFixed, 1000, 1000},
    {4},
    {},
};

QEL_TASK_PLUGIN(CTaskHostProbe, g_hostProbeTask);

}  // namespace qel

// The test plug-in's exported record and entry.
#include "taskfw/TaskPlugin.h"
#include "taskfw/tests/probe/ProbeTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    99,
    "FWP",
    "Framework Probe",
    {/*TaskType*/ kResponseTwoChoice, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3,
     /*IntrContinue*/ kContinueDummyTrials, /*IntrReplaceTrial*/ kReplaceRotateDiagonally, /*IntrDummyTrials*/ 1,
     /*TaskSSS*/ 100, /*TaskFbk*/ kFeedbackNone, /*TaskVersion*/ 1, kSignalDurationVariable, 500, 500,
     kEventsPostResponse, 100, 1500, kIntervalFixed, 1000, 1000},
    {10, 10},
    {1, 20},
};

QEL_TASK_PLUGIN(CTaskProbe, g_probeTask);

}  // namespace qel

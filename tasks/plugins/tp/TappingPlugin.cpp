// Tapping's exported default model task and entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/tp/TappingTask.h"

namespace qel {

const QelModelTask g_ModelDefault = {
    35,
    "TP",
    "Tapping",
    {/*TaskType*/ kResponseTwoChoice, /*TaskFlags*/ kTaskFlagSecondPart | kTaskFlagTimed | kTaskFlagSelfTimed,
     /*IntrAfterTrials*/ 0, /*IntrContinue*/ kContinueRepeatTrial, /*IntrReplaceTrial*/ kReplaceNo,
     /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ kFeedbackNone, /*TaskVersion*/ 1,
     /*TaskSDType*/ kSignalDurationIrrelevant, 0, 0, /*Control*/ kEventsPostResponse, 0, 0,
     /*IntType*/ kIntervalVariable, 0, 0},
    /*TaskPartTrials: seconds per part*/ {10, 10, 10, 10},
    /*TaskParam: counters in Alt and Sync, Alt and Sync criteria in percent*/ {0, 20, 60},
};

QEL_TASK_PLUGIN(CTaskTapping, g_tappingTask);

}  // namespace qel

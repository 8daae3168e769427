// The plug-in QelSAD: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/sad/TaskSustainedAttentionDots.h"

namespace qel {

// Two keys (yes for the target number of dots); the pattern stays until the
// answer (at most 6 s, answers from 200 ms on count), the next one 250 ms
// later; a test part begins with the six codes of the second list; after
// three anticipations or omissions in a row the run goes on with the second
// list; a sound on errors. 600 trials: the list of 300 twice.
const QelModelTask g_ModelDefault = {
    15,
    "SAD",
    "Sustained Attention Dots",
    {/*TaskType*/ 2, /*TaskFlags*/ 0x103413A, /*IntrAfterTrials*/ 2, /*IntrContinue*/ 1, /*IntrReplaceTrial*/ 0,
     /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1, /*SDType*/ 0, /*SDLow*/ 0,
     /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 200, /*VRHigh*/ 6000, /*IntType*/ 1, /*IntLow*/ 250,
     /*IntHigh*/ 250},
    {600},
    /*TaskParam: series number shown, dot set 3-4-5, balance by presentation*/ {1, 0, 0},
};

QEL_TASK_PLUGIN(CTaskSustainedAttentionDots, g_dotsTask);

}  // namespace qel

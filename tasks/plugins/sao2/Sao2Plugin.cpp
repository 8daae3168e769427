// The plug-in QelSAO2: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/sao2/TaskSustainedAttentionObjects.h"

namespace qel {

// Two keys (yes for the target animal); the animal stays until the answer
// (at most 6 s, answers from 200 ms on count), the next one 250 ms later;
// after three anticipations or omissions in a row the run goes on with the
// second list; a sound on errors. 240 trials, twenty series of 12.
const QelModelTask g_ModelDefault = {
    20,
    "SAO2",
    "Sustained Attention Objects 2 keys",
    {/*TaskType*/ 2, /*TaskFlags*/ 0x103093A, /*IntrAfterTrials*/ 2, /*IntrContinue*/ 1, /*IntrReplaceTrial*/ 0,
     /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1, /*SDType*/ 0, /*SDLow*/ 0,
     /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 200, /*VRHigh*/ 6000, /*IntType*/ 1, /*IntLow*/ 250,
     /*IntHigh*/ 250},
    {240},
    /*TaskParam: series number shown*/ {1},
};

QEL_TASK_PLUGIN(CTaskSustainedAttentionObjects, g_objectsTask);

}  // namespace qel

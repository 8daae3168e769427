// The plug-in QelSAA: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/saa/TaskSustainedAttentionAuditory.h"

namespace qel {

// One key, pressed for the target tone only. A tone of 100 ms every 1.75 s
// from its onset; answers count from 200 to 1500 ms; a test part begins with
// the six codes of the second list; after three anticipations in a row the
// run goes on with the second list; a red note as feedback on errors.
// Pitches 400, 550 and 700 Hz; 360 trials, ten series of 36.
const QelModelTask g_ModelDefault = {
    19,
    "SAA",
    "Sustained Attention Auditory",
    {/*TaskType*/ 1, /*TaskFlags*/ 0x102403A, /*IntrAfterTrials*/ 2, /*IntrContinue*/ 1, /*IntrReplaceTrial*/ 0,
     /*IntrDummyTrials*/ 6, /*TaskSSS*/ 100, /*TaskFbk*/ 2, /*TaskVersion*/ 1, /*SDType*/ 1, /*SDLow*/ 100,
     /*SDHigh*/ 100, /*Control*/ 1, /*VRLow*/ 200, /*VRHigh*/ 1500, /*IntType*/ 1, /*IntLow*/ 1750,
     /*IntHigh*/ 1750},
    {360},
    /*TaskParam: series number shown, low, middle and high pitch in Hz*/ {1, 400, 550, 700},
};

QEL_TASK_PLUGIN(CTaskSustainedAttentionAuditory, g_auditoryTask);

}  // namespace qel

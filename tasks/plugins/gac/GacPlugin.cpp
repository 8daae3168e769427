// The plug-in QelGAC: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/gac/TaskGazeArrowCueing.h"

namespace qel {

// Two buttons on the ball's sides (never exchanged), the fixation cross as
// the warning 500 ms before the cue; the ball until the answer or 1500 ms,
// the next trial 1000 ms after the answer; sound feedback on errors.
// TaskParam words 0-2: cue start 150 ms, cue end 150 ms, post-catch-cue
// interval 1200 ms.
const QelModelTask g_ModelDefault = {
    8,
    "GAC",
    "Gaze-Arrow Cueing",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagExtraWarning, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 1, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 100, /*VRHigh*/ 1500,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {104},
    {CTaskGazeArrowCueing::kCueStartDefault, CTaskGazeArrowCueing::kCueEndDefault,
     CTaskGazeArrowCueing::kPostCatchDefault},
};

QEL_TASK_PLUGIN(CTaskGazeArrowCueing, g_gazeArrowCueing);

}  // namespace qel

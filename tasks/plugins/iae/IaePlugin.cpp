// The plug-in QelIAE: its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/iae/TaskIdentificationAvertedEmotions.h"

namespace qel {

// Two keys (yes right, no left, exchangeable); each face stays on until the
// answer or the end of the response window, the next one 1000 ms after the
// answer; no feedback. The probe waits for the space key (page defaults:
// user terminated, 1000 / 500 / 1000 ms, shown as a face).
const QelModelTask g_ModelDefault = {
    37,
    "IAE",
    "Identification of Averted Facial Emotions",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 4000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {64, 64, 64, 64},
    {kDefaultProbeMode, kDefaultProbeDurationMs, kDefaultPostProbeMs, kDefaultProbeStimulusMs, 0},
};

QEL_TASK_PLUGIN(CTaskIdentificationAvertedEmotions, g_identificationAvertedEmotions);

}  // namespace qel

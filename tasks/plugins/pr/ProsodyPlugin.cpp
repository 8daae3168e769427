// The plug-in QelPR ("Prosody"): its default model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/pr/TaskProsody.h"

namespace qel {

// One spoken answer per sentence, timed by the voice key (threshold 10 %),
// valid from 300 to 6000 ms; the warning 1000 ms before the sentence; no
// answer in time is an omission and the sentence comes again; a wrong
// emotion gives visual feedback. The next warning 2000 ms after the click.
const QelModelTask g_ModelDefault = {
    30,
    "PR",
    "Prosody",
    {/*TaskType*/ 1, /*TaskFlags*/ kTaskFlagVoiceKey | kTaskFlagExtraWarning | kTaskFlagCountOmissions,
     /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0,
     /*TaskSSS*/ 100 | (10u << kSssVoiceKeyShift) | kSssVoiceKeyOption, /*TaskFbk*/ 2, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 300, /*VRHigh*/ 6000, /*IntType*/ 1,
     /*IntLow*/ 2000, /*IntHigh*/ 2000},
    {48},
    {},
};

QEL_TASK_PLUGIN(CTaskProsody, g_prosody);

}  // namespace qel

// The plug-in QelMFE6: "Matching Facial Emotions 6", the family of the
// matching tasks with the emotions 1..6: its lists, its tables, its default
// model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/matching/TaskMatchingEmotions.h"
#include "tasks/plugins/mfe6/Mfe6TrialLists.h"
#include "tasks/plugins/mfe6/Mfe6Variables.h"

namespace qel {

// Two keys (same emotion right, different left, exchangeable); the faces
// stay on until the answer or the end of the response window, the next
// pair 1000 ms after the answer; no feedback.
const QelModelTask g_ModelDefault = {
    17,
    "MFE6",
    "Matching Facial Emotions 6",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 6000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {192},
    {},
};

namespace {

const MatchingEmotionsMember kMember = {
    mfe6::kEmotions,
    kMfe6Practice[0][0],
    kMfe6PracticeLength,
    kMfe6Test[0][0],
    static_cast<uint32_t>(kMfe6TestLengths[0]),
    mfe6::kVariables,
    mfe6::kVariableCount,
    mfe6::kNormVariables,
    mfe6::kNormVariableCount,
    &mfe6::kOverallFull,
    &mfe6::kOverallShort,
    &mfe6::kHits,
    &mfe6::kMisses,
    &mfe6::kCorrectRejections,
    &mfe6::kFalseAlarms,
};

}  // namespace

class CTaskMatchingEmotions6 final : public CTaskMatchingEmotions {
 public:
  CTaskMatchingEmotions6() : CTaskMatchingEmotions(kMember, g_ModelDefault) {}
};

QEL_TASK_PLUGIN(CTaskMatchingEmotions6, g_matchingEmotions6);

}  // namespace qel

// The plug-in QelMFE4: "Matching Facial Emotions 4", the family of the
// matching tasks with the emotions 1..4: its lists, its tables, its default
// model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/matching/TaskMatchingEmotions.h"
#include "tasks/plugins/mfe4/Mfe4TrialLists.h"
#include "tasks/plugins/mfe4/Mfe4Variables.h"

namespace qel {

// Two keys (same emotion right, different left, exchangeable); the faces
// stay on until the answer or the end of the response window, the next
// pair 1000 ms after the answer; no feedback.
const QelModelTask g_ModelDefault = {
    16,
    "MFE4",
    "Matching Facial Emotions 4",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 6000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {160},
    {},
};

namespace {

const MatchingEmotionsMember kMember = {
    mfe4::kEmotions,
    kMfe4Practice[0][0],
    kMfe4PracticeLength,
    kMfe4Test[0][0],
    static_cast<uint32_t>(kMfe4TestLengths[0]),
    mfe4::kVariables,
    mfe4::kVariableCount,
    mfe4::kNormVariables,
    mfe4::kNormVariableCount,
    &mfe4::kOverallFull,
    &mfe4::kOverallShort,
    &mfe4::kHits,
    &mfe4::kMisses,
    &mfe4::kCorrectRejections,
    &mfe4::kFalseAlarms,
};

}  // namespace

class CTaskMatchingEmotions4 final : public CTaskMatchingEmotions {
 public:
  CTaskMatchingEmotions4() : CTaskMatchingEmotions(kMember, g_ModelDefault) {}
};

QEL_TASK_PLUGIN(CTaskMatchingEmotions4, g_matchingEmotions4);

}  // namespace qel

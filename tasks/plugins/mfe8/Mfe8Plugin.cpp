// The plug-in QelMFE8: "Matching Facial Emotions 8", the family of the
// matching tasks with the emotions 1..8: its lists, its tables, its default
// model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/matching/TaskMatchingEmotions.h"
#include "tasks/plugins/mfe8/Mfe8TrialLists.h"
#include "tasks/plugins/mfe8/Mfe8Variables.h"

namespace qel {

// Two keys (same emotion right, different left, exchangeable); the faces
// stay on until the answer or the end of the response window, the next
// pair 1000 ms after the answer; no feedback.
const QelModelTask g_ModelDefault = {
    18,
    "MFE8",
    "Matching Facial Emotions 8",
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 6000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {224},
    {},
};

namespace {

const MatchingEmotionsMember kMember = {
    mfe8::kEmotions,
    kMfe8Practice[0][0],
    kMfe8PracticeLength,
    kMfe8Test[0][0],
    static_cast<uint32_t>(kMfe8TestLengths[0]),
    mfe8::kVariables,
    mfe8::kVariableCount,
    mfe8::kNormVariables,
    mfe8::kNormVariableCount,
    &mfe8::kOverallFull,
    &mfe8::kOverallShort,
    &mfe8::kHits,
    &mfe8::kMisses,
    &mfe8::kCorrectRejections,
    &mfe8::kFalseAlarms,
};

}  // namespace

class CTaskMatchingEmotions8 final : public CTaskMatchingEmotions {
 public:
  CTaskMatchingEmotions8() : CTaskMatchingEmotions(kMember, g_ModelDefault) {}
};

QEL_TASK_PLUGIN(CTaskMatchingEmotions8, g_matchingEmotions8);

}  // namespace qel

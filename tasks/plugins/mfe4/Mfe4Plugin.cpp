// The plug-in QelMFE4: "Matching Facial Emotions 4", the member of the matching
// family with the emotions 1..4: its lists, its variables (136 rows, suffix
// "_me4", 24 norm rows, one per Z row, from the norms by name), its default
// model task and its entry.
#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/mfe4/Mfe4TrialLists.h"

// The emotions and the pairs of two of them: key, name, group tag.
#define ME_EMOTIONS(X)     \
  X("1", "happy", "HAPPY") \
  X("2", "sad", "SAD")     \
  X("3", "angry", "ANGRY") \
  X("4", "fear", "FEAR")
#define ME_PAIRS(X)                     \
  X("12", "happy-sad", "HAPPY-SAD")     \
  X("13", "happy-angry", "HAPPY-ANGRY") \
  X("14", "happy-fear", "HAPPY-FEAR")   \
  X("23", "sad-angry", "SAD-ANGRY")     \
  X("24", "sad-fear", "SAD-FEAR")       \
  X("34", "angry-fear", "ANGRY-FEAR")
#define ME_SUFFIX "_me4"
#define ME_PRACTICE kMfe4Practice[0][0]
#define ME_PRACTICE_LENGTH kMfe4PracticeLength
#define ME_TEST kMfe4Test[0][0]
#define ME_TEST_LENGTH static_cast<uint32_t>(kMfe4TestLengths[0])
#include "tasks/layers/matching/MatchingMember.h"

namespace qel {

static_assert(matching_member::kVariableCount == 136 && matching_member::kNormVariableCount == 24,
              "the rows the run data writes, one norm row per Z row");

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

class CTaskMatchingEmotions4 final : public CTaskMatchingEmotions {
 public:
  CTaskMatchingEmotions4() : CTaskMatchingEmotions(matching_member::kMember, g_ModelDefault) {}
};

QEL_TASK_PLUGIN(CTaskMatchingEmotions4, g_matchingEmotions4);

}  // namespace qel

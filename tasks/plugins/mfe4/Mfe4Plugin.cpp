// The plug-in QelMFE4: "Matching Facial Emotions 4", the member of the matching
// family with the emotions 1..4 (136 variables with the suffix "_me4", 24
// norm rows, one per Z row, from the norms by name).
#include "tasks/plugins/mfe4/Mfe4TrialLists.h"

#define ME_TASK_NUMBER 16
#define ME_SHORT_CODE "MFE4"
#define ME_TASK_NAME "Matching Facial Emotions 4"
#define ME_CLASS CTaskMatchingEmotions4
#define ME_OBJECT g_matchingEmotions4
#define ME_SUFFIX "_me4"
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
#define ME_PRACTICE kMfe4Practice[0][0]
#define ME_PRACTICE_LENGTH kMfe4PracticeLength
#define ME_TEST kMfe4Test[0][0]
#define ME_TEST_LENGTH static_cast<uint32_t>(kMfe4TestLengths[0])
#include "tasks/layers/matching/MatchingMember.h"

static_assert(qel::matching_member::kVariableCount == 136 && qel::matching_member::kNormVariableCount == 24,
              "the rows the run data writes, one norm row per Z row");

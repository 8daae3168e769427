// The plug-in QelMFE6: "Matching Facial Emotions 6", the member of the matching
// family with the emotions 1..6 (257 variables with the suffix "_me6", 46
// norm rows, one per Z row, from the norms by name).
#include "tasks/plugins/mfe6/Mfe6TrialLists.h"

#define ME_TASK_NUMBER 17
#define ME_SHORT_CODE "MFE6"
#define ME_TASK_NAME "Matching Facial Emotions 6"
#define ME_CLASS CTaskMatchingEmotions6
#define ME_OBJECT g_matchingEmotions6
#define ME_SUFFIX "_me6"
// The emotions and the pairs of two of them: key, name, group tag.
#define ME_EMOTIONS(X)         \
  X("1", "happy", "HAPPY")     \
  X("2", "sad", "SAD")         \
  X("3", "angry", "ANGRY")     \
  X("4", "fear", "FEAR")       \
  X("5", "disgust", "DISGUST") \
  X("6", "surprise", "SURPRISE")
#define ME_PAIRS(X)                           \
  X("12", "happy-sad", "HAPPY-SAD")           \
  X("13", "happy-angry", "HAPPY-ANGRY")       \
  X("14", "happy-fear", "HAPPY-FEAR")         \
  X("15", "happy-disgust", "HAPPY-DISGUST")   \
  X("16", "happy-surprise", "HAPPY-SURPRISE") \
  X("23", "sad-angry", "SAD-ANGRY")           \
  X("24", "sad-fear", "SAD-FEAR")             \
  X("25", "sad-disgust", "SAD-DISGUST")       \
  X("26", "sad-surprise", "SAD-SURPRISE")     \
  X("34", "angry-fear", "ANGRY-FEAR")         \
  X("35", "angry-disgust", "ANGRY-DISGUST")   \
  X("36", "angry-surprise", "ANGRY-SURPRISE") \
  X("45", "fear-disgust", "FEAR-DISGUST")     \
  X("46", "fear-surprise", "FEAR-SURPRISE")   \
  X("56", "disgust-surprise", "DISGUST-SURPRISE")
#define ME_PRACTICE kMfe6Practice[0][0]
#define ME_PRACTICE_LENGTH kMfe6PracticeLength
#define ME_TEST kMfe6Test[0][0]
#define ME_TEST_LENGTH static_cast<uint32_t>(kMfe6TestLengths[0])
#include "tasks/layers/matching/MatchingMember.h"

static_assert(qel::matching_member::kVariableCount == 257 && qel::matching_member::kNormVariableCount == 46,
              "the rows the run data writes, one norm row per Z row");

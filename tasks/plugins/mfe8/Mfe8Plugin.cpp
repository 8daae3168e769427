// The plug-in QelMFE8: "Matching Facial Emotions 8", the member of the matching
// family with the emotions 1..8 (422 variables with the suffix "_me8", 76
// norm rows, one per Z row, from the norms by name).
#include "tasks/plugins/mfe8/Mfe8TrialLists.h"

#define ME_TASK_NUMBER 18
#define ME_SHORT_CODE "MFE8"
#define ME_TASK_NAME "Matching Facial Emotions 8"
#define ME_CLASS CTaskMatchingEmotions8
#define ME_OBJECT g_matchingEmotions8
#define ME_SUFFIX "_me8"
// The emotions and the pairs of two of them: key, name, group tag.
#define ME_EMOTIONS(X)           \
  X("1", "happy", "HAPPY")       \
  X("2", "sad", "SAD")           \
  X("3", "angry", "ANGRY")       \
  X("4", "fear", "FEAR")         \
  X("5", "disgust", "DISGUST")   \
  X("6", "surprise", "SURPRISE") \
  X("7", "shame", "SHAME")       \
  X("8", "contempt", "CONTEMPT")
#define ME_PAIRS(X)                                 \
  X("12", "happy-sad", "HAPPY-SAD")                 \
  X("13", "happy-angry", "HAPPY-ANGRY")             \
  X("14", "happy-fear", "HAPPY-FEAR")               \
  X("15", "happy-disgust", "HAPPY-DISGUST")         \
  X("16", "happy-surprise", "HAPPY-SURPRISE")       \
  X("17", "happy-shame", "HAPPY-SHAME")             \
  X("18", "happy-contempt", "HAPPY-CONTEMPT")       \
  X("23", "sad-angry", "SAD-ANGRY")                 \
  X("24", "sad-fear", "SAD-FEAR")                   \
  X("25", "sad-disgust", "SAD-DISGUST")             \
  X("26", "sad-surprise", "SAD-SURPRISE")           \
  X("27", "sad-shame", "SAD-SHAME")                 \
  X("28", "sad-contempt", "SAD-CONTEMPT")           \
  X("34", "angry-fear", "ANGRY-FEAR")               \
  X("35", "angry-disgust", "ANGRY-DISGUST")         \
  X("36", "angry-surprise", "ANGRY-SURPRISE")       \
  X("37", "angry-shame", "ANGRY-SHAME")             \
  X("38", "angry-contempt", "ANGRY-CONTEMPT")       \
  X("45", "fear-disgust", "FEAR-DISGUST")           \
  X("46", "fear-surprise", "FEAR-SURPRISE")         \
  X("47", "fear-shame", "FEAR-SHAME")               \
  X("48", "fear-contempt", "FEAR-CONTEMPT")         \
  X("56", "disgust-surprise", "DISGUST-SURPRISE")   \
  X("57", "disgust-shame", "DISGUST-SHAME")         \
  X("58", "disgust-contempt", "DISGUST-CONTEMPT")   \
  X("67", "surprise-shame", "SURPRISE-SHAME")       \
  X("68", "surprise-contempt", "SURPRISE-CONTEMPT") \
  X("78", "shame-contempt", "SHAME-CONTEMPT")
#define ME_PRACTICE kMfe8Practice[0][0]
#define ME_PRACTICE_LENGTH kMfe8PracticeLength
#define ME_TEST kMfe8Test[0][0]
#define ME_TEST_LENGTH static_cast<uint32_t>(kMfe8TestLengths[0])
#include "tasks/layers/matching/MatchingMember.h"

static_assert(qel::matching_member::kVariableCount == 422 && qel::matching_member::kNormVariableCount == 76,
              "the rows the run data writes, one norm row per Z row");

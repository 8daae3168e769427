#include "tasks/plugins/mfe8/Mfe8Variables.h"

#include "tasks/layers/matching/MatchingRows.h"

namespace qel {

namespace mfe8 {

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

#define ME_HIT_ROWS(key, name, tag) MFE_HIT_ROWS(key, name, tag, "_me8")
#define ME_MISS_ROWS(key, name, tag) MFE_MISS_ROWS(key, name, tag, "_me8")
#define ME_CR_ROWS(key, name, tag) MFE_CR_ROWS(key, name, tag, "_me8")
#define ME_FA_ROWS(key, name, tag) MFE_FA_ROWS(key, name, tag, "_me8")

constexpr TaskVariableDef kVariables[] = {
    MFE_OVERALL("_me8"), ME_EMOTIONS(ME_HIT_ROWS) ME_EMOTIONS(ME_MISS_ROWS) ME_PAIRS(ME_CR_ROWS) ME_PAIRS(ME_FA_ROWS)};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount, "the rows the run data writes");

#define ME_NORM_HIT(key, name, tag) MFE_NORM_RT(kVariables, "h", key, "_me8")
#define ME_NORM_MISS(key, name, tag) MFE_NORM_N(kVariables, "m", key, "_me8")
#define ME_NORM_CR(key, name, tag) MFE_NORM_RT(kVariables, "c", key, "_me8")
#define ME_NORM_FA(key, name, tag) MFE_NORM_N(kVariables, "f", key, "_me8")

constexpr TaskNormVariable kNormVariables[] = {
    MFE_NORM_RT(kVariables, "h", "", "_me8") MFE_NORM_RT(kVariables, "c", "", "_me8")
        MFE_NORM_N(kVariables, "m", "", "_me8") MFE_NORM_N(kVariables, "f", "", "_me8") ME_EMOTIONS(ME_NORM_HIT)
            ME_EMOTIONS(ME_NORM_MISS) ME_PAIRS(ME_NORM_CR) ME_PAIRS(ME_NORM_FA)};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount, "one norm row per Z row");
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define ME_HIT_CODE(key, name, tag) MFE_CODE(kCatHit, key)
#define ME_MISS_CODE(key, name, tag) MFE_CODE(kCatMiss, key)
#define ME_CR_CODE(key, name, tag) MFE_CODE(kCatCorrectRejection, key)
#define ME_FA_CODE(key, name, tag) MFE_CODE(kCatFalseAlarm, key)
#define ME_HIT_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "h", key, "_me8")
#define ME_MISS_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "m", key, "_me8")
#define ME_CR_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "c", key, "_me8")
#define ME_FA_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "f", key, "_me8")

constexpr QelCodeList kOverallFull = {
    2,
    {kCatHit, kCatCorrectRejection},
    {MFE_GETTER(kNormVariables, "h", "", "_me8") MFE_GETTER(kNormVariables, "c", "", "_me8")}};
constexpr QelCodeList kOverallShort = {
    2,
    {kCatMiss, kCatFalseAlarm},
    {MFE_GETTER(kNormVariables, "m", "", "_me8") MFE_GETTER(kNormVariables, "f", "", "_me8")}};
constexpr QelCodeList kHits = {kEmotions, {ME_EMOTIONS(ME_HIT_CODE)}, {ME_EMOTIONS(ME_HIT_GETTER)}};
constexpr QelCodeList kMisses = {kEmotions, {ME_EMOTIONS(ME_MISS_CODE)}, {ME_EMOTIONS(ME_MISS_GETTER)}};
constexpr QelCodeList kCorrectRejections = {28, {ME_PAIRS(ME_CR_CODE)}, {ME_PAIRS(ME_CR_GETTER)}};
constexpr QelCodeList kFalseAlarms = {28, {ME_PAIRS(ME_FA_CODE)}, {ME_PAIRS(ME_FA_GETTER)}};

}  // namespace mfe8

}  // namespace qel

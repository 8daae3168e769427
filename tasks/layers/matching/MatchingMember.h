// One member of the matching family, made from its emotions and pairs: its
// variable and norm tables, the category lists of its groups, its default
// model task, its task class and its entry. Included once, by the member's
// plug-in source, which first defines:
//
//   ME_TASK_NUMBER, ME_SHORT_CODE, ME_TASK_NAME   e.g. 18, "MFE8", "Matching Facial Emotions 8"
//   ME_CLASS, ME_OBJECT                            its task class and the plug-in's task object
//   ME_SUFFIX        the suffix of its variable codes, e.g. "_me8"
//   ME_EMOTIONS(X)   X(key, name, tag) for each emotion 1..n ("1", "happy", "HAPPY")
//   ME_PAIRS(X)      X(key, name, tag) for each pair of two emotions, smaller digit first,
//                    in the order of their codes 0x2021, 0x2031, ... ("12", "happy-sad", "HAPPY-SAD")
//   ME_PRACTICE, ME_PRACTICE_LENGTH, ME_TEST, ME_TEST_LENGTH   its trial lists
//
// The tables land in namespace matching_member (kVariables, kNormVariables
// and their counts, the category lists, kMember).
//
// No include guard: a plug-in includes it once, after those definitions.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/matching/MatchingRows.h"
#include "tasks/layers/matching/TaskMatchingEmotions.h"

namespace qel {

namespace matching_member {

#define ME_COUNT(key, name, tag) +1
constexpr int kEmotions = 0 ME_EMOTIONS(ME_COUNT);
constexpr int kPairs = 0 ME_PAIRS(ME_COUNT);
#undef ME_COUNT

#define ME_HIT_ROWS(key, name, tag) MFE_HIT_ROWS(key, name, tag, ME_SUFFIX)
#define ME_MISS_ROWS(key, name, tag) MFE_MISS_ROWS(key, name, tag, ME_SUFFIX)
#define ME_CR_ROWS(key, name, tag) MFE_CR_ROWS(key, name, tag, ME_SUFFIX)
#define ME_FA_ROWS(key, name, tag) MFE_FA_ROWS(key, name, tag, ME_SUFFIX)

// clang-format off
constexpr TaskVariableDef kVariables[] = {
    MFE_OVERALL(ME_SUFFIX),
    ME_EMOTIONS(ME_HIT_ROWS)
    ME_EMOTIONS(ME_MISS_ROWS)
    ME_PAIRS(ME_CR_ROWS)
    ME_PAIRS(ME_FA_ROWS)
};
// clang-format on
constexpr uint32_t kVariableCount = sizeof kVariables / sizeof kVariables[0];

#define ME_NORM_HIT(key, name, tag) MFE_NORM_RT(kVariables, "h", key, ME_SUFFIX)
#define ME_NORM_MISS(key, name, tag) MFE_NORM_N(kVariables, "m", key, ME_SUFFIX)
#define ME_NORM_CR(key, name, tag) MFE_NORM_RT(kVariables, "c", key, ME_SUFFIX)
#define ME_NORM_FA(key, name, tag) MFE_NORM_N(kVariables, "f", key, ME_SUFFIX)

// clang-format off
constexpr TaskNormVariable kNormVariables[] = {
    MFE_NORM_RT(kVariables, "h", "", ME_SUFFIX)
    MFE_NORM_RT(kVariables, "c", "", ME_SUFFIX)
    MFE_NORM_N(kVariables, "m", "", ME_SUFFIX)
    MFE_NORM_N(kVariables, "f", "", ME_SUFFIX)
    ME_EMOTIONS(ME_NORM_HIT)
    ME_EMOTIONS(ME_NORM_MISS)
    ME_PAIRS(ME_NORM_CR)
    ME_PAIRS(ME_NORM_FA)
};
// clang-format on
constexpr uint32_t kNormVariableCount = sizeof kNormVariables / sizeof kNormVariables[0];
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define ME_HIT_CODE(key, name, tag) MFE_CODE(kCatHit, key)
#define ME_MISS_CODE(key, name, tag) MFE_CODE(kCatMiss, key)
#define ME_CR_CODE(key, name, tag) MFE_CODE(kCatCorrectRejection, key)
#define ME_FA_CODE(key, name, tag) MFE_CODE(kCatFalseAlarm, key)
#define ME_HIT_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "h", key, ME_SUFFIX)
#define ME_MISS_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "m", key, ME_SUFFIX)
#define ME_CR_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "c", key, ME_SUFFIX)
#define ME_FA_GETTER(key, name, tag) MFE_GETTER(kNormVariables, "f", key, ME_SUFFIX)

constexpr QelCodeList kOverallFull = {
    2,
    {kCatHit, kCatCorrectRejection},
    {MFE_GETTER(kNormVariables, "h", "", ME_SUFFIX) MFE_GETTER(kNormVariables, "c", "", ME_SUFFIX)}};
constexpr QelCodeList kOverallShort = {
    2,
    {kCatMiss, kCatFalseAlarm},
    {MFE_GETTER(kNormVariables, "m", "", ME_SUFFIX) MFE_GETTER(kNormVariables, "f", "", ME_SUFFIX)}};
constexpr QelCodeList kHits = {kEmotions, {ME_EMOTIONS(ME_HIT_CODE)}, {ME_EMOTIONS(ME_HIT_GETTER)}};
constexpr QelCodeList kMisses = {kEmotions, {ME_EMOTIONS(ME_MISS_CODE)}, {ME_EMOTIONS(ME_MISS_GETTER)}};
constexpr QelCodeList kCorrectRejections = {kPairs, {ME_PAIRS(ME_CR_CODE)}, {ME_PAIRS(ME_CR_GETTER)}};
constexpr QelCodeList kFalseAlarms = {kPairs, {ME_PAIRS(ME_FA_CODE)}, {ME_PAIRS(ME_FA_GETTER)}};

constexpr MatchingEmotionsMember kMember = {kEmotions,          ME_PRACTICE,         ME_PRACTICE_LENGTH, ME_TEST,
                                            ME_TEST_LENGTH,     kVariables,          kVariableCount,     kNormVariables,
                                            kNormVariableCount, &kOverallFull,       &kOverallShort,     &kHits,
                                            &kMisses,           &kCorrectRejections, &kFalseAlarms};

}  // namespace matching_member

// Two keys (same emotion right, different left, exchangeable); the faces
// stay on until the answer or the end of the response window, the next
// pair 1000 ms after the answer; no feedback.
const QelModelTask g_ModelDefault = {
    ME_TASK_NUMBER,
    ME_SHORT_CODE,
    ME_TASK_NAME,
    {/*TaskType*/ 2, /*TaskFlags*/ kTaskFlagSwapKeys, /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2,
     /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0, /*TaskSSS*/ 100, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 150, /*VRHigh*/ 6000,
     /*IntType*/ 1, /*IntLow*/ 1000, /*IntHigh*/ 1000},
    {ME_TEST_LENGTH},
    {},
};

class ME_CLASS final : public CTaskMatchingEmotions {
 public:
  ME_CLASS() : CTaskMatchingEmotions(matching_member::kMember, g_ModelDefault) {}
};

QEL_TASK_PLUGIN(ME_CLASS, ME_OBJECT);

}  // namespace qel

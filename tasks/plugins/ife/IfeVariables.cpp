#include "tasks/plugins/ife/IfeVariables.h"

#include "include/qel/TaskEntry.h"
#include "tasks/layers/identification/IdentificationRows.h"

namespace qel {

namespace ife {

#define IE_PART(P, name, tag)                                                                                \
  IDF_HEAD(P, name, "_ie"), IDF_FULL("h", "hits", "<HI PART " tag ">", msfa::kTypeHit, P, name, "_ie"),      \
      IDF_FULL("c", "correct rejections", "<CR PART " tag ">", msfa::kTypeCorrectRejection, P, name, "_ie"), \
      IDF_SHORT("m", "misses", "<MI PART " tag ">", msfa::kTypeMiss, P, name, "_ie"),                        \
      IDF_SHORT("f", "false alarms", "<FA PART " tag ">", msfa::kTypeFalseAlarm, P, name, "_ie"),            \
      IDF_TAIL(P, name, "_ie")

constexpr TaskVariableDef kVariables[] = {
    IE_PART(1, "happy", "HAPPY"), IE_PART(2, "sad", "SAD"),           IE_PART(3, "angry", "ANGRY"),
    IE_PART(4, "fear", "FEAR"),   IE_PART(5, "disgust", "DISGUST"),   IE_PART(6, "surprise", "SURPRISE"),
    IE_PART(7, "shame", "SHAME"), IE_PART(8, "contempt", "CONTEMPT"),
};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount, "the rows the run data writes");

#define IE_NORM_PART(P)                                                             \
  MSFA_NORM_RT(kVariables, "h", P, "_ie"), MSFA_NORM_RT(kVariables, "c", P, "_ie"), \
      MSFA_NORM_N(kVariables, "m", P, "_ie"), MSFA_NORM_N(kVariables, "f", P, "_ie")

constexpr TaskNormVariable kNormVariables[] = {
    IE_NORM_PART(1), IE_NORM_PART(2), IE_NORM_PART(3), IE_NORM_PART(4),
    IE_NORM_PART(5), IE_NORM_PART(6), IE_NORM_PART(7), IE_NORM_PART(8),
};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount, "one norm row per Z row");
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define IE_GETTER(code) msfa::NormGetter(kNormVariables, code)

constexpr QelCodeList kFullLists[kParts] = {
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh1_ie"), IE_GETTER("Zc1_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh2_ie"), IE_GETTER("Zc2_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh3_ie"), IE_GETTER("Zc3_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh4_ie"), IE_GETTER("Zc4_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh5_ie"), IE_GETTER("Zc5_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh6_ie"), IE_GETTER("Zc6_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh7_ie"), IE_GETTER("Zc7_ie")}},
    {2, {kCatHit, kCatCorrectRejection}, {IE_GETTER("Zh8_ie"), IE_GETTER("Zc8_ie")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm1_ie"), IE_GETTER("Zf1_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm2_ie"), IE_GETTER("Zf2_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm3_ie"), IE_GETTER("Zf3_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm4_ie"), IE_GETTER("Zf4_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm5_ie"), IE_GETTER("Zf5_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm6_ie"), IE_GETTER("Zf6_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm7_ie"), IE_GETTER("Zf7_ie")}},
    {2, {kCatMiss, kCatFalseAlarm}, {IE_GETTER("Zm8_ie"), IE_GETTER("Zf8_ie")}},
};

}  // namespace ife

}  // namespace qel

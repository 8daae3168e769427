#include "tasks/plugins/fa4l/Fa4lVariables.h"

#include "tasks/layers/msfa/MsfaRows.h"

namespace qel {

namespace fa4l {

#define L4_PART(P)                                                                                                  \
  MSFA_HEAD(P, "_l4"), MSFA_FULL("h", "hits", "<HI PART " #P ">", kVarTypeHit, P, "_l4"),                           \
      MSFA_FULL("cit", "correct rejections target on irrelevant position", "<CR IT PART " #P ">",                   \
                kVarTypeCorrectRejection, P, "_l4"),                                                                \
      MSFA_FULL("crn", "correct rejections no target", "<CR RN PART " #P ">", kVarTypeCorrectRejection, P, "_l4"),  \
      MSFA_SHORT("m", "misses", "<MI PART " #P ">", kVarTypeMiss, P, "_l4"),                                        \
      MSFA_SHORT("fit", "false alarms target on irrelevant position", "<FA IT PART " #P ">", kVarTypeFalseAlarm, P, \
                 "_l4"),                                                                                            \
      MSFA_SHORT("frn", "false alarms no target", "<FA RN PART " #P ">", kVarTypeFalseAlarm, P, "_l4"),             \
      MSFA_TAIL(P, "_l4")

constexpr TaskVariableDef kVariables[] = {
    L4_PART(1),  // one memory letter
    L4_PART(2),  // three memory letters
};

#define L4_NORM_PART(P)                                                                  \
  MSFA_NORM_RT(kVariables, "h", P, "_l4"), MSFA_NORM_RT(kVariables, "cit", P, "_l4"),    \
      MSFA_NORM_RT(kVariables, "crn", P, "_l4"), MSFA_NORM_N(kVariables, "m", P, "_l4"), \
      MSFA_NORM_N(kVariables, "fit", P, "_l4"), MSFA_NORM_N(kVariables, "frn", P, "_l4")

constexpr TaskNormVariable kNormVariables[] = {L4_NORM_PART(1), L4_NORM_PART(2)};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define L4_GETTER(code) NormGetter(kNormVariables, code)

constexpr QelCodeList kFullLists[kParts] = {
    {3, {1, 10, 11}, {L4_GETTER("Zh1_l4"), L4_GETTER("Zcit1_l4"), L4_GETTER("Zcrn1_l4")}},
    {3, {1, 10, 11}, {L4_GETTER("Zh2_l4"), L4_GETTER("Zcit2_l4"), L4_GETTER("Zcrn2_l4")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {3, {4, 13, 14}, {L4_GETTER("Zm1_l4"), L4_GETTER("Zfit1_l4"), L4_GETTER("Zfrn1_l4")}},
    {3, {4, 13, 14}, {L4_GETTER("Zm2_l4"), L4_GETTER("Zfit2_l4"), L4_GETTER("Zfrn2_l4")}},
};

#undef L4_PART
#undef L4_NORM_PART
#undef L4_GETTER

}  // namespace fa4l

}  // namespace qel

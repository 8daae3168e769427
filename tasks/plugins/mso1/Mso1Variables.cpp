#include "tasks/plugins/mso1/Mso1Variables.h"

#include "tasks/layers/msfa/MsfaRows.h"

namespace qel {

namespace mso1 {

#define MO_PART(P)                                                                          \
  MSFA_HEAD(P, "_mo1"), MSFA_FULL("h", "hits", "<HI PART " #P ">", kVarTypeHit, P, "_mo1"), \
      MSFA_SHORT("m", "misses", "<MI PART " #P ">", kVarTypeMiss, P, "_mo1"),               \
      MSFA_SHORT("f", "false alarms", "<FA PART " #P ">", kVarTypeFalseAlarm, P, "_mo1"), MSFA_TAIL(P, "_mo1")

constexpr TaskVariableDef kVariables[] = {
    MO_PART(1),  // one memory picture
    MO_PART(2),  // two memory pictures
};

#define MO_NORM_PART(P)                                                              \
  MSFA_NORM_RT(kVariables, "h", P, "_mo1"), MSFA_NORM_N(kVariables, "m", P, "_mo1"), \
      MSFA_NORM_N(kVariables, "f", P, "_mo1")

constexpr TaskNormVariable kNormVariables[] = {MO_NORM_PART(1), MO_NORM_PART(2)};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define MO_GETTER(code) NormGetter(kNormVariables, code)

constexpr QelCodeList kFullLists[kParts] = {
    {1, {1}, {MO_GETTER("Zh1_mo1")}},
    {1, {1}, {MO_GETTER("Zh2_mo1")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {2, {4, 3}, {MO_GETTER("Zm1_mo1"), MO_GETTER("Zf1_mo1")}},
    {2, {4, 3}, {MO_GETTER("Zm2_mo1"), MO_GETTER("Zf2_mo1")}},
};

#undef MO_PART
#undef MO_NORM_PART
#undef MO_GETTER

}  // namespace mso1

}  // namespace qel

#include "tasks/plugins/ssv/SsvVariables.h"

namespace qel {

namespace ssv {

constexpr TaskVariableDef kVariables[] = {CHOICE_COMPAT_ROWS("jump left", "jump right", "_sv")};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount);

constexpr TaskNormVariable kNormVariables[] = {CHOICE_COMPAT_NORMS(kVariables, "_sv")};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount);
static_assert(choice::NormRowsFollowZRows(kVariables, kNormVariables), "a norm row for every Z row, in order");

// 0x10 + the code's value for a correct answer, 0x30 + the value for a
// wrong one (value: bit 1 incompatible colour, bit 0 right jump).
constexpr QelCodeList kLists[] =
    CHOICE_COMPAT_LISTS(kNormVariables, "_sv", 0x10, 0x11, 0x30, 0x31, 0x12, 0x13, 0x32, 0x33);

}  // namespace ssv

}  // namespace qel

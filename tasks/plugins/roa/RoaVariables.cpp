#include "tasks/plugins/roa/RoaVariables.h"

namespace qel {

namespace roa {

constexpr TaskVariableDef kVariables[] = {CHOICE_COMPAT_ROWS("left button", "right button", "_ac")};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount);

constexpr TaskNormVariable kNormVariables[] = {CHOICE_COMPAT_NORMS(kVariables, "_ac")};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount);
static_assert(choice::NormRowsFollowZRows(kVariables, kNormVariables), "a norm row for every Z row, in order");

// Correct "L" / "R" 10 / 11 and "r" / "l" 12 / 13 (left / right button),
// the wrong answers 4 above.
constexpr QelCodeList kLists[] = CHOICE_COMPAT_LISTS(kNormVariables, "_ac", 10, 11, 14, 15, 12, 13, 16, 17);

}  // namespace roa

}  // namespace qel

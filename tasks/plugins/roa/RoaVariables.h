// The score variables of "Response Organization Arrows" (116 rows,
// suffix "_ac"; the layout the shifting-set task shares), its
// norm variables (24) and the lists of sub-categories of its computation:
// compatible arrows answered correctly (10 left, 11 right button) in parts
// 1 and 3, incompatible ones (12, 13) in parts 2 and 3, the wrong answers 4
// above.
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/layers/choice/CompatibilityTables.h"

namespace qel {

namespace roa {

constexpr uint32_t kVariableCount = choice::kCompatibilityVariableCount;
constexpr uint32_t kNormVariableCount = choice::kCompatibilityNormCount;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kLists[choice::kCompatibilityLists];

}  // namespace roa

}  // namespace qel

// The score variables of "Shifting Attentional Set Visual" (116 rows,
// suffix "_sv"; the layout the response-organization task shares), its
// norm variables (24) and the lists of sub-categories of its computation:
// compatible jumps (0x10 left, 0x11 right) in parts 1 and 3, incompatible
// ones (0x12, 0x13) in parts 2 and 3, the wrong answers 0x20 above.
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/layers/choice/CompatibilityTables.h"

namespace qel {

namespace ssv {

constexpr uint32_t kVariableCount = choice::kCompatibilityVariableCount;
constexpr uint32_t kNormVariableCount = choice::kCompatibilityNormCount;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kLists[choice::kCompatibilityLists];

}  // namespace ssv

}  // namespace qel

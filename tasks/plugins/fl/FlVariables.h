// The score variables of "Flanker" (112 rows, suffix "_fl"), its norm
// variables (24, one per Z row; the combined rows through pair getters) and
// the blocks each part's computation walks. Per part: "Ntot", the left and
// right compatible responses with their mean, the errors of both sides with
// their sum, then the same for the neutral (part 1) or incompatible (part 2)
// displays, then "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/layers/choice/PairScoring.h"

namespace qel {

namespace fl {

constexpr uint32_t kVariableCount = 112;
constexpr uint32_t kNormVariableCount = 24;
constexpr int kParts = 2;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
// The sub-categories of every part, in the order of the table.
extern const choice::PartBlocks kPartBlocks[kParts];

}  // namespace fl

}  // namespace qel

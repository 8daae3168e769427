// The score variables of "Gaze-Arrow Cueing" (114 rows, suffix "_gac"),
// its norm variables (24, one per Z row; the combined rows through pair
// getters) and the blocks of categories the computation walks: "Ntot_gac";
// the correct answers after valid and invalid gaze and arrow cues, left and
// right, each pair with its total count, mean RT and Z; the wrong answers of
// the same kinds with their sums; the catch trials answered with both
// buttons and their mean slower time; "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/layers/choice/PairScoring.h"

namespace qel {

namespace gac {

constexpr uint32_t kVariableCount = 114;
constexpr uint32_t kNormVariableCount = 24;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const choice::PartBlocks kBlocks;

}  // namespace gac

}  // namespace qel

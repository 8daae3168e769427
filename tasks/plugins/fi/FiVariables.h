// The score variables of "Feature Integration" (56 rows, suffix "_fi"), its
// norm variables (12, one per Z row; the combined rows through pair
// getters) and their computation: "Ntot_fi"; hits and correct rejections
// with similar and dissimilar distractors (eight RT rows each); the mean RT
// of the similar and of the dissimilar displays (hits and correct
// rejections together); misses and false alarms (N, mean RT, Z of N); the
// errors of the similar and of the dissimilar displays; "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace fi {

constexpr uint32_t kVariableCount = 56;
constexpr uint32_t kNormVariableCount = 12;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];

// The rows from index on for the part's stored trials; the next index.
int32_t ComputeVariables(ITaskRunData& runData, const IExpModelTask& context, int32_t index);

}  // namespace fi

}  // namespace qel

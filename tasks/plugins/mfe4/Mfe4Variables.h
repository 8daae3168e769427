// The score variables of "Matching Facial Emotions 4" (136 rows, suffix
// "_me4"), its norm variables (24, one per Z row, from the norms by name)
// and the category lists of its groups (tasks/layers/matching/MatchingRows.h):
// the overall rows, then the 4 same-emotion pairs and the 6 pairs of two
// different emotions.
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace mfe4 {

constexpr int kEmotions = 4;
constexpr uint32_t kVariableCount = 136;
constexpr uint32_t kNormVariableCount = 24;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kOverallFull;
extern const QelCodeList kOverallShort;
extern const QelCodeList kHits;
extern const QelCodeList kMisses;
extern const QelCodeList kCorrectRejections;
extern const QelCodeList kFalseAlarms;

}  // namespace mfe4

}  // namespace qel

// The score variables of "Matching Facial Emotions 6" (257 rows, suffix
// "_me6"), its norm variables (46, one per Z row, from the norms by name)
// and the category lists of its groups (tasks/layers/matching/MatchingRows.h):
// the overall rows, then the 6 same-emotion pairs and the 15 pairs of two
// different emotions.
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace mfe6 {

constexpr int kEmotions = 6;
constexpr uint32_t kVariableCount = 257;
constexpr uint32_t kNormVariableCount = 46;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kOverallFull;
extern const QelCodeList kOverallShort;
extern const QelCodeList kHits;
extern const QelCodeList kMisses;
extern const QelCodeList kCorrectRejections;
extern const QelCodeList kFalseAlarms;

}  // namespace mfe6

}  // namespace qel

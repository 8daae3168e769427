// The score variables of "Matching Facial Emotions 8" (422 rows, suffix
// "_me8"), its norm variables (76, one per Z row, from the norms by name)
// and the category lists of its groups (tasks/layers/matching/MatchingRows.h):
// the overall rows, then the 8 same-emotion pairs and the 28 pairs of two
// different emotions.
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace mfe8 {

constexpr int kEmotions = 8;
constexpr uint32_t kVariableCount = 422;
constexpr uint32_t kNormVariableCount = 76;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kOverallFull;
extern const QelCodeList kOverallShort;
extern const QelCodeList kHits;
extern const QelCodeList kMisses;
extern const QelCodeList kCorrectRejections;
extern const QelCodeList kFalseAlarms;

}  // namespace mfe8

}  // namespace qel

// The score variables of "Focused Attention 4 letters" (74 rows, suffix
// "_l4"), its norm variables (12, one per Z row, from the norms by name)
// and the category lists of each part, in the order the rows are laid out:
// per part "Ntot", eight RT rows for hits (1), correct rejections with a
// memory letter on an irrelevant position ("it", 10) and without any memory
// letter ("rn", 11), N / mean RT / Z of N for misses (4) and the two kinds of
// false alarms (13, 14), then "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace fa4l {

constexpr uint32_t kVariableCount = 74;
constexpr uint32_t kNormVariableCount = 12;
constexpr int kParts = 2;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kFullLists[kParts];
extern const QelCodeList kShortLists[kParts];

}  // namespace fa4l

}  // namespace qel

// The score variables of "Identification Facial Emotions" (208 rows, suffix
// "_ie"), its norm variables (32, one per Z row, from the norms by name) and
// the category lists of each part, in the order the rows are laid out: per
// part "Ntot", eight RT rows for hits (1) and for correct rejections (2),
// N / mean RT / Z of N for misses (4) and false alarms (3), then "No", "Np",
// "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace ife {

constexpr int kParts = 8;
constexpr uint32_t kVariableCount = 208;
constexpr uint32_t kNormVariableCount = 32;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kFullLists[kParts];
extern const QelCodeList kShortLists[kParts];

}  // namespace ife

}  // namespace qel

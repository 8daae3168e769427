// The score variables of "Memory Search Objects 1 key" (36 rows, suffix
// "_mo1"), its norm variables (6, one per Z row, from the norms by name) and
// the category lists of each part, in the order the rows are laid out: per
// part "Ntot", eight RT rows for hits (1), N / mean RT / Z of N for misses
// (4) and false alarms (3), then "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace mso1 {

constexpr uint32_t kVariableCount = 36;
constexpr uint32_t kNormVariableCount = 6;
constexpr int kParts = 2;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kFullLists[kParts];
extern const QelCodeList kShortLists[kParts];

}  // namespace mso1

}  // namespace qel

// The score variables of "Memory Search Letters" (111 rows, suffix "_ms"),
// its norm variables (18, one per Z row, from the norms by name) and the
// category lists each part's computation walks, in the order the rows are
// laid out: per part "Ntot", eight RT rows for every category of the full
// list, N / mean RT / Z of N for every category of the short list, then
// "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace msl {

constexpr uint32_t kVariableCount = 111;
constexpr uint32_t kNormVariableCount = 18;
constexpr int kParts = 3;

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
// Per part: hits and correct rejections by memory letters shown (full
// statistics); misses and false alarms by memory letters shown (short).
extern const QelCodeList kFullLists[kParts];
extern const QelCodeList kShortLists[kParts];

}  // namespace msl

}  // namespace qel

// The score variables of "Prosody" (suffix "_pr"), its norm variables (by
// name: the RT of the right answers and the number of errors of each
// emotion) and the lists its computation walks, in the order of the rows:
// "Ntot_pr"; eight RT rows for the right answers of each emotion (happy,
// sad, angry, frightened); "No_pr", "Np_pr", "Ni_pr"; then per emotion of
// the sentence the number, mean RT and Z of its errors, and the number and
// mean RT of each confusion ("Nesh_pr": sad named instead of happy).
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/plugins/pr/ProsodyJudging.h"

namespace qel {

namespace pr {

extern const TaskVariableDef kVariables[];
extern const uint32_t kVariableCount;
extern const TaskNormVariable kNormVariables[];
extern const uint32_t kNormVariableCount;
// The right answers of each emotion, with the getters of their Z rows.
extern const QelCodeList kCorrectList;
// Per emotion of the sentence (0 happy .. 3 frightened): the getter of the
// Z row of its errors, and its three confusions.
extern const QelNormGetter kErrorGetters[kEmotions];
extern const QelCodeList kConfusionLists[kEmotions];

}  // namespace pr

}  // namespace qel

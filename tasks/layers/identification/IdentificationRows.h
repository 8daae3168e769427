// The rows of the variable tables of the identification tasks, written as
// groups per part so that every code, description and flag of a group comes
// from one line. P is the part digit (1..8), name the part's name in the
// descriptions ("happy", "direct happy"), S the task's suffix ("_ie").
//
// Per part the run data writes "Ntot", eight rows for every category of the
// full-statistics list, three for every category of the short list, then
// "No", "Np", "Ni"; the averted task adds its overall rows between (mean RT
// overall and its Z after the full statistics, N errors overall and its Z
// after the short ones).
#pragma once

#include "taskfw/VariableRows.h"
#include "tasks/layers/msfa/MsfaRows.h"

namespace qel {

#define IDF_HEAD(P, name, S) \
  { "Ntot" #P S, nullptr, "%.0f", "Total number of trials part " name, VariableFlags(kVarTypeCount, 1), P }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define IDF_FULL(cat, what, group, type, P, name, S)                                                                  \
  {"N" cat #P S, group, "%.0f", "N " what " part " name, VariableFlags((type), 1), P},                                \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " name, VariableFlags((type), 2), P},                      \
      {"S" cat #P S, group, "%.0f", "SD RT " what " part " name, VariableFlags((type), 3), P},                        \
      {"M" cat #P S, group, "%.0f", "Median RT " what " part " name, VariableFlags((type), 4, kVarExtended), P},      \
      {"L" cat #P S, group, "%.3f", "Mean log(RT) " what " part " name, VariableFlags((type), 5, kVarExtended), P},   \
      {"U" cat #P S, group, "%.0f", "25% slowest RT " what " part " name, VariableFlags((type), 6, kVarExtended), P}, \
      {"D" cat #P S, group, "%.0f", "25% fastest RT " what " part " name, VariableFlags((type), 7, kVarExtended), P}, \
  {                                                                                                                   \
    "Z" cat #P S, group, "%.2f", "Z-score RT " what " part " name, VariableFlags(kVarTypeZScore, 9, kVarZRow), P      \
  }
// N, mean, Z of the count.
#define IDF_SHORT(cat, what, group, type, P, name, S)                                                            \
  {"N" cat #P S, group, "%.0f", "N " what " part " name, VariableFlags((type), 1), P},                           \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " name, VariableFlags((type), 2), P}, {               \
    "Z" cat #P S, group, "%.2f", "Z-score N " what " part " name, VariableFlags(kVarTypeZScore, 11, kVarZRow), P \
  }
// The mean of two mean RTs and the mean of their Z-scores; the sum of two
// error counts and the mean of their Z-scores.
#define IDF_MEAN_RT(g, group, P, name, S)                                                                          \
  {"T" g #P S, group, "%.0f", "Mean RT overall part " name, VariableFlags(kVarTypeHit, 2), P}, {                   \
    "Z" g #P S, group, "%.2f", "Z-score mean RT overall part " name, VariableFlags(kVarTypeZScore, 9, kVarZRow), P \
  }
#define IDF_ERRORS(g, group, P, name, S)                                                                              \
  {"Ne" g #P S, group, "%.0f", "N errors overall part " name, VariableFlags(kVarTypeFalseAlarm, 1), P}, {             \
    "Ze" g #P S, group, "%.2f", "Z-score N errors overall part " name, VariableFlags(kVarTypeZScore, 11, kVarZRow), P \
  }
#define IDF_TAIL(P, name, S)                                                                                           \
  {"No" #P S, nullptr, "%.0f", "Number omissions part " name, VariableFlags(kVarTypeOmission, 1), P},                  \
      {"Np" #P S, nullptr, "%.0f", "Number premature responses part " name, VariableFlags(kVarTypePremature, 1), P}, { \
    "Ni" #P S, nullptr, "%.0f", "Number interrupts part " name, VariableFlags(kVarTypeInterrupt, 1), P                 \
  }

}  // namespace qel

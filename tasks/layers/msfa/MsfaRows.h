// The variable tables of the memory-search tasks, written as groups of rows
// per category so that every code, description and flag of a category comes
// from one line; the norm rows and the getters of the category lists are
// tied to the rows by code with the framework's look-ups (taskfw/VariableRows.h).
//
// Per part the run data writes "Ntot", eight rows for every category of the
// full-statistics list, three for every category of the short list, then
// "No", "Np", "Ni"; the groups below follow that order. A category's type is
// its QelVariableType (kVarTypeHit, kVarTypeCorrectRejection,
// kVarTypeFalseAlarm, kVarTypeMiss).
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/VariableRows.h"

namespace qel {

namespace msfa {

// The flags of the rows: plain statistics, extended ones and Z rows, by
// score column.
constexpr uint32_t Plain(uint32_t type, uint32_t column) { return VariableFlags(type, column); }
constexpr uint32_t Extended(uint32_t type, uint32_t column) { return VariableFlags(type, column, kVarExtended); }
constexpr uint32_t ZRow(uint32_t column) { return VariableFlags(kVarTypeZScore, column, kVarZRow); }

}  // namespace msfa

}  // namespace qel

// Groups of rows of part P ("1".."3" as a number) with the task's code
// suffix S (a string literal such as "_ms").
#define MSFA_HEAD(P, S) \
  { "Ntot" #P S, nullptr, "%.0f", "Total number of trials part " #P, qel::msfa::Plain(qel::kVarTypeCount, 1), P }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define MSFA_FULL(cat, what, group, type, P, S)                                                             \
  {"N" cat #P S, group, "%.0f", "N " what " part " #P, qel::msfa::Plain(type, 1), P},                       \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " #P, qel::msfa::Plain(type, 2), P},             \
      {"S" cat #P S, group, "%.0f", "SD RT " what " part " #P, qel::msfa::Plain(type, 3), P},               \
      {"M" cat #P S, group, "%.0f", "Median RT " what " part " #P, qel::msfa::Extended(type, 4), P},        \
      {"L" cat #P S, group, "%.3f", "Mean log(RT) " what " part " #P, qel::msfa::Extended(type, 5), P},     \
      {"U" cat #P S, group, "%.0f", "25% slowest RT " what " part " #P, qel::msfa::Extended(type, 6), P},   \
      {"D" cat #P S, group, "%.0f", "25% fastest RT " what " part " #P, qel::msfa::Extended(type, 7), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score RT " what " part " #P, qel::msfa::ZRow(9), P                      \
  }
// N, mean, Z of the count.
#define MSFA_SHORT(cat, what, group, type, P, S)                                                  \
  {"N" cat #P S, group, "%.0f", "N " what " part " #P, qel::msfa::Plain(type, 1), P},             \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " #P, qel::msfa::Plain(type, 2), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score N " what " part " #P, qel::msfa::ZRow(11), P            \
  }
// Omissions, premature responses, interrupts.
#define MSFA_TAIL(P, S)                                                                                                \
  {"No" #P S, nullptr, "%.0f", "Number omissions part " #P, qel::msfa::Plain(qel::kVarTypeOmission, 1), P},            \
      {"Np" #P S, nullptr, "%.0f", "Number premature responses part " #P, qel::msfa::Plain(qel::kVarTypePremature, 1), \
       P},                                                                                                             \
  {                                                                                                                    \
    "Ni" #P S, nullptr, "%.0f", "Number interrupts part " #P, qel::msfa::Plain(qel::kVarTypeInterrupt, 1), P           \
  }

// Norm rows over a table `rows`: Z of a mean RT (unit "ms", raw row T...)
// and Z of a count ("N", raw row N...).
#define MSFA_NORM_RT(rows, cat, P, S) \
  { qel::RowOf(rows, "Z" cat #P S), "ms", "Z" cat #P S, nullptr, qel::RowOf(rows, "T" cat #P S), 0 }
#define MSFA_NORM_N(rows, cat, P, S) \
  { qel::RowOf(rows, "Z" cat #P S), "N", "Z" cat #P S, nullptr, qel::RowOf(rows, "N" cat #P S), 0 }

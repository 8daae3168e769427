// The variable tables of the two-choice tasks (Flanker, Gaze-Arrow Cueing,
// Feature Integration, Shifting Attentional Set Visual, Response
// Organization Arrows): rows written as groups per category, pairs of
// categories combined into one row (a mean RT of two means, a count of two
// counts), and the norm rows tied to the variable rows by code at compile
// time.
//
// Every Z row of these tables has exactly one norm row, and the norm table
// lists them in the order of the Z rows (checked by NormRowsFollowZRows),
// so the norm row of a Z row is the number of Z rows before it. The getter
// of a combined row asks the norm rows of its two halves.
//
// Combined norms. A combined row's norm mean and SD combine its two halves
// the way its value combines their values: a "mean RT of the left and right
// means" takes the mean of their norm means (and SDs), a "number of errors
// of both sides" takes the sum. One rule for every task, wherever the row
// stands; a mean RT compared with the sum of two norm means, or a count of
// two sides with the norm of one side, would be off by a factor of two.
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/NormGetters.h"
#include "taskfw/VariableRows.h"

namespace qel {

namespace choice {

// Variable types (flags bits 0-3): correct responses count as hits, wrong
// ones as misses (whose counts get the SD floor of the norms); the feature
// task's yes/no answers keep the four categories of the run engine.
constexpr uint32_t kTypeTotal = kVarTypeCount;
constexpr uint32_t kTypeCorrect = kVarTypeHit;
constexpr uint32_t kTypeCorrectRejection = kVarTypeCorrectRejection;
constexpr uint32_t kTypeFalseAlarm = kVarTypeFalseAlarm;
constexpr uint32_t kTypeError = kVarTypeMiss;

// The norm row of the Z row named code: the Z rows before it; -1 when the
// table has no such Z row.
template <size_t N>
constexpr int32_t NormIndex(const TaskVariableDef (&rows)[N], const char* code) {
  int32_t zRows = 0;
  for (size_t i = 0; i < N; ++i) {
    const bool zRow = rows[i].code[0] == 'Z';
    if (SameText(rows[i].code, code)) return zRow ? zRows : -1;
    if (zRow) ++zRows;
  }
  return -1;
}

// The norm rows name every Z row of the table, one each, in table order,
// and a raw row that is not a Z row.
template <size_t N, size_t M>
constexpr bool NormRowsFollowZRows(const TaskVariableDef (&rows)[N], const TaskNormVariable (&norms)[M]) {
  size_t n = 0;
  for (size_t i = 0; i < N; ++i) {
    if (rows[i].code[0] != 'Z') continue;
    if (n >= M || norms[n].id != static_cast<int32_t>(i)) return false;
    const int32_t source = norms[n].source;
    if (source < 0 || source >= static_cast<int32_t>(N) || rows[source].code[0] == 'Z') return false;
    ++n;
  }
  return n == M;
}

}  // namespace choice

// Groups of rows. D is the part digit of the codes and T the part in the
// descriptions, both string literals ("1" and " part 1", or "" and "" for a
// task without parts), P the part number, S the code suffix ("_fl"); cat the
// category letters, what the words of the descriptions.
#define CHOICE_HEAD(D, T, P, S) \
  { "Ntot" D S, nullptr, "%.0f", "Total number of trials" T, VariableFlags(choice::kTypeTotal, 1), P }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define CHOICE_FULL(cat, what, group, type, D, T, P, S)                                                    \
  {"N" cat D S, group, "%.0f", "N " what T, VariableFlags((type), 1), P},                                  \
      {"T" cat D S, group, "%.0f", "Mean RT " what T, VariableFlags((type), 2), P},                        \
      {"S" cat D S, group, "%.0f", "SD RT " what T, VariableFlags((type), 3), P},                          \
      {"M" cat D S, group, "%.0f", "Median RT " what T, VariableFlags((type), 4, kVarExtended), P},        \
      {"L" cat D S, group, "%.3f", "Mean log(RT) " what T, VariableFlags((type), 5, kVarExtended), P},     \
      {"U" cat D S, group, "%.0f", "25% slowest RT " what T, VariableFlags((type), 6, kVarExtended), P},   \
      {"D" cat D S, group, "%.0f", "25% fastest RT " what T, VariableFlags((type), 7, kVarExtended), P}, { \
    "Z" cat D S, group, "%.2f", "Z-score RT " what T, VariableFlags(kVarTypeZScore, 9, kVarZRow), P        \
  }
// N, mean, Z of the count.
#define CHOICE_SHORT(cat, what, group, type, D, T, P, S)                                            \
  {"N" cat D S, group, "%.0f", "N " what T, VariableFlags((type), 1), P},                           \
      {"T" cat D S, group, "%.0f", "Mean RT " what T, VariableFlags((type), 2), P}, {               \
    "Z" cat D S, group, "%.2f", "Z-score N " what T, VariableFlags(kVarTypeZScore, 11, kVarZRow), P \
  }
// Two sides combined: the mean of their mean RTs and of their Z-scores.
#define CHOICE_MEAN_PAIR(cat, what, group, type, D, T, P, S)                                             \
  {"T" cat D S, group, "%.0f", "Mean RT " what T, VariableFlags((type), 2), P}, {                        \
    "Z" cat D S, group, "%.2f", "Z-score mean RT " what T, VariableFlags(kVarTypeZScore, 9, kVarZRow), P \
  }
// Two sides combined: the sum of their counts and the mean of their Z-scores.
#define CHOICE_SUM_PAIR(cat, what, group, type, D, T, P, S)                                         \
  {"N" cat D S, group, "%.0f", "N " what T, VariableFlags((type), 1), P}, {                         \
    "Z" cat D S, group, "%.2f", "Z-score N " what T, VariableFlags(kVarTypeZScore, 11, kVarZRow), P \
  }
// The sum of the two sides' counts alone (before a mean pair).
#define CHOICE_COUNT(cat, what, group, type, D, T, P, S) \
  { "N" cat D S, group, "%.0f", "N " what T, VariableFlags((type), 1), P }
// Omissions, premature responses, interrupts.
#define CHOICE_TAIL(D, T, P, S)                                                                              \
  {"No" D S, nullptr, "%.0f", "Number omissions" T, VariableFlags(kVarTypeOmission, 1), P},                  \
      {"Np" D S, nullptr, "%.0f", "Number premature responses" T, VariableFlags(kVarTypePremature, 1), P}, { \
    "Ni" D S, nullptr, "%.0f", "Number interrupts" T, VariableFlags(kVarTypeInterrupt, 1), P                 \
  }

// Norm rows over a table `rows` whose codes end in digit D and suffix S:
// the Z of a mean RT (unit "ms", raw row T...) or of a count ("N", raw row
// N...), found by name; and the combined rows, whose getter takes the mean
// (RT) or the sum (counts) of the norm rows of categories a and b.
#define CHOICE_NORM_RT(rows, cat, D, S) \
  { RowOf(rows, "Z" cat D S), "ms", "Z" cat D S, nullptr, RowOf(rows, "T" cat D S), 0 }
#define CHOICE_NORM_N(rows, cat, D, S) \
  { RowOf(rows, "Z" cat D S), "N", "Z" cat D S, nullptr, RowOf(rows, "N" cat D S), 0 }
#define CHOICE_NORM_MEAN_PAIR(rows, cat, a, b, D, S)                                               \
  {                                                                                                \
    RowOf(rows, "Z" cat D S), "ms", nullptr,                                                       \
        &CombinedNormValue<choice::NormIndex(rows, "Z" a D S), choice::NormIndex(rows, "Z" b D S), \
                           NormCombination::kMean>,                                                \
        RowOf(rows, "T" cat D S), 0                                                                \
  }
#define CHOICE_NORM_SUM_PAIR(rows, cat, a, b, D, S)                                                \
  {                                                                                                \
    RowOf(rows, "Z" cat D S), "N", nullptr,                                                        \
        &CombinedNormValue<choice::NormIndex(rows, "Z" a D S), choice::NormIndex(rows, "Z" b D S), \
                           NormCombination::kSum>,                                                 \
        RowOf(rows, "N" cat D S), 0                                                                \
  }

}  // namespace qel

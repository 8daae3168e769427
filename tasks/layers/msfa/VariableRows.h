// The variable tables of the memory-search tasks, written as groups of rows
// per category so that every code, description and flag of a category comes
// from one line, and the lookups that tie the norm rows and the getters of
// the category lists to the rows by code at compile time: a row that moves
// cannot leave a norm row or a getter pointing at another variable.
//
// Per part the run data writes "Ntot", eight rows for every category of the
// full-statistics list, three for every category of the short list, then
// "No", "Np", "Ni"; the groups below follow that order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/NormGetters.h"

namespace qel {

namespace msfa {

// Variable types (flags bits 0-3) by category. Counts of false alarms and
// misses (4 and 5) get the SD floor of the norms.
constexpr uint32_t kTypeTotal = 1;
constexpr uint32_t kTypeHit = 2;
constexpr uint32_t kTypeCorrectRejection = 3;
constexpr uint32_t kTypeFalseAlarm = 4;
constexpr uint32_t kTypeMiss = 5;

constexpr bool SameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// The row of a code; -1 when the table has none.
template <size_t N>
constexpr int32_t RowOf(const TaskVariableDef (&rows)[N], const char* code) {
  for (size_t i = 0; i < N; ++i) {
    if (SameText(rows[i].code, code)) return static_cast<int32_t>(i);
  }
  return -1;
}

// Every norm row names a Z row and a raw row of the table.
template <size_t N>
constexpr bool NormRowsFound(const TaskNormVariable (&norms)[N]) {
  for (const TaskNormVariable& n : norms) {
    if (n.id < 0 || n.source < 0) return false;
  }
  return true;
}

// Getter n asks for norm row n.
inline constexpr QelNormGetter kNormGetters[] = {
    GetNormValue0,  GetNormValue1,  GetNormValue2,  GetNormValue3,  GetNormValue4,  GetNormValue5,
    GetNormValue6,  GetNormValue7,  GetNormValue8,  GetNormValue9,  GetNormValue10, GetNormValue11,
    GetNormValue12, GetNormValue13, GetNormValue14, GetNormValue15, GetNormValue16, GetNormValue17,
    GetNormValue18, GetNormValue19, GetNormValue20, GetNormValue21, GetNormValue22, GetNormValue23};

// The getter of the norm row named code (an unknown code does not compile;
// combined rows have no name).
template <size_t N>
constexpr QelNormGetter NormGetter(const TaskNormVariable (&norms)[N], const char* code) {
  static_assert(N <= sizeof kNormGetters / sizeof kNormGetters[0], "a getter for every norm row");
  for (size_t i = 0; i < N; ++i) {
    if (norms[i].name && SameText(norms[i].name, code)) return kNormGetters[i];
  }
  throw "no norm row of that name";
}

}  // namespace msfa

// Groups of rows of part P ("1".."3" as a number) with the task's code
// suffix S (a string literal such as "_ms").
#define MSFA_HEAD(P, S) \
  { "Ntot" #P S, nullptr, "%.0f", "Total number of trials part " #P, 0x10000u | msfa::kTypeTotal, P }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define MSFA_FULL(cat, what, group, type, P, S)                                                  \
  {"N" cat #P S, group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},                    \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},          \
      {"S" cat #P S, group, "%.0f", "SD RT " what " part " #P, 0x30000u | (type), P},            \
      {"M" cat #P S, group, "%.0f", "Median RT " what " part " #P, 0x40020u | (type), P},        \
      {"L" cat #P S, group, "%.3f", "Mean log(RT) " what " part " #P, 0x50020u | (type), P},     \
      {"U" cat #P S, group, "%.0f", "25% slowest RT " what " part " #P, 0x60020u | (type), P},   \
      {"D" cat #P S, group, "%.0f", "25% fastest RT " what " part " #P, 0x70020u | (type), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score RT " what " part " #P, 0x90049u, P                     \
  }
// N, mean, Z of the count.
#define MSFA_SHORT(cat, what, group, type, P, S)                                          \
  {"N" cat #P S, group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},             \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score N " what " part " #P, 0xB0049u, P               \
  }
// Omissions, premature responses, interrupts.
#define MSFA_TAIL(P, S)                                                                   \
  {"No" #P S, nullptr, "%.0f", "Number omissions part " #P, 0x10007u, P},                 \
      {"Np" #P S, nullptr, "%.0f", "Number premature responses part " #P, 0x10006u, P}, { \
    "Ni" #P S, nullptr, "%.0f", "Number interrupts part " #P, 0x10008u, P                 \
  }

// Norm rows over a table `rows`: Z of a mean RT (unit "ms", raw row T...)
// and Z of a count ("N", raw row N...).
#define MSFA_NORM_RT(rows, cat, P, S) \
  { msfa::RowOf(rows, "Z" cat #P S), "ms", "Z" cat #P S, nullptr, msfa::RowOf(rows, "T" cat #P S), 0 }
#define MSFA_NORM_N(rows, cat, P, S) \
  { msfa::RowOf(rows, "Z" cat #P S), "N", "Z" cat #P S, nullptr, msfa::RowOf(rows, "N" cat #P S), 0 }

}  // namespace qel

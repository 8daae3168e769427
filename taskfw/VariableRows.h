// Look-ups that tie a plug-in's norm rows and getters to its score-variable
// rows by code at compile time: a row that moves cannot leave a norm row, a
// first-row index or a getter pointing at another variable. Every plug-in
// writes its tables with these instead of counting rows by hand:
//
//   constexpr TaskVariableDef kVariables[] = {{"Nlu_tp", ...}, {"ZNlu_tp", ...}};
//   constexpr TaskNormVariable kNormVariables[] = {
//       {RowOf(kVariables, "ZNlu_tp"), "N", "ZNlu_tp", nullptr, RowOf(kVariables, "Nlu_tp"), 0}};
//   static_assert(NormRowsFound(kNormVariables));
//   ... NormGetter(kNormVariables, "ZNlu_tp") ...
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/NormGetters.h"

namespace qel {

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

// The norm row named code; -1 when the table has none.
template <size_t N>
constexpr int32_t NormRowOf(const TaskNormVariable (&norms)[N], const char* code) {
  for (size_t i = 0; i < N; ++i) {
    if (norms[i].name && SameText(norms[i].name, code)) return static_cast<int32_t>(i);
  }
  return -1;
}

// The getter of the norm row named code: getter n asks for norm row n (an
// unknown code does not compile where a constant is needed).
template <size_t N>
constexpr QelNormGetter NormGetter(const TaskNormVariable (&norms)[N], const char* code) {
  static_assert(N <= std::size(kNormGetters), "a getter for every norm row");
  const int32_t row = NormRowOf(norms, code);
  if (row < 0) throw "no norm row of that name";
  return kNormGetters[row];
}

}  // namespace qel

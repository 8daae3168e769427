// Building blocks of the mouse tasks' variable tables, found by code at
// compile time: the texts of the detail rows that repeat per hand (the
// mean deviation of each second of Pursuit, of each sector of Tracking),
// their score columns, and norm rows tied to the table by their codes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/qel/TaskTables.h"
#include "tasks/layers/msfa/VariableRows.h"

namespace qel {

namespace mouse {

// The texts of detail row n (1-based) of a hand (0 left, 1 right), e.g.
// "Dl001_pu", "<MD_L_SEC_001-010>", "Mean deviation in second 001, left hand".
struct DetailRowTexts {
  char code[16];
  char group[32];
  char description[64];
};

namespace detail {

constexpr void Put(char* out, int& at, const char* text) {
  while (*text) out[at++] = *text++;
}
constexpr void PutNumber(char* out, int& at, int n, int digits) {
  int power = 1;
  for (int d = 1; d < digits; ++d) power *= 10;
  for (; power > 0; power /= 10) out[at++] = static_cast<char>('0' + n / power % 10);
}

}  // namespace detail

// digits: width of the number; suffix: the task's ("_pu"); tag: the group's
// ("SEC"); what: the description's noun ("second").
constexpr DetailRowTexts MakeDetailRowTexts(int hand, int n, int digits, const char* suffix, const char* tag,
                                            const char* what) {
  DetailRowTexts t{};
  int at = 0;
  detail::Put(t.code, at, hand == 0 ? "Dl" : "Dr");
  detail::PutNumber(t.code, at, n, digits);
  detail::Put(t.code, at, suffix);
  at = 0;
  const int first = (n - 1) / 10 * 10 + 1;
  detail::Put(t.group, at, hand == 0 ? "<MD_L_" : "<MD_R_");
  detail::Put(t.group, at, tag);
  detail::Put(t.group, at, "_");
  detail::PutNumber(t.group, at, first, digits);
  detail::Put(t.group, at, "-");
  detail::PutNumber(t.group, at, first + 9, digits);
  detail::Put(t.group, at, ">");
  at = 0;
  detail::Put(t.description, at, "Mean deviation in ");
  detail::Put(t.description, at, what);
  detail::Put(t.description, at, " ");
  detail::PutNumber(t.description, at, n, digits);
  detail::Put(t.description, at, hand == 0 ? ", left hand" : ", right hand");
  return t;
}

// The flags of a row in score column `column` (1-based).
constexpr uint32_t Column(int column) { return static_cast<uint32_t>(column) << kVarColumnShift; }
// A detail row n sits in column 1..10 of the second caption table, ten to a group.
constexpr uint32_t DetailFlags(int n) { return Column((n - 1) % 10 + 1) | kVarDetail; }
// A Z row (type 9) in a column.
constexpr uint32_t ZFlags(int column) { return Column(column) | kVarZRow | 9u; }

// A norm row named by the code of its Z row, with the raw row it scores.
template <size_t N>
constexpr TaskNormVariable NormRow(const TaskVariableDef (&rows)[N], const char* z, const char* unit, const char* raw,
                                   int32_t flags) {
  return TaskNormVariable{msfa::RowOf(rows, z), unit, z, nullptr, msfa::RowOf(rows, raw), flags};
}
// The same under another name in the norms database.
template <size_t N>
constexpr TaskNormVariable NormRowNamed(const TaskVariableDef (&rows)[N], const char* z, const char* name,
                                        const char* unit, const char* raw, int32_t flags) {
  return TaskNormVariable{msfa::RowOf(rows, z), unit, name, nullptr, msfa::RowOf(rows, raw), flags};
}
// A row of both hands whose norms come from a getter that combines the hands'.
template <size_t N>
constexpr TaskNormVariable CombinedNormRow(const TaskVariableDef (&rows)[N], const char* z, const char* unit,
                                           const char* raw, QelNormGetter getter, int32_t flags) {
  return TaskNormVariable{msfa::RowOf(rows, z), unit, nullptr, getter, msfa::RowOf(rows, raw), flags};
}

}  // namespace mouse

}  // namespace qel

// Permutations of a trial code's letters, shared by the host (which applies
// them to the published trial list) and by anyone who must predict them.
// A code is a NUL-terminated text of at most 16 characters in a 17-byte
// slot; the permutable letters start at a task-chosen offset.
#pragma once

#include <cstring>
#include <utility>

#include "include/qel/ModelTask.h"

namespace qel {

namespace detail {
// Length of the letters from offset on; -1 for an offset outside the slot
// or a code without its NUL inside the 17-byte slot.
inline int TrialCodeTailLength(const char* code, int offset) {
  if (!code || offset < 0 || offset >= kTrialCodeSize) return -1;
  const char* tail = code + offset;
  const void* nul = std::memchr(tail, 0, static_cast<size_t>(kTrialCodeSize - offset));
  return nul ? static_cast<int>(static_cast<const char*>(nul) - tail) : -1;
}
}  // namespace detail

// Exchanges the two halves of the letters (ABCD -> CDAB) for 4, 6 or 8
// letters; false (nothing changed) for any other length.
inline bool QelSwapCodeHalves(char* code, int offset) {
  const int len = detail::TrialCodeTailLength(code, offset);
  if (len != 4 && len != 6 && len != 8) return false;
  char* t = code + offset;
  const int half = len / 2;
  for (int j = 0; j < half; ++j) std::swap(t[j], t[j + half]);
  return true;
}

// Exchanges quarters of 4 or 8 letters: 0<->2 and 1<->3 with the flag set
// (ABCDEFGH -> EFGHABCD), 0<->3 and 1<->2 with it clear (-> GHEFCDAB);
// false (nothing changed) for any other length.
inline bool QelPermuteCodeQuarters(char* code, bool flag, int offset) {
  const int len = detail::TrialCodeTailLength(code, offset);
  if (len != 4 && len != 8) return false;
  char* t = code + offset;
  const int q = len / 4;
  for (int k = 0; k < 2; ++k) {
    const int m = flag ? k + 2 : 3 - k;
    for (int j = 0; j < q; ++j) std::swap(t[k * q + j], t[m * q + j]);
  }
  return true;
}

}  // namespace qel

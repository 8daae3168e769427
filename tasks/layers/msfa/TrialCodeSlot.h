// A trial code as the memory-search tasks read it: the characters of one
// 17-byte slot, which the host may hand over without its NUL.
#pragma once

#include <cstring>

#include "include/qel/ModelTask.h"

namespace qel {

namespace msfa {

constexpr int kPositions = 4;

// The code's characters, at most 16, NUL-terminated; all zero for no code.
inline void CopyTrialCode(const char* code, char (&out)[kTrialCodeSize]) {
  std::memset(out, 0, sizeof out);
  if (code) std::memcpy(out, code, strnlen(code, kTrialCodeSize - 1));
}

// The slot holds at least one item for each of the four display positions.
inline bool HasFourItems(const char* code) {
  return code && strnlen(code, kTrialCodeSize) >= static_cast<size_t>(kPositions);
}

}  // namespace msfa

}  // namespace qel

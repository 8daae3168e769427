// Trial lists whose codes are one character each, written as one text and
// laid out at compile time in the 17-byte slots the host takes.
#pragma once

#include <cstddef>

#include "include/qel/ModelTask.h"

namespace qel {

namespace sustained {

template <size_t N>
struct OneCharCodes {
  char codes[N][kTrialCodeSize];

  static constexpr size_t Count() { return N; }
  // The list as the record takes it.
  const char (*List() const)[kTrialCodeSize] { return codes; }
};

// One code per character of the text (its NUL not counted).
template <size_t Length>
constexpr OneCharCodes<Length - 1> MakeOneCharCodes(const char (&text)[Length]) {
  OneCharCodes<Length - 1> list{};
  for (size_t i = 0; i + 1 < Length; ++i) list.codes[i][0] = text[i];
  return list;
}

}  // namespace sustained

}  // namespace qel

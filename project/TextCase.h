// Texts compared without regard to case. Texts are UTF-8; the letters of
// ASCII, Latin-1 and Latin Extended-A are folded (the names a Windows-1252
// program would fold, and their eastern European neighbours); every other
// character, and any byte that is not valid UTF-8, compares as it stands.
#pragma once

#include <string>
#include <string_view>

namespace qel {

// The text with every foldable letter in upper case.
std::string ToUpperCase(std::string_view text);

// <0, 0 or >0 as a sorts before, with or after b when case is ignored.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace qel

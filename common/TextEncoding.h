// Texts as they come from model files, plug-ins and projects: UTF-8 where
// this program wrote them, single-byte Windows-1252 where an older program
// did. Shown texts are never dropped for their encoding: what is not valid
// UTF-8 is read as Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace qel {

// Well-formed UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Each byte as the Windows-1252 character it stands for, in UTF-8 (the five
// bytes the code page leaves unassigned as the C1 controls of the same value).
std::string Cp1252ToUtf8(std::string_view text);

// The text in UTF-8: as it is when it is valid UTF-8, else read as Windows-1252.
std::string TextAsUtf8(std::string_view text);

}  // namespace qel

// Texts in the Windows-1252 code page, as dBase IV files keep them.
#pragma once

#include <string>

namespace qel {

// UTF-8 to Windows-1252; a character the code page lacks becomes '?'.
std::string Utf8ToWindows1252(const std::string& text);
// Windows-1252 to UTF-8 (the five unassigned bytes pass as the same code points).
std::string Windows1252ToUtf8(const std::string& text);

}  // namespace qel

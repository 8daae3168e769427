// The interface languages: identifier, name and help-file code.
#pragma once

namespace qel {

// "Default", "English", "Dutch", "Italian" for 0-3; null for any other identifier.
const char* GetLanguageName(int id);
// The help-file code: "" for 0, "EN", "DU", "IT" for 1-3; null for any other identifier.
const char* GetLanguageHelpCode(int id);

}  // namespace qel

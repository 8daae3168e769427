#include "app/text/Languages.h"

namespace qel {

namespace {

struct LanguageRow {
  int id;
  const char* name;
  const char* helpCode;
};

// Ends at identifier -1.
constexpr LanguageRow kLanguages[] = {
    {0, "Default", ""}, {1, "English", "EN"}, {2, "Dutch", "DU"}, {3, "Italian", "IT"}, {-1, nullptr, nullptr},
};

const LanguageRow* FindLanguage(int id) {
  if (id < 0) return nullptr;
  for (const LanguageRow* row = kLanguages; row->id != -1; ++row) {
    if (row->id == id) return row;
  }
  return nullptr;
}

}  // namespace

const char* GetLanguageName(int id) {
  const LanguageRow* row = FindLanguage(id);
  return row ? row->name : nullptr;
}

const char* GetLanguageHelpCode(int id) {
  const LanguageRow* row = FindLanguage(id);
  return row ? row->helpCode : nullptr;
}

}  // namespace qel

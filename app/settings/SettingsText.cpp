#include "app/settings/SettingsText.h"

#include <algorithm>
#include <vector>

namespace qel {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Names of sections and entries as the store writes them: a backslash
// takes the next character as it is ("[Window\\ size]"). A name is kept
// when it means something: not empty once its backslashes are taken out,
// no control characters, no backslash left without its character.
bool IsPlainName(std::string_view name) {
  size_t meaning = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == '\\') {
      if (++i == name.size()) return false;
      c = static_cast<unsigned char>(name[i]);
    }
    if (c < 0x20 || c == 0x7F) return false;
    ++meaning;
  }
  return meaning > 0;
}

// The first of the characters that is not taken by a backslash; npos when none.
size_t FindUnescaped(std::string_view text, char what, size_t from = 0) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == what) {
      return i;
    }
  }
  return std::string_view::npos;
}

struct Section {
  std::string name;  // empty: the entries before any section
  bool valid = true;
  std::vector<std::string> lines;
  std::vector<std::string> names;
};

}  // namespace

std::string CleanSettingsText(std::string_view text) {
  std::vector<Section> sections(1);
  Section* current = &sections[0];
  size_t at = 0;
  while (at <= text.size()) {
    // A line ends at \n, \r\n or a lone \r, as the store's reader has it.
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(at, end - at));
    at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (line.empty()) continue;
    if (line.front() == ';' || line.front() == '#') {
      current->lines.emplace_back(line);
      continue;
    }
    if (line.front() == '[') {
      const size_t close = FindUnescaped(line, ']', 1);
      std::string_view name = close == std::string_view::npos ? std::string_view() : line.substr(1, close - 1);
      while (!name.empty() && name.front() == '/') name.remove_prefix(1);
      while (!name.empty() && name.back() == '/') name.remove_suffix(1);
      name = Trim(name);
      const bool valid = IsPlainName(name) && Trim(line.substr(close + 1)).empty();
      auto same = std::find_if(sections.begin() + 1, sections.end(),
                               [&](const Section& s) { return s.valid && valid && s.name == name; });
      if (same == sections.end()) {
        sections.push_back(Section{std::string(name), valid, {}, {}});
        current = &sections.back();
      } else {
        current = &*same;
      }
      continue;
    }
    const size_t equals = FindUnescaped(line, '=');
    if (equals == std::string_view::npos) continue;
    const std::string name(Trim(line.substr(0, equals)));
    if (!IsPlainName(name) || !current->valid) continue;
    if (std::find(current->names.begin(), current->names.end(), name) != current->names.end()) continue;
    current->names.push_back(name);
    current->lines.push_back(name + "=" + std::string(Trim(line.substr(equals + 1))));
  }
  std::string out;
  for (const Section& s : sections) {
    if (!s.valid) continue;
    if (!s.name.empty()) out += "[" + s.name + "]\n";
    for (const std::string& l : s.lines) out += l + "\n";
  }
  return out;
}

}  // namespace qel

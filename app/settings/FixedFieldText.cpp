#include "app/settings/FixedFieldText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace qel {

namespace {

constexpr size_t kFieldStride = 6;  // five characters and a blank

// The decimal number at pos, ending at the first non-digit (an optional sign
// first); 0 when there is none. Kept within the range of an int.
int NumberAt(const std::string& text, size_t pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min<int64_t>(value * 10 + (text[pos] - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -value : value);
}

// Each field keeps its five characters, whatever the value: a wider number
// would shift every field after it.
std::string Fields(const int* values, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%05d", std::clamp(values[i], -9999, 99999));
    if (i) text += ' ';
    text += buffer;
  }
  return text;
}

}  // namespace

QelWindowRect ParseWindowRectText(const std::string& text) {
  QelWindowRect r;
  if (text.size() < kWindowRectTextLength) return r;
  int* fields[] = {&r.left, &r.top, &r.right, &r.bottom, &r.pane1, &r.pane2};
  for (size_t i = 0; i < 6; ++i) *fields[i] = NumberAt(text, i * kFieldStride);
  return r;
}

std::string FormatWindowRectText(const QelWindowRect& rect) {
  const int values[] = {rect.left, rect.top, rect.right, rect.bottom, rect.pane1, rect.pane2};
  return Fields(values, 6);
}

QelPageMargins ParsePageMarginsText(const std::string& text) {
  QelPageMargins m;
  if (text.size() < kPageMarginsTextLength) return m;
  int* fields[] = {&m.left, &m.top, &m.right, &m.bottom, &m.orientation};
  for (size_t i = 0; i < 5; ++i) *fields[i] = NumberAt(text, i * kFieldStride);
  return m;
}

std::string FormatPageMarginsText(const QelPageMargins& margins) {
  const int values[] = {margins.left, margins.top, margins.right, margins.bottom, margins.orientation};
  return Fields(values, 5);
}

}  // namespace qel

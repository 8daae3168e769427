#include "scores/ValueFormat.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace qel {

namespace {

// Longest width or precision a format may ask for: keeps a printed value short.
constexpr int kMaxDigitsOfWidth = 2;
constexpr size_t kValueTextSize = 512;

}  // namespace

bool IsValueFormat(const std::string& format) {
  int conversions = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    ++i;
    if (i < format.size() && format[i] == '%') continue;
    while (i < format.size() && std::strchr("-+ #0", format[i])) ++i;
    int digits = 0;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i, ++digits;
    if (digits > kMaxDigitsOfWidth) return false;
    if (i < format.size() && format[i] == '.') {
      ++i;
      digits = 0;
      while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i, ++digits;
      if (digits > kMaxDigitsOfWidth) return false;
    }
    if (i < format.size() && format[i] == 'l') ++i;  // "%lf" is a double too
    if (i >= format.size() || !std::strchr("fFeEgG", format[i])) return false;
    ++conversions;
  }
  return conversions == 1;
}

std::string UsableValueFormat(const std::string& format) {
  return IsValueFormat(format) ? format : std::string(kDefaultValueFormat);
}

std::string FormatValue(double value, const std::string& format) {
  char text[kValueTextSize];
  const std::string usable = UsableValueFormat(format);
  const int n = std::snprintf(text, sizeof text, usable.c_str(), value);
  if (n < 0) return std::string();
  return std::string(text);
}

std::string FormatValueOrDash(double value, const std::string& format) {
  return HasValue(value) ? FormatValue(value, format) : std::string("-");
}

}  // namespace qel

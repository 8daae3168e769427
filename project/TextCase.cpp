#include "project/TextCase.h"

#include <cstdint>

namespace qel {

namespace {

// The upper-case letter of a lower-case one; other code points unchanged.
char32_t UpperOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ except ÷
  if (c == 0xFF) return 0x178;                               // ÿ -> Ÿ
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs: upper on even code points from Ā to ķ and from
    // Ŋ to ŷ, on odd ones from Ĺ to ň and from Ź to ž. İ, ı, ĸ, ŉ and ſ
    // have no partner of one code point and stay.
    const bool evenUpper = (c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (evenUpper && (c & 1)) return c - 1;
    if (oddUpper && !(c & 1)) return c - 1;
  }
  return c;
}

// Decodes the two-byte sequence at text[i] (the only length the folded
// letters have); false when it is not one.
bool DecodeTwoByte(std::string_view text, size_t i, char32_t* out) {
  const auto b0 = static_cast<uint8_t>(text[i]);
  if (b0 < 0xC2 || b0 > 0xDF || i + 1 >= text.size()) return false;
  const auto b1 = static_cast<uint8_t>(text[i + 1]);
  if ((b1 & 0xC0) != 0x80) return false;
  *out = (static_cast<char32_t>(b0 & 0x1F) << 6) | (b1 & 0x3F);
  return true;
}

void AppendTwoByte(std::string& out, char32_t c) {
  out.push_back(static_cast<char>(0xC0 | (c >> 6)));
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

}  // namespace

std::string ToUpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<uint8_t>(text[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(UpperOf(b)));
      ++i;
      continue;
    }
    char32_t c;
    if (DecodeTwoByte(text, i, &c)) {
      AppendTwoByte(out, UpperOf(c));  // every folded partner also takes two bytes
      i += 2;
      continue;
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::string ua = ToUpperCase(a);
  const std::string ub = ToUpperCase(b);
  return ua.compare(ub);
}

}  // namespace qel

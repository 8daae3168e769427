#include "common/TextEncoding.h"

#include <cstdint>

namespace qel {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the code page assigns none.
constexpr char16_t kHighBlock[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    const unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    int more;
    uint32_t code;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2;
      code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3;
      code = c & 0x07;
    } else {
      return false;
    }
    if (end - p <= more) return false;
    for (int i = 1; i <= more; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i] & 0x3F);
    }
    if ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (more == 3 && (code < 0x10000 || code > 0x10FFFF))) {
      return false;
    }
    p += more + 1;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c <= 0x9F && kHighBlock[c - 0x80] != 0) {
      AppendUtf8(out, kHighBlock[c - 0x80]);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string TextAsUtf8(std::string_view text) { return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text); }

}  // namespace qel

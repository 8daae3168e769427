#include "app/text/RtfString.h"

#include <cstdint>
#include <cstdio>

namespace qel {

namespace {

// Decodes one UTF-8 sequence at text[i]; 0 when the bytes are not one.
size_t DecodeUtf8(const std::string& text, size_t i, uint32_t* cp) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = byte(i);
  size_t length;
  uint32_t value;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    value = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    value = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    value = b & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  const uint32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) return 0;
  *cp = value;
  return length;
}

void AppendUnicode(std::string* out, uint32_t unit) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\u%d?", static_cast<int16_t>(unit));
  *out += buffer;
}

}  // namespace

std::string RtfEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
      ++i;
    } else if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
      ++i;
    } else {
      uint32_t cp;
      const size_t length = DecodeUtf8(text, i, &cp);
      if (length == 0) {
        // Not UTF-8: the byte as a code-page character.
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\'%02x", static_cast<unsigned char>(c));
        out += buffer;
        ++i;
        continue;
      }
      if (cp >= 0x10000) {
        AppendUnicode(&out, 0xD800 + ((cp - 0x10000) >> 10));
        AppendUnicode(&out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        AppendUnicode(&out, cp);
      }
      i += length;
    }
  }
  return out;
}

void CRtfString::SetEmpty() { m_text = "{\\rtf1}"; }

void CRtfString::SetParagraph(const std::string& text, unsigned points, unsigned extraLines, bool bold, bool centred) {
  m_text = "{\\rtf1";
  m_text += "\\fs" + std::to_string(2ull * points);
  if (bold) m_text += "\\b";
  if (centred) m_text += "\\qc";
  m_text += ' ';
  m_text += RtfEscape(text);
  for (uint64_t k = 0; k <= extraLines; ++k) m_text += "\\par";
  m_text += '}';
}

}  // namespace qel

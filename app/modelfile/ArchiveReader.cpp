#include "app/modelfile/ArchiveReader.h"

#include <cstring>

#include "common/ByteOrder.h"

namespace qel {

namespace {

void AppendUtf8(std::string* out, uint32_t cp) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

bool CArchiveReader::Fail(const std::string& text) {
  if (!m_failed) m_error = text;
  m_failed = true;
  return false;
}

bool CArchiveReader::ReadBytes(void* out, size_t count) {
  if (m_failed) return false;
  if (count > Remaining()) return Fail("The file ends early.");
  if (count) std::memcpy(out, m_data + m_pos, count);
  m_pos += count;
  return true;
}

bool CArchiveReader::ReadU8(uint8_t* out) { return ReadBytes(out, 1); }

bool CArchiveReader::ReadU16(uint16_t* out) {
  uint8_t b[2];
  if (!ReadBytes(b, 2)) return false;
  *out = ReadLE16(b);
  return true;
}

bool CArchiveReader::ReadU32(uint32_t* out) {
  uint8_t b[4];
  if (!ReadBytes(b, 4)) return false;
  *out = ReadLE32(b);
  return true;
}

bool CArchiveReader::ReadU64(uint64_t* out) {
  uint8_t b[8];
  if (!ReadBytes(b, 8)) return false;
  *out = ReadLE64(b);
  return true;
}

bool CArchiveReader::ReadLength(uint64_t* length, bool* wide) {
  *wide = false;
  uint8_t b;
  if (!ReadU8(&b)) return false;
  if (b < 0xFF) {
    *length = b;
    return true;
  }
  uint16_t w;
  if (!ReadU16(&w)) return false;
  if (w == 0xFFFE) {
    // Wide string: the length prefix starts over.
    *wide = true;
    if (!ReadU8(&b)) return false;
    if (b < 0xFF) {
      *length = b;
      return true;
    }
    if (!ReadU16(&w)) return false;
  }
  if (w < 0xFFFF) {
    *length = w;
    return true;
  }
  uint32_t d;
  if (!ReadU32(&d)) return false;
  if (d < 0xFFFFFFFFu) {
    *length = d;
    return true;
  }
  return ReadU64(length);
}

bool CArchiveReader::ReadString(std::string* out) {
  out->clear();
  uint64_t length;
  bool wide;
  if (!ReadLength(&length, &wide)) return false;
  // The length is checked against the bytes left before anything is allocated.
  const uint64_t bytes = wide ? length * 2 : length;
  if (length > Remaining() || bytes > Remaining()) {
    return Fail("A text's length (" + std::to_string(length) + ") runs past the end of the file.");
  }
  const uint8_t* p = m_data + m_pos;
  m_pos += static_cast<size_t>(bytes);
  if (!wide) {
    out->assign(reinterpret_cast<const char*>(p), static_cast<size_t>(length));
    return true;
  }
  out->reserve(static_cast<size_t>(length));
  for (uint64_t i = 0; i < length; ++i) {
    uint32_t unit = ReadLE16(p + 2 * i);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < length) {
      const uint32_t low = ReadLE16(p + 2 * i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;  // a lone surrogate
    AppendUtf8(out, unit);
  }
  return true;
}

}  // namespace qel

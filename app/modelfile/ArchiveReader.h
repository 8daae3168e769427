// Bounded reading of an archive stream (little-endian, no padding): every
// read checks the bytes left, so a short or corrupt file gives an error
// text, never an over-read or a huge allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qel {

class CArchiveReader {
 public:
  CArchiveReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool ReadU8(uint8_t* out);
  bool ReadU16(uint16_t* out);
  bool ReadU32(uint32_t* out);
  bool ReadU64(uint64_t* out);
  bool ReadBytes(void* out, size_t count);
  // A counted string: a length prefix of one byte (below 255), 0xFF + 16 bits
  // (below 0xFFFE), or 0xFF 0xFFFF + 32 bits (0xFFFFFFFF: + 64 bits), then one
  // byte per character. After 0xFF 0xFFFE the string is wide (a length prefix
  // as above, then UTF-16LE units) and comes back as UTF-8.
  bool ReadString(std::string* out);

  size_t Remaining() const { return m_size - m_pos; }
  size_t Position() const { return m_pos; }
  bool Failed() const { return m_failed; }
  const std::string& Error() const { return m_error; }

 private:
  bool Fail(const std::string& text);
  bool ReadLength(uint64_t* length, bool* wide);

  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  bool m_failed = false;
  std::string m_error;
};

}  // namespace qel

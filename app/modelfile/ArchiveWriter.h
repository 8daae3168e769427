// Writing an archive stream (little-endian, no padding) into a byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qel {

class CArchiveWriter {
 public:
  void WriteU8(uint8_t value) { m_bytes.push_back(value); }
  void WriteU16(uint16_t value);
  void WriteU32(uint32_t value);
  void WriteBytes(const void* data, size_t count);
  // A counted string in the byte form: one-byte length below 255, 0xFF +
  // 16 bits below 0xFFFE, else 0xFF 0xFFFF + 32 bits; then the characters.
  // Never the wide form. False (nothing written) for a text of 4 GiB or more.
  bool WriteString(const std::string& text);

  const std::vector<uint8_t>& Bytes() const { return m_bytes; }
  std::vector<uint8_t> Take() { return std::move(m_bytes); }

 private:
  std::vector<uint8_t> m_bytes;
};

}  // namespace qel

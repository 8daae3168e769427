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
  CArchiveReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

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

  size_t Remaining() const { return size_ - pos_; }
  size_t Position() const { return pos_; }
  bool Failed() const { return failed_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& text);
  bool ReadLength(uint64_t* length, bool* wide);

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
  std::string error_;
};

}  // namespace qel

// Little-endian numbers in bytes: the files the program reads and writes
// (model files, bitmaps, wave sounds) and the sound devices' samples keep
// them so, whatever the machine's own order. Header-only; no library needed.
//
//   ReadLE16/32/64(p), ReadLEInt16/32(p), ReadLEDouble(p): from the bytes at p
//   (or at offset `at` of a byte vector or string); the caller makes sure
//   they are there.
//   WriteLE16/32/64(dst, v), WriteLEDouble(dst, v): into the bytes at dst.
//   AppendLE16/32/64(out, v), AppendLEDouble(out, v): at the end of a
//   std::vector<uint8_t>, std::vector<char> or std::string.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace qel {

inline uint16_t ReadLE16(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

inline uint32_t ReadLE32(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

inline uint64_t ReadLE64(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint64_t>(ReadLE32(b)) | (static_cast<uint64_t>(ReadLE32(b + 4)) << 32);
}

inline int16_t ReadLEInt16(const void* p) { return static_cast<int16_t>(ReadLE16(p)); }
inline int32_t ReadLEInt32(const void* p) { return static_cast<int32_t>(ReadLE32(p)); }
inline double ReadLEDouble(const void* p) { return std::bit_cast<double>(ReadLE64(p)); }

// The same at offset `at` of a contiguous byte container.
template <typename Bytes>
uint16_t ReadLE16(const Bytes& bytes, size_t at) {
  return ReadLE16(bytes.data() + at);
}
template <typename Bytes>
uint32_t ReadLE32(const Bytes& bytes, size_t at) {
  return ReadLE32(bytes.data() + at);
}
template <typename Bytes>
uint64_t ReadLE64(const Bytes& bytes, size_t at) {
  return ReadLE64(bytes.data() + at);
}
template <typename Bytes>
int16_t ReadLEInt16(const Bytes& bytes, size_t at) {
  return ReadLEInt16(bytes.data() + at);
}
template <typename Bytes>
int32_t ReadLEInt32(const Bytes& bytes, size_t at) {
  return ReadLEInt32(bytes.data() + at);
}
template <typename Bytes>
double ReadLEDouble(const Bytes& bytes, size_t at) {
  return ReadLEDouble(bytes.data() + at);
}

inline void WriteLE16(void* dst, uint16_t v) {
  auto* b = static_cast<uint8_t*>(dst);
  b[0] = static_cast<uint8_t>(v);
  b[1] = static_cast<uint8_t>(v >> 8);
}

inline void WriteLE32(void* dst, uint32_t v) {
  auto* b = static_cast<uint8_t*>(dst);
  WriteLE16(b, static_cast<uint16_t>(v));
  WriteLE16(b + 2, static_cast<uint16_t>(v >> 16));
}

inline void WriteLE64(void* dst, uint64_t v) {
  auto* b = static_cast<uint8_t*>(dst);
  WriteLE32(b, static_cast<uint32_t>(v));
  WriteLE32(b + 4, static_cast<uint32_t>(v >> 32));
}

inline void WriteLEDouble(void* dst, double v) { WriteLE64(dst, std::bit_cast<uint64_t>(v)); }

template <typename Bytes>
void AppendLE16(Bytes& out, uint16_t v) {
  using Byte = typename Bytes::value_type;
  out.push_back(static_cast<Byte>(v & 0xFF));
  out.push_back(static_cast<Byte>(v >> 8));
}

template <typename Bytes>
void AppendLE32(Bytes& out, uint32_t v) {
  AppendLE16(out, static_cast<uint16_t>(v));
  AppendLE16(out, static_cast<uint16_t>(v >> 16));
}

template <typename Bytes>
void AppendLE64(Bytes& out, uint64_t v) {
  AppendLE32(out, static_cast<uint32_t>(v));
  AppendLE32(out, static_cast<uint32_t>(v >> 32));
}

template <typename Bytes>
void AppendLEDouble(Bytes& out, double v) {
  AppendLE64(out, std::bit_cast<uint64_t>(v));
}

}  // namespace qel

// Little-endian reading and writing of fixed-size values in byte buffers,
// whatever the byte order of the machine. Header-only.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qel {

inline uint16_t ReadU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t ReadU32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t ReadI32LE(const uint8_t* p) { return static_cast<int32_t>(ReadU32LE(p)); }

inline uint64_t ReadU64LE(const uint8_t* p) {
  return static_cast<uint64_t>(ReadU32LE(p)) | (static_cast<uint64_t>(ReadU32LE(p + 4)) << 32);
}

inline double ReadF64LE(const uint8_t* p) { return std::bit_cast<double>(ReadU64LE(p)); }

inline void WriteU16LE(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void WriteU32LE(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

inline void WriteI32LE(uint8_t* p, int32_t v) { WriteU32LE(p, static_cast<uint32_t>(v)); }

inline void WriteU64LE(uint8_t* p, uint64_t v) {
  WriteU32LE(p, static_cast<uint32_t>(v));
  WriteU32LE(p + 4, static_cast<uint32_t>(v >> 32));
}

inline void WriteF64LE(uint8_t* p, double v) { WriteU64LE(p, std::bit_cast<uint64_t>(v)); }

// Appending forms for buffers that grow.
inline void AppendU32LE(std::vector<uint8_t>& out, uint32_t v) {
  const size_t at = out.size();
  out.resize(at + 4);
  WriteU32LE(out.data() + at, v);
}

inline void AppendF64LE(std::vector<uint8_t>& out, double v) {
  const size_t at = out.size();
  out.resize(at + 8);
  WriteF64LE(out.data() + at, v);
}

}  // namespace qel

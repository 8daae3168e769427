// Little-endian numbers in bytes: the files the program reads and writes
// (model files, bitmaps, wave sounds) and the sound devices' samples keep
// them so, whatever the machine's own order. Header-only; no library needed.
//
//   ReadLE16/32/64(p), ReadLEInt16/32(p), ReadLEDouble(p): from the bytes at
//   p (bytes.data() + at for a container); the caller makes sure they are
//   there.
//   WriteLE16/32/64(dst, v), WriteLEDouble(dst, v): into the bytes at dst.
//   AppendLE16/32/64(out, v), AppendLEDouble(out, v): at the end of a
//   std::vector<uint8_t>, std::vector<char> or std::string.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace qel {

namespace byte_order {

// The unsigned number of sizeof(T) bytes at p, lowest byte first.
template <typename T>
constexpr T Load(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  T v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<T>(static_cast<T>(b[i]) << (8 * i));
  return v;
}

template <typename T>
constexpr void Store(void* dst, T v) {
  auto* b = static_cast<uint8_t*>(dst);
  for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
}

template <typename T, typename Bytes>
void Append(Bytes& out, T v) {
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<typename Bytes::value_type>(v >> (8 * i)));
}

}  // namespace byte_order

inline uint16_t ReadLE16(const void* p) { return byte_order::Load<uint16_t>(p); }
inline int16_t ReadLEInt16(const void* p) { return static_cast<int16_t>(ReadLE16(p)); }
inline uint32_t ReadLE32(const void* p) { return byte_order::Load<uint32_t>(p); }
inline int32_t ReadLEInt32(const void* p) { return static_cast<int32_t>(ReadLE32(p)); }
inline uint64_t ReadLE64(const void* p) { return byte_order::Load<uint64_t>(p); }
inline double ReadLEDouble(const void* p) { return std::bit_cast<double>(ReadLE64(p)); }

inline void WriteLE16(void* dst, uint16_t v) { byte_order::Store(dst, v); }
inline void WriteLE32(void* dst, uint32_t v) { byte_order::Store(dst, v); }
inline void WriteLE64(void* dst, uint64_t v) { byte_order::Store(dst, v); }
inline void WriteLEDouble(void* dst, double v) { WriteLE64(dst, std::bit_cast<uint64_t>(v)); }

template <typename Bytes>
void AppendLE16(Bytes& out, uint16_t v) {
  byte_order::Append(out, v);
}
template <typename Bytes>
void AppendLE32(Bytes& out, uint32_t v) {
  byte_order::Append(out, v);
}
template <typename Bytes>
void AppendLE64(Bytes& out, uint64_t v) {
  byte_order::Append(out, v);
}
template <typename Bytes>
void AppendLEDouble(Bytes& out, double v) {
  AppendLE64(out, std::bit_cast<uint64_t>(v));
}

}  // namespace qel

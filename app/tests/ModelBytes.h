// Hand-built model file bytes for tests: little-endian pieces written
// without the product's archive writer (the numbers by common/ByteOrder.h,
// whose own test pins its bytes).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ByteOrder.h"

namespace qel {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, std::initializer_list<int> values) {
  for (int v : values) b.push_back(static_cast<uint8_t>(v));
}
inline void PutText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
// A short counted string (below 255 characters).
inline void PutShortString(Bytes& b, const std::string& s) {
  b.push_back(static_cast<uint8_t>(s.size()));
  PutText(b, s);
}

// The class tag of the model document with the given schema.
inline Bytes ClassTag(uint16_t schema = 1, const std::string& name = "CQelDoc") {
  Bytes b;
  AppendLE16(b, 0xFFFF);
  AppendLE16(b, schema);
  AppendLE16(b, static_cast<uint16_t>(name.size()));
  PutText(b, name);
  return b;
}

// Class tag, format word 1, version 4, "April 2010", the creation text,
// the task count and a reserved block of 64 bytes filled with reservedByte.
inline Bytes ModelHead(const std::string& creation, uint32_t count, int reservedByte = 0, uint16_t schema = 1) {
  Bytes b = ClassTag(schema);
  AppendLE32(b, 1);
  AppendLE32(b, 4);
  PutShortString(b, "April 2010");
  PutShortString(b, creation);
  AppendLE32(b, count);
  b.insert(b.end(), 64, static_cast<uint8_t>(reservedByte));
  return b;
}

// A task record with short texts; word k of the 18-word block is base + k,
// part trial k is 10 + k, parameter k is 1000 + k.
inline Bytes TaskRecord(uint32_t id, const std::string& code, const std::string& name, uint32_t base) {
  Bytes b;
  AppendLE32(b, id);
  PutShortString(b, code);
  PutShortString(b, name);
  for (uint32_t k = 0; k < 18; ++k) AppendLE32(b, base + k);
  for (uint32_t k = 0; k < 16; ++k) AppendLE32(b, 10 + k);
  for (uint32_t k = 0; k < 32; ++k) AppendLE32(b, 1000 + k);
  return b;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace qel

#include "db/PackedArrays.h"

#include <algorithm>
#include <cstring>

#include "common/ByteOrder.h"

namespace qel {

namespace {

int Bounded(int count) { return std::clamp(count, 0, kMaxPackedValues); }

}  // namespace

void ByteArrayFromBytes(DbBytes& bytes, const void* source, int count) {
  if (!source || count < 1) return;
  bytes.resize(static_cast<size_t>(count));
  std::memcpy(bytes.data(), source, static_cast<size_t>(count));
}

void ByteArrayFromDoubles(DbBytes& bytes, const double* values, int count) {
  if (!values || count < 1) return;
  bytes.resize(static_cast<size_t>(count) * 8);
  for (int i = 0; i < count; ++i) WriteF64LE(bytes.data() + static_cast<size_t>(i) * 8, values[i]);
}

void ByteArrayFromDWords(DbBytes& bytes, const uint32_t* values, int count) {
  if (!values || count < 1) return;
  bytes.resize(static_cast<size_t>(count) * 4);
  for (int i = 0; i < count; ++i) WriteU32LE(bytes.data() + static_cast<size_t>(i) * 4, values[i]);
}

void ByteArrayFromDWords(DbBytes& bytes, const int32_t* values, int count) {
  ByteArrayFromDWords(bytes, reinterpret_cast<const uint32_t*>(values), count);
}

int DWordsFromByteArray(const DbBytes& bytes, uint32_t* destination, int capacity) {
  if (!destination || capacity <= 0 || bytes.empty()) return 0;
  const size_t n = std::min(bytes.size() / 4, static_cast<size_t>(capacity));
  for (size_t i = 0; i < n; ++i) destination[i] = ReadU32LE(bytes.data() + i * 4);
  return static_cast<int>(n);
}

int DWordsFromByteArray(const DbBytes& bytes, int32_t* destination, int capacity) {
  return DWordsFromByteArray(bytes, reinterpret_cast<uint32_t*>(destination), capacity);
}

int DoublesFromByteArray(const DbBytes& bytes, std::vector<double>& values, int count) {
  values.clear();
  count = Bounded(count);
  const size_t stored = std::min(static_cast<size_t>(count), bytes.size() / 8);
  values.reserve(static_cast<size_t>(count));
  for (size_t i = 0; i < stored; ++i) values.push_back(ReadF64LE(bytes.data() + i * 8));
  values.resize(static_cast<size_t>(count), 0.0);
  return count;
}

int DWordArrayFromByteArray(const DbBytes& bytes, std::vector<uint32_t>& values, int count) {
  values.clear();
  count = Bounded(count);
  const size_t stored = std::min(static_cast<size_t>(count), bytes.size() / 4);
  values.reserve(static_cast<size_t>(count));
  for (size_t i = 0; i < stored; ++i) values.push_back(ReadU32LE(bytes.data() + i * 4));
  values.resize(static_cast<size_t>(count), 0u);
  return count;
}

int StringsFromByteArray(const DbBytes& bytes, std::vector<std::string>& values, int count) {
  values.clear();
  count = Bounded(count);
  size_t at = 0;
  while (values.size() < static_cast<size_t>(count) && at < bytes.size()) {
    const auto end = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), uint8_t{0});
    if (end == bytes.end()) break;  // a text without its zero byte ends the list
    const size_t stop = static_cast<size_t>(end - bytes.begin());
    values.emplace_back(reinterpret_cast<const char*>(bytes.data() + at), stop - at);
    at = stop + 1;
  }
  values.resize(static_cast<size_t>(count));
  return count;
}

}  // namespace qel

// Arrays packed into one binary column: a bare little-endian array with no
// header (32-bit integers of 4 bytes, doubles of 8 bytes as IEEE 754, or
// texts each followed by one zero byte). The number of values is not in the
// column: the reader asks for it (the row's count column, or a fixed count),
// a shorter column is padded with 0, 0.0 or empty texts and a longer one is
// cut. Unpacking never reads past the stored bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "db/DbValue.h"

namespace qel {

// No packed array holds more values than the largest array the program
// keeps (6000 responses of a part): a larger count read from a row is cut
// to it.
inline constexpr int kMaxPackedValues = 6000;

// The bytes, when source is given and count >= 1; else the array stays.
void ByteArrayFromBytes(DbBytes& bytes, const void* source, int count);
void ByteArrayFromDoubles(DbBytes& bytes, const double* values, int count);
void ByteArrayFromDWords(DbBytes& bytes, const uint32_t* values, int count);
void ByteArrayFromDWords(DbBytes& bytes, const int32_t* values, int count);

// Copies whole values, at most capacity of them; returns how many.
int DWordsFromByteArray(const DbBytes& bytes, uint32_t* destination, int capacity);
int DWordsFromByteArray(const DbBytes& bytes, int32_t* destination, int capacity);
// The destination gets exactly count values (padded with 0.0 / 0); returns
// count (0 for count <= 0).
int DoublesFromByteArray(const DbBytes& bytes, std::vector<double>& values, int count);
int DWordArrayFromByteArray(const DbBytes& bytes, std::vector<uint32_t>& values, int count);
// The texts one after the other while their zero byte lies in the column,
// then empty texts up to count; returns count.
int StringsFromByteArray(const DbBytes& bytes, std::vector<std::string>& values, int count);

}  // namespace qel

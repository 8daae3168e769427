// Arrays packed into binary columns: bare little-endian values, padded or
// cut to the count the reader asks for, never read past their bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "db/PackedArrays.h"

namespace qel {

namespace test {
namespace {

TEST(PackedArrays, ValuesAreLittleEndianBytesWithNoHeader) {
  DbBytes bytes;
  const int32_t words[] = {1, -2, 0x01020304};
  ByteArrayFromDWords(bytes, words, 3);
  EXPECT_EQ(bytes, (DbBytes{0x01, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01}));
  const double values[] = {1.0, -2.5};
  ByteArrayFromDoubles(bytes, values, 2);
  EXPECT_EQ(bytes, (DbBytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0x04, 0xC0}));
  // Nothing to copy leaves the array as it was.
  ByteArrayFromDWords(bytes, static_cast<const int32_t*>(nullptr), 3);
  ByteArrayFromBytes(bytes, "x", 0);
  EXPECT_EQ(bytes.size(), 16u);
}

TEST(PackedArrays, ReadersPadShortColumnsAndStopAtTheirEnd) {
  std::vector<double> doubles;
  DbBytes twelve(12, 0);
  const double first = 3.25;
  DbBytes packed;
  ByteArrayFromDoubles(packed, &first, 1);
  std::memcpy(twelve.data(), packed.data(), 8);
  EXPECT_EQ(DoublesFromByteArray(twelve, doubles, 3), 3);
  EXPECT_EQ(doubles, (std::vector<double>{3.25, 0.0, 0.0}));
  EXPECT_EQ(DoublesFromByteArray(twelve, doubles, 0), 0);
  EXPECT_TRUE(doubles.empty());

  uint32_t out[4] = {};
  EXPECT_EQ(DWordsFromByteArray(DbBytes(10, 0xFF), out, 4), 2);
  EXPECT_EQ(out[1], 0xFFFFFFFFu);
  EXPECT_EQ(out[2], 0u);
  EXPECT_EQ(DWordsFromByteArray(DbBytes(), out, 4), 0);
  EXPECT_EQ(DWordsFromByteArray(DbBytes(16, 1), out, 0), 0);

  std::vector<uint32_t> words;
  EXPECT_EQ(DWordArrayFromByteArray(DbBytes{7, 0, 0, 0, 9}, words, 3), 3);
  EXPECT_EQ(words, (std::vector<uint32_t>{7, 0, 0}));

  std::vector<std::string> texts;
  EXPECT_EQ(StringsFromByteArray(DbBytes{'A', 0, 'B', 0}, texts, 3), 3);
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "B", ""}));
  // A text without its zero byte ends the list.
  EXPECT_EQ(StringsFromByteArray(DbBytes{'A', 0, 'B', 'C'}, texts, 2), 2);
  EXPECT_EQ(texts, (std::vector<std::string>{"A", ""}));
}

TEST(PackedArrays, ACountReadFromADamagedRowCannotAskForMoreThanAnyArrayHolds) {
  std::vector<double> doubles;
  EXPECT_EQ(DoublesFromByteArray(DbBytes(16, 0), doubles, 2000000000), kMaxPackedValues);
  EXPECT_EQ(doubles.size(), static_cast<size_t>(kMaxPackedValues));
  std::vector<std::string> texts;
  EXPECT_EQ(StringsFromByteArray(DbBytes{'A', 0}, texts, -5), 0);
}

}  // namespace
}  // namespace test

}  // namespace qel

// Little-endian numbers against bytes written out by hand: every width read,
// written and appended to the three kinds of container, the sign of the
// signed readers and doubles.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/ByteOrder.h"

namespace qel::test {

namespace {

using Bytes = std::vector<uint8_t>;
using Chars = std::vector<char>;

// The operations of one width.
template <typename T>
struct Width {
  T (*read)(const void*);
  void (*write)(void*, T);
  void (*appendBytes)(Bytes&, T);
  void (*appendText)(std::string&, T);
  void (*appendChars)(Chars&, T);
};
constexpr Width<uint16_t> k16{ReadLE16, WriteLE16, AppendLE16<Bytes>, AppendLE16<std::string>, AppendLE16<Chars>};
constexpr Width<uint32_t> k32{ReadLE32, WriteLE32, AppendLE32<Bytes>, AppendLE32<std::string>, AppendLE32<Chars>};
constexpr Width<uint64_t> k64{ReadLE64, WriteLE64, AppendLE64<Bytes>, AppendLE64<std::string>, AppendLE64<Chars>};

template <typename T>
void ExpectBytes(const Width<T>& w, T value, const Bytes& bytes) {
  SCOPED_TRACE(testing::Message() << std::hex << value);
  ASSERT_EQ(bytes.size(), sizeof(T));
  EXPECT_EQ(w.read(bytes.data()), value);

  // Written behind a prefix: only its own bytes change.
  Bytes written(3 + sizeof(T) + 2, 0xAA);
  w.write(written.data() + 3, value);
  Bytes expected(3, 0xAA);
  expected.insert(expected.end(), bytes.begin(), bytes.end());
  expected.insert(expected.end(), 2, 0xAA);
  EXPECT_EQ(written, expected);

  Bytes appended{0x11};
  w.appendBytes(appended, value);
  EXPECT_EQ(Bytes(appended.begin() + 1, appended.end()), bytes);
  std::string text = "x";
  w.appendText(text, value);
  EXPECT_EQ(Bytes(text.begin() + 1, text.end()), bytes);
  Chars chars;
  w.appendChars(chars, value);
  EXPECT_EQ(Bytes(chars.begin(), chars.end()), bytes);
}

}  // namespace

TEST(ByteOrder, EveryWidthLowByteFirst) {
  ExpectBytes(k16, uint16_t{0xBEEF}, {0xEF, 0xBE});
  ExpectBytes(k32, uint32_t{0x12345678}, {0x78, 0x56, 0x34, 0x12});
  ExpectBytes(k32, uint32_t{0xFFFFFFFE}, {0xFE, 0xFF, 0xFF, 0xFF});
  ExpectBytes(k64, uint64_t{0x0102030405060708}, {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01});
  ExpectBytes(k64, uint64_t{0x8000000000000000}, {0, 0, 0, 0, 0, 0, 0, 0x80});
}

TEST(ByteOrder, SignedReadersKeepTheSign) {
  const Bytes b{0xFE, 0xFF, 0x00, 0x80, 0xFF, 0x7F};
  EXPECT_EQ(ReadLEInt16(b.data()), -2);
  EXPECT_EQ(ReadLEInt16(b.data() + 4), 32767);
  EXPECT_EQ(ReadLEInt32(b.data()), static_cast<int32_t>(0x8000FFFE));
  EXPECT_EQ(ReadLEInt32(b.data() + 2), static_cast<int32_t>(0x7FFF8000));
}

TEST(ByteOrder, DoublesAreTheirIeeeBitsLowByteFirst) {
  // 1.5 is 0x3FF8000000000000, -2.0 is 0xC000000000000000.
  const Bytes oneAndAHalf{0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
  EXPECT_EQ(ReadLEDouble(oneAndAHalf.data()), 1.5);
  Bytes written(8);
  WriteLEDouble(written.data(), 1.5);
  EXPECT_EQ(written, oneAndAHalf);
  std::string out;
  AppendLEDouble(out, -2.0);
  EXPECT_EQ(out, std::string("\0\0\0\0\0\0\0\xC0", 8));
  EXPECT_EQ(ReadLEDouble(out.data()), -2.0);
}

}  // namespace qel::test

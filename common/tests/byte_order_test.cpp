// Little-endian numbers against bytes written out by hand: every width, the
// sign of the signed readers, the three kinds of container and offsets.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/ByteOrder.h"

namespace qel::test {

namespace {

using Bytes = std::vector<uint8_t>;

struct WordCase {
  const char* name;
  uint64_t value;
  int width;  // bytes
  Bytes bytes;
};

const WordCase kWords[] = {
    {"Sixteen", 0xBEEF, 2, {0xEF, 0xBE}},
    {"ThirtyTwo", 0x12345678, 4, {0x78, 0x56, 0x34, 0x12}},
    {"ThirtyTwoHighBit", 0xFFFFFFFE, 4, {0xFE, 0xFF, 0xFF, 0xFF}},
    {"SixtyFour", 0x0102030405060708, 8, {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}},
    {"SixtyFourHighHalfOnly", 0x8000000000000000, 8, {0, 0, 0, 0, 0, 0, 0, 0x80}},
};

uint64_t Read(const void* p, int width) {
  switch (width) {
    case 2:
      return ReadLE16(p);
    case 4:
      return ReadLE32(p);
    default:
      return ReadLE64(p);
  }
}

template <typename Container>
void Append(Container& out, uint64_t v, int width) {
  switch (width) {
    case 2:
      AppendLE16(out, static_cast<uint16_t>(v));
      break;
    case 4:
      AppendLE32(out, static_cast<uint32_t>(v));
      break;
    default:
      AppendLE64(out, v);
      break;
  }
}

void Write(void* dst, uint64_t v, int width) {
  switch (width) {
    case 2:
      WriteLE16(dst, static_cast<uint16_t>(v));
      break;
    case 4:
      WriteLE32(dst, static_cast<uint32_t>(v));
      break;
    default:
      WriteLE64(dst, v);
      break;
  }
}

}  // namespace

class ByteOrderWords : public testing::TestWithParam<WordCase> {};

TEST_P(ByteOrderWords, ReadWriteAndAppendGiveTheSameBytes) {
  const WordCase& c = GetParam();
  EXPECT_EQ(Read(c.bytes.data(), c.width), c.value);

  // Written behind a prefix, so the offset and the bytes around it count.
  Bytes written(3 + c.width + 2, 0xAA);
  Write(written.data() + 3, c.value, c.width);
  EXPECT_EQ(Bytes(written.begin() + 3, written.begin() + 3 + c.width), c.bytes);
  EXPECT_EQ(written[2], 0xAA);
  EXPECT_EQ(written[3 + c.width], 0xAA);

  Bytes appended{0x11};
  Append(appended, c.value, c.width);
  EXPECT_EQ(Bytes(appended.begin() + 1, appended.end()), c.bytes);

  std::string text = "x";
  Append(text, c.value, c.width);
  ASSERT_EQ(text.size(), 1u + c.width);
  EXPECT_EQ(Bytes(text.begin() + 1, text.end()), c.bytes);

  std::vector<char> chars;
  Append(chars, c.value, c.width);
  EXPECT_EQ(Bytes(chars.begin(), chars.end()), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Widths, ByteOrderWords, testing::ValuesIn(kWords),
                         [](const testing::TestParamInfo<WordCase>& info) { return std::string(info.param.name); });

TEST(ByteOrder, SignedReadersKeepTheSign) {
  const Bytes b{0xFE, 0xFF, 0x00, 0x80, 0xFF, 0x7F};
  EXPECT_EQ(ReadLEInt16(b.data()), -2);
  EXPECT_EQ(ReadLEInt16(b, 4), 32767);
  EXPECT_EQ(ReadLEInt32(b, 0), static_cast<int32_t>(0x8000FFFE));
  EXPECT_EQ(ReadLEInt32(b.data() + 2), static_cast<int32_t>(0x7FFF8000));
}

TEST(ByteOrder, DoublesAreTheirIeeeBitsLowByteFirst) {
  // 1.5 is 0x3FF8000000000000.
  const Bytes oneAndAHalf{0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
  EXPECT_EQ(ReadLEDouble(oneAndAHalf.data()), 1.5);
  Bytes out;
  AppendLEDouble(out, -2.0);  // 0xC000000000000000
  EXPECT_EQ(out, (Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0}));
  Bytes written(8);
  WriteLEDouble(written.data(), 1.5);
  EXPECT_EQ(written, oneAndAHalf);
  EXPECT_EQ(ReadLEDouble(out, 0), -2.0);
}

TEST(ByteOrder, ContainersAreReadAtAnOffset) {
  const std::string text("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9);
  EXPECT_EQ(ReadLE16(text, 1), 0x0302u);
  EXPECT_EQ(ReadLE32(text, 5), 0x09080706u);
  EXPECT_EQ(ReadLE64(text, 1), 0x0908070605040302u);
}

}  // namespace qel::test

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/ByteOrder.h"
#include "tools/pictures/BmpWriter.h"

namespace qel {

namespace {

using qel::pictures::EncodeBmp24;

TEST(BmpWriter, WritesHeadersAndBottomUpRowsPaddedToFourBytes) {
  // 3 x 2 pixels, stride 4: the fourth column must not be written.
  const uint32_t pixels[] = {0x112233, 0x445566, 0x778899, 0xDEADBE, 0xFFAABBCC, 0x000001, 0x010000, 0xDEADBE};
  const std::vector<uint8_t> bytes = EncodeBmp24(pixels, 3, 2, 4);
  const std::vector<uint8_t> expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0,
                                         0,  // file header: size 54 + 2 x 12
                                         40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
                                         0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                         // bottom row first, blue-green-red, three bytes of padding
                                         0xCC, 0xBB, 0xAA, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0, 0, 0, 0x33, 0x22,
                                         0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0};
  EXPECT_EQ(bytes, expected);
}

TEST(BmpWriter, RowsOfAWholeNumberOfWordsGetNoPadding) {
  std::vector<uint32_t> pixels(4 * 3, 0x0000FF);
  const std::vector<uint8_t> bytes = EncodeBmp24(pixels.data(), 4, 3, 4);
  ASSERT_EQ(bytes.size(), 54u + 12u * 3u);
  EXPECT_EQ(ReadLE32(bytes.data() + 2), bytes.size());
  EXPECT_EQ(ReadLE32(bytes.data() + 34), 36u);
}

TEST(BmpWriter, RefusesSizesItCannotWrite) {
  const uint32_t pixel = 0;
  EXPECT_THROW(EncodeBmp24(nullptr, 1, 1, 1), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(&pixel, 0, 1, 1), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(&pixel, 1, -1, 1), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(&pixel, 2, 1, 1), std::invalid_argument);
}

}  // namespace

}  // namespace qel

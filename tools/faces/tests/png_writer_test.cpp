// PNG files written by the picture tools, read back by the program's own
// picture decoder.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "tools/pictures/PngWriter.h"

namespace qel {

namespace {

TEST(PngWriter, PixelsComeBackAndTheBytesRepeat) {
  // Three columns of a stride of four; the fourth pixel of a row is not part of the picture.
  const std::vector<uint32_t> pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xDEAD01,  //
                                        0x123456, 0xFFFFFF, 0x000000, 0xDEAD02};
  const auto bytes = qel::pictures::EncodePng24(pixels.data(), 3, 2, 4);
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_EQ(bytes[2], 'N');
  EXPECT_EQ(bytes[3], 'G');
  EXPECT_EQ(bytes, qel::pictures::EncodePng24(pixels.data(), 3, 2, 4)) << "no time stamp or other changing bytes";

  QelImage image;
  ASSERT_EQ(QelDecodeImage(bytes.data(), bytes.size(), image), QelImageStatus::kOk);
  ASSERT_EQ(image.Width(), 3);
  ASSERT_EQ(image.Height(), 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Pixel(x, y) & 0xFFFFFF, pixels[y * 4 + x]) << x << "," << y;
  }
}

TEST(PngWriter, RefusesImpossibleSizes) {
  const uint32_t pixel = 0;
  EXPECT_THROW(qel::pictures::EncodePng24(&pixel, 0, 1, 1), std::invalid_argument);
  EXPECT_THROW(qel::pictures::EncodePng24(&pixel, 2, 1, 1), std::invalid_argument);
  EXPECT_THROW(qel::pictures::EncodePng24(nullptr, 1, 1, 1), std::invalid_argument);
}

}  // namespace

}  // namespace qel

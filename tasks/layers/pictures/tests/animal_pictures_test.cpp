// The committed animal pictures as the plug-ins will read them: through the
// system's own picture decoder, at the size of a house window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

class AnimalPicture : public testing::TestWithParam<const char*> {};

TEST_P(AnimalPicture, DecodesAtTheSizeOfAHouseWindowWithItsColours) {
  const fs::path path = fs::path(QEL_SOURCE_DIR) / "tasks/layers/pictures" / GetParam();
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty()) << path;

  QelImage image;
  ASSERT_EQ(QelDecodeBmpFile(bytes.data(), bytes.size(), image), QelImageStatus::kOk);
  // Drawn 1:1 into the top of a window of 96 x 100 (or 96 x 150) pixels.
  EXPECT_EQ(image.Width(), 96);
  EXPECT_EQ(image.Height(), 100);
  // The corners show the pale sky behind every animal: red, green and blue
  // come back in their places.
  for (auto [x, y] : {std::pair{0, 0}, std::pair{95, 0}, std::pair{0, 99}, std::pair{95, 99}}) {
    if (std::string(GetParam()) == "animal6_bird.bmp" && y == 99) continue;  // the branch
    EXPECT_EQ(image.Pixel(x, y) & 0xFFFFFF, 0xE6F2FFu) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(All, AnimalPicture,
                         testing::Values("animal1_cat.bmp", "animal2_fish.bmp", "animal3_snail.bmp",
                                         "animal4_butterfly.bmp", "animal5_bee.bmp", "animal6_bird.bmp"));

}  // namespace

}  // namespace qel

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "tests/support/common/TempFolder.h"
#include "tools/pictures/AnimalPictures.h"
#include "tools/pictures/PictureRenderer.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

const fs::path kCommitted = fs::path(QEL_SOURCE_DIR) / "tasks/layers/pictures";

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 24-bit bottom-up BMP read back from its bytes, checked field by field.
struct DecodedBmp {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

DecodedBmp Decode(const std::vector<uint8_t>& b) {
  DecodedBmp bmp;
  EXPECT_GE(b.size(), 54u);
  if (b.size() < 54) return bmp;
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(ReadLE32(b.data() + 2), b.size());
  EXPECT_EQ(ReadLE32(b.data() + 10), 54u);
  EXPECT_EQ(ReadLE32(b.data() + 14), 40u);
  const int32_t width = ReadLEInt32(b.data() + 18);
  const int32_t height = ReadLEInt32(b.data() + 22);
  EXPECT_EQ(ReadLE16(b.data() + 26), 1u);
  EXPECT_EQ(ReadLE16(b.data() + 28), 24u);
  EXPECT_EQ(ReadLE32(b.data() + 30), 0u);
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);  // bottom-up
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return bmp;
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  EXPECT_EQ(ReadLE32(b.data() + 34), rowBytes * height);
  EXPECT_EQ(b.size(), 54 + rowBytes * height);
  if (b.size() != 54 + rowBytes * height) return bmp;
  bmp.width = width;
  bmp.height = height;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = b.data() + 54 + rowBytes * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      bmp.pixels.push_back(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
    }
  }
  return bmp;
}

std::set<std::string> BmpFiles(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".bmp") names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(AnimalPictures, GeneratorReproducesTheCommittedFilesByteForByte) {
  qel::test::TempFolder out;
  ASSERT_FALSE(out.Path().empty());
  const std::string command = std::string("'") + QEL_PICTURE_GENERATOR + "' '" + out.Path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::set<std::string> generated = BmpFiles(out.Path());
  EXPECT_EQ(generated.size(), 6u);
  EXPECT_EQ(generated, BmpFiles(kCommitted)) << "committed pictures and generator disagree on the file set";
  for (const std::string& name : generated) {
    SCOPED_TRACE(name);
    const auto fresh = ReadFile(out.Path() / name);
    const auto committed = ReadFile(kCommitted / name);
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == committed) << "run tools/qel_picture_generator tasks/layers/pictures and commit";
  }
}

TEST(AnimalPictures, GeneratorWithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_PICTURE_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

// Pictures 1..6 in the order the tasks number them; each fits the smallest
// window of the house (96 x 100, the windows are 96 wide and 100 or 150 high).
TEST(AnimalPictures, CommittedPicturesDecodeAtTheSizeOfAHouseWindow) {
  const char* const names[] = {"animal1_cat.bmp",       "animal2_fish.bmp", "animal3_snail.bmp",
                               "animal4_butterfly.bmp", "animal5_bee.bmp",  "animal6_bird.bmp"};
  std::vector<std::vector<uint32_t>> seen;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const DecodedBmp bmp = Decode(ReadFile(kCommitted / name));
    EXPECT_EQ(bmp.width, 96);
    EXPECT_EQ(bmp.height, 100);
    if (bmp.pixels.empty()) continue;

    // The animal covers a good part of the picture, not just its corner.
    const uint32_t background = bmp.pixels[0];
    size_t painted = 0;
    int left = bmp.width, right = -1;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < bmp.width; ++x) {
        if (bmp.pixels[static_cast<size_t>(y) * bmp.width + x] == background) continue;
        ++painted;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    EXPECT_GT(painted, bmp.pixels.size() / 5);
    EXPECT_LT(painted, bmp.pixels.size() * 4 / 5);
    EXPECT_GT(right - left, bmp.width / 2);
    for (const auto& other : seen) EXPECT_NE(other, bmp.pixels);
    seen.push_back(bmp.pixels);
  }
}

TEST(AnimalPictures, DescriptionsMatchTheFileNamesAndSizes) {
  const auto& pictures = qel::pictures::AnimalPictures();
  ASSERT_EQ(pictures.size(), 6u);
  const std::string numbers = "123456";
  for (size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(std::string(pictures[i].fileName).substr(0, 7), std::string("animal") + numbers[i]);
    EXPECT_EQ(pictures[i].width, qel::pictures::kAnimalWidth);
    EXPECT_EQ(pictures[i].height, qel::pictures::kAnimalHeight);
  }
}

TEST(PictureRenderer, PaintsShapesInOrderWithClipping) {
  qel::pictures::PictureDescription picture{
      "",
      20,
      10,
      0x0000FF,
      {
          {0xFF0000, qel::pictures::kNoColour, 0, "M 0 0 L 10 0 L 10 10 L 0 10 Z"},
          {0x00FF00, qel::pictures::kNoColour, 0, "M 5 0 L 20 0 L 20 10 L 5 10 Z", 0},
      }};
  const auto pixels = qel::pictures::RenderPicture(picture);
  ASSERT_EQ(pixels.size(), 200u);
  EXPECT_EQ(pixels[5 * 20 + 2], 0xFF0000u);   // first shape only
  EXPECT_EQ(pixels[5 * 20 + 7], 0x00FF00u);   // second shape, inside the clip
  EXPECT_EQ(pixels[5 * 20 + 15], 0x0000FFu);  // clipped away: background
}

TEST(PictureRenderer, RefusesMalformedDescriptions) {
  using qel::pictures::kNoColour;
  using qel::pictures::PictureDescription;
  EXPECT_THROW(qel::pictures::RenderPicture(PictureDescription{"", 0, 10, 0, {}}), std::invalid_argument);
  EXPECT_THROW(qel::pictures::RenderPicture(PictureDescription{"", 10, 10, 0, {{0, kNoColour, 0, "M 1"}}}),
               std::invalid_argument);
  EXPECT_THROW(qel::pictures::RenderPicture(PictureDescription{"", 10, 10, 0, {{0, kNoColour, 0, "E 1 1 0 1 0"}}}),
               std::invalid_argument);
  EXPECT_THROW(qel::pictures::RenderPicture(PictureDescription{"", 10, 10, 0, {{0, kNoColour, 0, "E 1 1 1 1 0", 0}}}),
               std::invalid_argument);
  EXPECT_THROW(qel::pictures::RenderPicture(PictureDescription{"", 10, 10, 0, {{kNoColour, 0, 0, "E 1 1 1 1 0"}}}),
               std::invalid_argument);
}

}  // namespace

}  // namespace qel

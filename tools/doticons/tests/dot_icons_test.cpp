// The dot-set pictures of the dots task's page: the generator writes the
// committed files byte for byte, and each committed file, read back by the
// program's own decoder, shows the frame and its number of dots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "tests/support/common/TempFolder.h"
#include "tools/doticons/DotIcons.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

const fs::path kCommitted = fs::path(QEL_SOURCE_DIR) / "tasks/plugins/sad/icons";
constexpr uint32_t kGrey = 0x7F7F7F;

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Grey blobs inside the frame, each counted once (4-connected).
int CountDots(const QelImage& image) {
  const int w = image.Width();
  const int h = image.Height();
  std::vector<bool> seen(static_cast<size_t>(w * h), false);
  int dots = 0;
  for (int y = 3; y < h - 3; ++y) {
    for (int x = 3; x < w - 3; ++x) {
      if (seen[y * w + x] || image.Pixel(x, y) != kGrey) continue;
      ++dots;
      std::vector<std::pair<int, int>> stack = {{x, y}};
      seen[y * w + x] = true;
      while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        const int next[4][2] = {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}};
        for (const auto& n : next) {
          if (n[0] < 3 || n[1] < 3 || n[0] >= w - 3 || n[1] >= h - 3) continue;
          if (seen[n[1] * w + n[0]] || image.Pixel(n[0], n[1]) != kGrey) continue;
          seen[n[1] * w + n[0]] = true;
          stack.push_back({n[0], n[1]});
        }
      }
    }
  }
  return dots;
}

TEST(DotIcons, GeneratorReproducesTheCommittedFilesByteForByte) {
  qel::test::TempFolder out;
  ASSERT_FALSE(out.Path().empty());
  const std::string command = std::string("'") + QEL_DOT_ICON_GENERATOR + "' '" + out.Path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const auto& icon : qel::doticons::DotIcons()) {
    SCOPED_TRACE(icon.fileName);
    const auto fresh = ReadFile(out.Path() / icon.fileName);
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == ReadFile(kCommitted / icon.fileName))
        << "run tools/qel_dot_icon_generator tasks/plugins/sad/icons and commit";
  }
}

TEST(DotIcons, EachShowsTheFrameAndItsDots) {
  const auto& icons = qel::doticons::DotIcons();
  ASSERT_EQ(icons.size(), static_cast<size_t>(qel::doticons::kIconCount));
  for (size_t i = 0; i < icons.size(); ++i) {
    SCOPED_TRACE(icons[i].fileName);
    const auto bytes = ReadFile(kCommitted / icons[i].fileName);
    QelImage image;
    ASSERT_EQ(QelDecodeImage(bytes.data(), bytes.size(), image), QelImageStatus::kOk);
    ASSERT_EQ(image.Width(), 32);
    ASSERT_EQ(image.Height(), 32);
    EXPECT_EQ(image.Pixel(0, 0), 0u) << "black outside the frame";
    for (int k = 1; k <= 30; ++k) {
      EXPECT_EQ(image.Pixel(k, 1), kGrey);
      EXPECT_EQ(image.Pixel(1, k), kGrey);
      EXPECT_EQ(image.Pixel(k, 30), kGrey);
      EXPECT_EQ(image.Pixel(30, k), kGrey);
    }
    EXPECT_EQ(CountDots(image), qel::doticons::kFirstDots + static_cast<int>(i));
  }
}

TEST(DotIcons, GeneratorWithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_DOT_ICON_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace

}  // namespace qel

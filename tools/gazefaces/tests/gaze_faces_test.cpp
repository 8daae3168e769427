// The faces of the gaze-cueing task: the generator writes the committed
// files byte for byte, the files decode at the sizes the task draws them,
// and the pupils sit where the gaze puts them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "tests/support/common/TempFolder.h"
#include "tools/gazefaces/GazeFaces.h"

namespace qel {

namespace {

namespace fs = std::filesystem;
using namespace qel::pictures;

const fs::path kCommitted = fs::path(QEL_SOURCE_DIR) / "tasks/plugins/gac/pictures";

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> BmpFiles(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".bmp") names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(GazeFaces, GeneratorReproducesTheCommittedFilesByteForByte) {
  qel::test::TempFolder out;
  ASSERT_FALSE(out.Path().empty());
  const std::string command = std::string("'") + QEL_GAZE_FACE_GENERATOR + "' '" + out.Path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::set<std::string> generated = BmpFiles(out.Path());
  EXPECT_EQ(generated.size(), 24u);
  EXPECT_EQ(generated, BmpFiles(kCommitted)) << "committed pictures and generator disagree on the file set";
  for (const std::string& name : generated) {
    SCOPED_TRACE(name);
    const auto fresh = ReadFile(out.Path() / name);
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == ReadFile(kCommitted / name))
        << "run tools/qel_gaze_face_generator tasks/plugins/gac/pictures and commit";
  }
}

TEST(GazeFaces, GeneratorWithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_GAZE_FACE_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

// Dark pupil pixels, near black.
bool IsPupil(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 0x30 && ((pixel >> 8) & 0xFF) < 0x30 && (pixel & 0xFF) < 0x30;
}

// Every committed face decodes at its size; the pupils of each eye lie at
// the gaze's place and not at the other gazes' places; the four faces and
// the three gazes of a face all differ.
TEST(GazeFaces, CommittedFacesLookWhereTheirNamesSay) {
  for (const bool small : {false, true}) {
    const int divisor = small ? kGazeFaceSmallDivisor : 1;
    std::vector<std::vector<uint32_t>> seen;
    for (int face = 0; face < kGazeFaceCount; ++face) {
      for (int gaze = 0; gaze < kGazeCount; ++gaze) {
        const std::string name = GazeFaceFileName(face, gaze, small);
        SCOPED_TRACE(name);
        QelImage image;
        ASSERT_EQ(QelLoadImageFile((kCommitted / name).string(), image), QelImageStatus::kOk);
        EXPECT_EQ(image.Width(), kGazeFaceWidth / divisor);
        EXPECT_EQ(image.Height(), kGazeFaceHeight / divisor);
        EXPECT_EQ(image.Pixel(0, 0), 0u) << "the black of the run screen around the face";
        for (int eye = 0; eye < 2; ++eye) {
          for (int other = 0; other < kGazeCount; ++other) {
            double x = 0;
            double y = 0;
            GazePupilCentre(face, other, eye, &x, &y);
            const uint32_t pixel = image.Pixel(static_cast<int>(x / divisor), static_cast<int>(y / divisor));
            EXPECT_EQ(IsPupil(pixel), other == gaze) << "eye " << eye << " at the place of gaze " << other;
          }
        }
        std::vector<uint32_t> pixels;
        for (int yy = 0; yy < image.Height(); ++yy) {
          for (int xx = 0; xx < image.Width(); ++xx) pixels.push_back(image.Pixel(xx, yy));
        }
        for (const auto& earlier : seen) EXPECT_NE(earlier, pixels);
        seen.push_back(pixels);
      }
    }
  }
}

TEST(GazeFaces, NamesAndRangeChecks) {
  EXPECT_EQ(GazeFaceFileName(0, kGazeLeft, false), "gaze_m1_left.bmp");
  EXPECT_EQ(GazeFaceFileName(3, kGazeStraight, true), "gaze_w2_straight_small.bmp");
  EXPECT_THROW(GazeFaceFileName(4, 0, false), std::invalid_argument);
  EXPECT_THROW(RenderGazeFace(0, 3, false), std::invalid_argument);
}

}  // namespace

}  // namespace qel

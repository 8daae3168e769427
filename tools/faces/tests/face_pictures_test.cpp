// The face pictures: the generator writes exactly the committed files, and
// the committed pictures keep a person's head, hair and clothes the same in
// every expression while the brows, the eyes and the mouth tell the
// expressions apart; an averted gaze changes the eyes only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "tests/support/common/TempFolder.h"
#include "tools/faces/FaceDrawing.h"
#include "tools/faces/FaceModel.h"
#include "tools/faces/FaceSet.h"

namespace qel {

namespace {

namespace fs = std::filesystem;
using faces::Box;
using faces::FacePicture;
using faces::FaceSize;

const fs::path kCommitted = fs::path(QEL_SOURCE_DIR) / "tasks/layers/faces/pictures";

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> PngFiles(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".png") names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(FaceGenerator, ReproducesTheCommittedPicturesByteForByte) {
  qel::test::TempFolder out;
  ASSERT_FALSE(out.Path().empty());
  const std::string command = std::string("'") + QEL_FACE_GENERATOR + "' '" + out.Path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::set<std::string> generated = PngFiles(out.Path());
  EXPECT_EQ(generated.size(), faces::AllFacePictures().size());
  EXPECT_EQ(generated, PngFiles(kCommitted)) << "committed pictures and generator disagree on the file set";
  for (const std::string& name : generated) {
    SCOPED_TRACE(name);
    const auto fresh = ReadFile(out.Path() / name);
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == ReadFile(kCommitted / name))
        << "run tools/qel_face_generator tasks/layers/faces/pictures and commit";
  }
}

TEST(FaceGenerator, WithoutAFolderFails) {
  const std::string command = std::string("'") + QEL_FACE_GENERATOR + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

TEST(FaceGenerator, EveryFaceOnceWithItsName) {
  const std::vector<FacePicture> all = faces::AllFacePictures();
  // 4 persons x 9 emotions, and emotions 0..4 looking left and right, in two sizes.
  EXPECT_EQ(all.size(), 2u * (4 * 9 + 4 * 5 * 2));
  std::set<std::string> names;
  for (const FacePicture& face : all) EXPECT_TRUE(names.insert(faces::FaceFileName(face)).second);
  EXPECT_EQ(faces::FaceFileName({0, 3, 0, FaceSize::kLarge}), "m1_3_large.png");
  EXPECT_EQ(faces::FaceFileName({3, 4, 1, FaceSize::kSmall}), "w2_4_left_small.png");
  EXPECT_EQ(faces::FaceFileName({1, 0, 2, FaceSize::kLarge}), "m2_0_right_large.png");
}

// ---- The committed pictures ----------------------------------------------

QelImage Load(const FacePicture& face) {
  QelImage image;
  EXPECT_EQ(QelLoadImageFile((kCommitted / faces::FaceFileName(face)).string(), image), QelImageStatus::kOk)
      << faces::FaceFileName(face);
  return image;
}

// A box of the large picture at a size: the small picture's pixels that
// any pixel of the box went into.
Box AtSize(const Box& box, FaceSize size) {
  if (size == FaceSize::kLarge) return box;
  const int f = faces::kSmallFactor;
  return {box.left / f, box.top / f, (box.right + f - 1) / f, (box.bottom + f - 1) / f};
}

bool Inside(const Box& box, int x, int y) { return x >= box.left && x < box.right && y >= box.top && y < box.bottom; }

// Pixels that differ inside (or outside) a box.
int Differing(const QelImage& a, const QelImage& b, const Box& box, bool inside) {
  int count = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (Inside(box, x, y) == inside && (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF)) ++count;
    }
  }
  return count;
}

// The least number of pixels by which a region counts as changed: 1 % of
// the large brow box, 1/16 of that in the small picture.
int Least(FaceSize size) { return size == FaceSize::kLarge ? 36 : 3; }

TEST(FacePictures, DecodeAtTheirSizes) {
  for (const FacePicture& face : faces::AllFacePictures()) {
    SCOPED_TRACE(faces::FaceFileName(face));
    const QelImage image = Load(face);
    const bool large = face.size == FaceSize::kLarge;
    EXPECT_EQ(image.Width(), large ? faces::kLargeWidth : faces::kSmallWidth);
    EXPECT_EQ(image.Height(), large ? faces::kLargeHeight : faces::kSmallHeight);
  }
}

// Every two expressions of a person: the same outside the expression box,
// and apart in the brows, the eyes and the mouth together by a clear margin,
// in at least two of the three.
TEST(FacePictures, ExpressionsOfAPersonDifferOnlyInTheFace) {
  for (FaceSize size : {FaceSize::kLarge, FaceSize::kSmall}) {
    for (int person = 0; person < faces::kPersons; ++person) {
      std::vector<QelImage> emotions;
      for (int e = 0; e < faces::kEmotions; ++e) emotions.push_back(Load({person, e, 0, size}));
      for (int a = 0; a < faces::kEmotions; ++a) {
        for (int b = a + 1; b < faces::kEmotions; ++b) {
          SCOPED_TRACE(std::string(faces::PersonAt(person).code) + " " + faces::ExpressionOf(a).name + " / " +
                       faces::ExpressionOf(b).name + (size == FaceSize::kLarge ? " large" : " small"));
          const QelImage& x = emotions[a];
          const QelImage& y = emotions[b];
          EXPECT_EQ(Differing(x, y, AtSize(faces::kExpressionBox, size), false), 0) << "head, hair or clothes changed";
          int changed = 0;
          int total = 0;
          for (const Box& region : {faces::kBrowBox, faces::kEyeBox, faces::kMouthBox}) {
            const int n = Differing(x, y, AtSize(region, size), true);
            total += n;
            if (n >= Least(size)) ++changed;
          }
          EXPECT_GE(changed, 2) << "brows, eyes and mouth: " << total << " pixels";
          EXPECT_GE(total, 8 * Least(size));
        }
      }
    }
  }
}

// Looking left or right changes the eyes only, and clearly.
TEST(FacePictures, AnAvertedGazeChangesTheEyesOnly) {
  for (FaceSize size : {FaceSize::kLarge, FaceSize::kSmall}) {
    for (int person = 0; person < faces::kPersons; ++person) {
      for (int e = 0; e < faces::kAvertedEmotions; ++e) {
        const QelImage straight = Load({person, e, 0, size});
        const QelImage left = Load({person, e, 1, size});
        const QelImage right = Load({person, e, 2, size});
        SCOPED_TRACE(std::string(faces::PersonAt(person).code) + " " + faces::ExpressionOf(e).name);
        const Box eyes = AtSize(faces::kEyeBox, size);
        for (const QelImage* other : {&left, &right}) {
          EXPECT_EQ(Differing(straight, *other, eyes, false), 0);
          EXPECT_GE(Differing(straight, *other, eyes, true), 2 * Least(size));
        }
        EXPECT_GE(Differing(left, right, eyes, true), 2 * Least(size));
      }
    }
  }
}

// The persons are told apart by their heads and hair: outside the
// expression box a quarter of the picture differs between any two.
TEST(FacePictures, PersonsDifferInHeadAndHair) {
  for (FaceSize size : {FaceSize::kLarge, FaceSize::kSmall}) {
    std::vector<QelImage> persons;
    for (int person = 0; person < faces::kPersons; ++person) persons.push_back(Load({person, 0, 0, size}));
    for (int a = 0; a < faces::kPersons; ++a) {
      for (int b = a + 1; b < faces::kPersons; ++b) {
        const int area = persons[a].Width() * persons[a].Height();
        EXPECT_GE(Differing(persons[a], persons[b], AtSize(faces::kExpressionBox, size), false), area / 4)
            << faces::PersonAt(a).code << " / " << faces::PersonAt(b).code;
      }
    }
  }
}

// ---- Shrinking -------------------------------------------------------------

TEST(ShrinkByAveraging, AveragesEachChannelOfABlockRounded) {
  // Two blocks of 2 x 2: red 0, 1, 1, 1 (mean 0.75 -> 1), green 10, 20, 30, 40 (25),
  // blue 255 four times; then black and white half and half (mean 127.5 -> 128).
  const std::vector<uint32_t> pixels = {0x000AFF, 0x0114FF, 0x000000, 0xFFFFFF,  //
                                        0x011EFF, 0x0128FF, 0xFFFFFF, 0x000000};
  const auto shrunk = faces::ShrinkByAveraging(pixels, 4, 2, 2);
  ASSERT_EQ(shrunk.size(), 2u);
  EXPECT_EQ(shrunk[0], 0x0119FFu);
  EXPECT_EQ(shrunk[1], 0x808080u);
}

TEST(ShrinkByAveraging, RefusesSizesThatDoNotDivide) {
  const std::vector<uint32_t> pixels(6, 0);
  EXPECT_THROW(faces::ShrinkByAveraging(pixels, 3, 2, 2), std::invalid_argument);
  EXPECT_THROW(faces::ShrinkByAveraging(pixels, 2, 2, 2), std::invalid_argument);  // 4 pixels named, 6 given
  EXPECT_THROW(faces::ShrinkByAveraging(pixels, 6, 1, 0), std::invalid_argument);
}

}  // namespace

}  // namespace qel

// The criterion picture painted into a bitmap: white ground, bars in
// COLORREF 0xFF0000 (blue), their shared stretch in 0xBF0000.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "tasks/plugins/tp/ui/CriterionPicture.h"

namespace qel {

namespace {

struct Rgb {
  unsigned char r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

const Rgb kWhite{255, 255, 255};
const Rgb kBar{0, 0, 0xFF};
const Rgb kShared{0, 0, 0xBF};

wxImage Paint(int criterion) {
  wxBitmap bitmap(90, 24, 24);
  {
    wxMemoryDC dc(bitmap);
    PaintCriterionPicture(dc, wxRect(0, 0, 90, 24), criterion);
  }
  return bitmap.ConvertToImage();
}

Rgb At(const wxImage& image, int x, int y) { return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }

int Count(const wxImage& image, const Rgb& colour) {
  int n = 0;
  for (int y = 0; y < image.GetHeight(); ++y)
    for (int x = 0; x < image.GetWidth(); ++x) n += At(image, x, y) == colour;
  return n;
}

// 24 rows: bars of 8 rows, the upper in rows 3-10, the lower in rows 13-20.
TEST(CriterionPicture, TwentyPercentOverlapsTenOfFiftyColumns) {
  const wxImage image = Paint(20);
  EXPECT_TRUE(At(image, 10, 5) == kBar);
  EXPECT_TRUE(At(image, 45, 5) == kShared);
  EXPECT_TRUE(At(image, 60, 5) == kWhite);
  EXPECT_TRUE(At(image, 10, 15) == kWhite);
  EXPECT_TRUE(At(image, 45, 15) == kShared);
  EXPECT_TRUE(At(image, 70, 15) == kBar);
  EXPECT_TRUE(At(image, 45, 12) == kWhite);
  EXPECT_TRUE(At(image, 45, 0) == kWhite);
  // Each bar: 50 x 8, of which 10 x 8 shared.
  EXPECT_EQ(Count(image, kShared), 2 * 10 * 8);
  EXPECT_EQ(Count(image, kBar), 2 * 40 * 8);
}

TEST(CriterionPicture, NoSharedStretchWithoutOverlap) {
  const wxImage image = Paint(0);
  EXPECT_EQ(Count(image, kShared), 0);
  EXPECT_EQ(Count(image, kBar), 2 * 45 * 8);
}

TEST(CriterionPicture, AHundredPercentIsOneBarOverTheOther) {
  const wxImage image = Paint(100);
  EXPECT_EQ(Count(image, kShared), 2 * 90 * 8);
  EXPECT_EQ(Count(image, kBar), 0);
}

}  // namespace

}  // namespace qel

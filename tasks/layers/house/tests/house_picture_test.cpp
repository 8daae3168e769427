// The house of the object tasks drawn into a display surface: its parts at
// their design places 1:1 and scaled, the animals 1:1 and stretched (also
// upside down) in the windows, and pictures that are missing or broken.
#include <gtest/gtest.h>

#include "display/RasterSurface.h"
#include "display/SurfaceDC.h"
#include "tasks/layers/house/HousePicture.h"

namespace qel {

namespace {

using qel::display::CRasterSurface;
using qel::display::CSurfaceDC;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGrey = 0x7F7F7F;
constexpr COLORREF kBackground = 0x804020;

struct Canvas {
  Canvas(int width, int height) : surface(CRasterSurface::Create(width, height, 0, 0)), dc(surface, 0) {
    surface->Fill(kBackground);
  }
  COLORREF At(int x, int y) const { return qel::display::ColorrefFromPixel(surface->PixelAt(x, y)); }
  std::shared_ptr<CRasterSurface> surface;
  CSurfaceDC dc;
};

// A design point and the colour of the house there.
struct Spot {
  int x, y;
  COLORREF colour;
  const char* what;
};

const Spot kSpots[] = {
    {320, 60, kRed, "roof"},
    {100, 450, kWhite, "wall"},
    {465, 60, kWhite, "chimney"},
    {250, 200, kGreen, "shutter"},
    {90, 350, kGreen, "shutter"},
    {265, 400, kGreen, "door frame"},
    {300, 200, kBlack, "upper window"},
    {150, 350, kBlack, "lower left window"},
    {480, 350, kBlack, "lower right window"},
    {320, 440, kBlack, "tall opening"},
    {20, 400, kBackground, "beside the house"},
    {320, 478, kBackground, "below the house"},
    {40, 300, kGrey, "left wall line"},
};

TEST(HousePicture, PartsAtTheirDesignPlaces) {
  Canvas canvas(640, 480);
  CHousePicture house;
  house.Draw(&canvas.dc, 320, 240);
  for (const Spot& s : kSpots) EXPECT_EQ(canvas.At(s.x, s.y), s.colour) << s.what << " at " << s.x << "," << s.y;
  // Window and shutter edges are inclusive: the upper window is 96 x 100.
  EXPECT_EQ(canvas.At(272, 150), kBlack);
  EXPECT_EQ(canvas.At(367, 249), kBlack);
  EXPECT_EQ(canvas.At(271, 200), kGreen);
  EXPECT_EQ(canvas.At(368, 200), kGreen);
}

TEST(HousePicture, ScaledAroundAnotherCentre) {
  // Half size: design point (x, y) at (160 + (x - 320) / 2, 120 + (y - 240) / 2).
  Canvas canvas(320, 240);
  CHousePicture house;
  house.SetPictureSize(240);
  house.DrawScaled(&canvas.dc, 160, 120);
  for (const Spot& s : kSpots) {
    if (s.colour == kGrey) continue;  // the outline is one pixel at this size
    const int x = 160 + (s.x - 320) / 2;
    const int y = 120 + (s.y - 240) / 2;
    EXPECT_EQ(canvas.At(x, y), s.colour) << s.what << " at " << x << "," << y;
  }
}

TEST(HousePicture, WindowRectangles) {
  const QelRect upper = CHousePicture::WindowRect(0);
  EXPECT_EQ(upper.left, 272);
  EXPECT_EQ(upper.top, 150);
  EXPECT_EQ(upper.right, 367);
  EXPECT_EQ(upper.bottom, 249);
  EXPECT_EQ(CHousePicture::WindowRect(3).bottom, 459);
  EXPECT_TRUE(CHousePicture::WindowRect(4).IsEmpty());
  EXPECT_TRUE(CHousePicture::WindowRect(-1).IsEmpty());
}

TEST(HousePicture, AnimalsOneToOneInTheirWindows) {
  CHousePicture house;
  ASSERT_TRUE(house.LoadPictures(&QelModuleResources()));
  Canvas canvas(800, 600);
  house.Draw(&canvas.dc, 400, 300);
  for (int w = 0; w < CHousePicture::kWindowCount; ++w) {
    ASSERT_TRUE(house.DrawAnimal(&canvas.dc, 400, 300, w, w + 1));
  }
  // The pictures' sky (0xE6F2FF as RGB) fills their corners.
  const COLORREF sky = 0xFFF2E6;
  for (int w = 0; w < CHousePicture::kWindowCount; ++w) {
    const QelRect r = CHousePicture::WindowRect(w);
    const int x = r.left + 80;
    const int y = r.top + 60;
    EXPECT_EQ(canvas.At(x, y), sky) << "window " << w << " top left";
    EXPECT_EQ(canvas.At(x + 95, y + 99), sky) << "window " << w << " bottom right of the picture";
  }
  // The tall opening keeps its lower part black below a 100-pixel picture.
  EXPECT_EQ(canvas.At(272 + 80 + 48, 310 + 60 + 120), kBlack);
  EXPECT_FALSE(house.DrawAnimal(&canvas.dc, 400, 300, 4, 1));
  EXPECT_FALSE(house.DrawAnimal(&canvas.dc, 400, 300, 0, 7));
  EXPECT_FALSE(house.DrawAnimal(&canvas.dc, 400, 300, 0, 0));
}

TEST(HousePicture, AnimalsStretchedAndUpsideDown) {
  CHousePicture house;
  ASSERT_TRUE(house.LoadPictures(&QelModuleResources()));
  Canvas upright(640, 480);
  ASSERT_TRUE(house.DrawAnimalScaled(&upright.dc, 320, 240, 0, 6, false));
  Canvas flipped(640, 480);
  ASSERT_TRUE(house.DrawAnimalScaled(&flipped.dc, 320, 240, 0, 6, true));
  // The upper window (272, 150)-(367, 249) holds the bird row for row upside down.
  int differ = 0;
  int wrong = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 96; ++x) {
      wrong += flipped.At(272 + x, 150 + y) != upright.At(272 + x, 249 - y);
      differ += upright.At(272 + x, 150 + y) != upright.At(272 + x, 249 - y);
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(differ, 100) << "the bird is not the same upside down";
  EXPECT_EQ(flipped.At(271, 200), kBackground) << "nothing outside the window";
  EXPECT_EQ(flipped.At(272, 250), kBackground);
  const COLORREF sky = 0xFFF2E6;

  // Stretched into the tall opening at double size.
  Canvas big(1280, 960);
  house.SetPictureSize(960);
  ASSERT_TRUE(house.DrawAnimalScaled(&big.dc, 640, 480, 3, 6, false));
  // Window 3 (272, 310)-(367, 459): from (544, 620), 192 x 300 pixels.
  EXPECT_EQ(big.At(544, 620), sky);
  EXPECT_EQ(big.At(544 + 191, 620 + 299), upright.At(272 + 95, 249));
  EXPECT_EQ(big.At(544 + 100, 620 + 150), upright.At(272 + 50, 150 + 50)) << "the middle of the bird";
  EXPECT_EQ(big.At(544 + 192, 620), kBackground);
  EXPECT_EQ(big.At(544, 620 + 300), kBackground);
}

TEST(HousePicture, MissingOrBrokenPicturesAreNotDrawn) {
  CHousePicture house;
  house.SetPictureId(2, 107);  // not a picture
  house.SetPictureId(3, 999);  // no such resource
  EXPECT_FALSE(house.LoadPictures(&QelModuleResources()));
  EXPECT_TRUE(house.HasPicture(1));
  EXPECT_FALSE(house.HasPicture(2));
  EXPECT_FALSE(house.HasPicture(3));
  EXPECT_EQ(house.GetPictureId(3), 999u);
  Canvas canvas(640, 480);
  EXPECT_FALSE(house.DrawAnimal(&canvas.dc, 320, 240, 0, 2));
  EXPECT_EQ(canvas.At(300, 200), kBackground);
  EXPECT_TRUE(house.DrawAnimal(&canvas.dc, 320, 240, 0, 1));
  EXPECT_FALSE(house.LoadPictures(nullptr));
  EXPECT_FALSE(house.HasPicture(1));
}

TEST(HousePicture, SquareOfTwoHPlusOnePixels) {
  Canvas canvas(100, 100);
  CHousePicture::FillSquare(&canvas.dc, 50, 40, 3, kRed);
  EXPECT_EQ(canvas.At(47, 37), kRed);
  EXPECT_EQ(canvas.At(53, 43), kRed);
  EXPECT_EQ(canvas.At(46, 40), kBackground);
  EXPECT_EQ(canvas.At(54, 40), kBackground);
  EXPECT_EQ(canvas.At(50, 44), kBackground);
}

}  // namespace

}  // namespace qel

// The drawing helpers' geometry, drawn into a real display surface and read
// back pixel by pixel.
#include <gtest/gtest.h>

#include "display/RasterSurface.h"
#include "display/SurfaceDC.h"
#include "engine/host/HostDrawing.h"

namespace qel {

namespace {

constexpr COLORREF kRed = QelRGB(255, 0, 0);
constexpr COLORREF kBlue = QelRGB(0, 0, 255);
constexpr COLORREF kGreen = QelRGB(0, 200, 0);
constexpr COLORREF kBack = QelRGB(0, 0, 0);

class HostDrawing : public testing::Test {
 protected:
  HostDrawing() : m_surface(display::CRasterSurface::Create(100, 80, 0, 0)), m_dc(m_surface, 0) {}

  COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
  // Whether the colour is in the 3 x 3 pixels around (x, y).
  bool Near(int x, int y, COLORREF c) const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (At(x + dx, y + dy) == c) return true;
    return false;
  }
  int Count(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) n += At(x, y) == c;
    return n;
  }

  display::SurfacePtr m_surface;
  display::CSurfaceDC m_dc;
};

TEST_F(HostDrawing, FillRectCoversExactlyItsArea) {
  HostFillRect(&m_dc, 10, 20, 5, 3, kRed);
  EXPECT_EQ(At(10, 20), kRed);
  EXPECT_EQ(At(14, 22), kRed);
  EXPECT_EQ(At(15, 20), kBack);
  EXPECT_EQ(At(10, 23), kBack);
  EXPECT_EQ(At(9, 20), kBack);
  EXPECT_EQ(Count(kRed), 15);
}

TEST_F(HostDrawing, FramedSquareHasItsPenOnTheEdgesAndItsBrushInside) {
  HostDrawFramedSquare(&m_dc, 50, 40, 5, kRed, kBlue);
  for (int i = -5; i <= 5; ++i) {
    EXPECT_EQ(At(45, 40 + i), kRed) << i;
    EXPECT_EQ(At(55, 40 + i), kRed) << i;
    EXPECT_EQ(At(50 + i, 35), kRed) << i;
    EXPECT_EQ(At(50 + i, 45), kRed) << i;
  }
  EXPECT_EQ(At(50, 40), kBlue);
  EXPECT_EQ(At(46, 36), kBlue);
  EXPECT_EQ(At(44, 40), kBack);
  EXPECT_EQ(At(56, 40), kBack);
  EXPECT_EQ(At(50, 46), kBack);
  EXPECT_EQ(Count(kRed) + Count(kBlue), 11 * 11);
}

TEST_F(HostDrawing, FillSquareIsTwoRadiiPlusOneWide) {
  HostFillSquare(&m_dc, 50, 40, 3, kGreen);
  EXPECT_EQ(At(47, 37), kGreen);
  EXPECT_EQ(At(53, 43), kGreen);
  EXPECT_EQ(At(46, 40), kBack);
  EXPECT_EQ(At(54, 40), kBack);
  EXPECT_EQ(Count(kGreen), 49);
}

struct CrossCase {
  int thickness;
  int half;  // h
};

class HostCross : public HostDrawing, public testing::WithParamInterface<CrossCase> {};

TEST_P(HostCross, BarsAreTwoHalvesPlusOneThick) {
  const int h = GetParam().half;
  HostDrawCross(&m_dc, 50, 40, 10, kRed, GetParam().thickness);
  // Vertical bar x - h .. x + h, y - 10 .. y + 10; horizontal bar the other way.
  EXPECT_EQ(At(50 - h, 30), kRed);
  EXPECT_EQ(At(50 + h, 50), kRed);
  EXPECT_EQ(At(50 - h - 1, 30), kBack);
  EXPECT_EQ(At(50 + h + 1, 30), kBack);
  EXPECT_EQ(At(50, 29), kBack);
  EXPECT_EQ(At(50, 51), kBack);
  EXPECT_EQ(At(40, 40 - h), kRed);
  EXPECT_EQ(At(60, 40 + h), kRed);
  EXPECT_EQ(At(39, 40), kBack);
  EXPECT_EQ(At(61, 40), kBack);
  EXPECT_EQ(At(40, 40 + h + 1), kBack);
  const int bar = (2 * h + 1) * 21;
  EXPECT_EQ(Count(kRed), 2 * bar - (2 * h + 1) * (2 * h + 1));
}

INSTANTIATE_TEST_SUITE_P(Thickness, HostCross,
                         testing::Values(CrossCase{0, 1}, CrossCase{1, 1}, CrossCase{3, 1}, CrossCase{4, 2},
                                         CrossCase{5, 2}));

TEST_F(HostDrawing, LineRunsFromItsStartToJustBeforeItsEnd) {
  HostDrawLine(&m_dc, 10, 10, 30, 10, kGreen, 1);
  EXPECT_EQ(At(10, 10), kGreen);
  EXPECT_EQ(At(29, 10), kGreen);
  EXPECT_EQ(At(30, 10), kBack);
  EXPECT_EQ(At(20, 9), kBack);
  EXPECT_EQ(At(20, 11), kBack);
  EXPECT_EQ(Count(kGreen), 20);
}

TEST_F(HostDrawing, WideLineIsWide) {
  HostDrawLine(&m_dc, 10, 40, 60, 40, kGreen, 5);
  EXPECT_EQ(At(30, 38), kGreen);
  EXPECT_EQ(At(30, 42), kGreen);
  EXPECT_EQ(At(30, 35), kBack);
  EXPECT_EQ(At(30, 45), kBack);
}

TEST_F(HostDrawing, ArcIsTheWholeOutlineOfTheEllipse) {
  HostDrawArc(&m_dc, 20, 20, 61, 41, kBlue, 1);
  EXPECT_TRUE(Near(40, 20, kBlue));  // top, where it starts and ends
  EXPECT_TRUE(Near(40, 40, kBlue));  // bottom
  EXPECT_TRUE(Near(20, 30, kBlue));  // left
  EXPECT_TRUE(Near(60, 30, kBlue));  // right
  EXPECT_TRUE(Near(26, 24, kBlue));  // between them
  EXPECT_TRUE(Near(54, 37, kBlue));
  EXPECT_EQ(At(40, 30), kBack);  // not filled
  EXPECT_EQ(At(19, 30), kBack);
  EXPECT_EQ(At(40, 18), kBack);
}

TEST_F(HostDrawing, FillEllipseFillsWithItsColourAndStaysInTheBox) {
  HostFillEllipse(&m_dc, 20, 20, 61, 41, kRed);
  EXPECT_EQ(At(40, 30), kRed);
  EXPECT_EQ(At(22, 30), kRed);
  EXPECT_EQ(At(40, 21), kRed);
  EXPECT_EQ(At(20, 20), kBack);
  EXPECT_EQ(At(60, 40), kBack);
  EXPECT_EQ(At(19, 30), kBack);
  EXPECT_EQ(At(61, 30), kBack);
  EXPECT_EQ(At(40, 41), kBack);
  // Only the colour: the outline is the fill's colour too.
  EXPECT_EQ(Count(kRed) + Count(kBack), 100 * 80);
}

TEST_F(HostDrawing, NothingWithoutAContext) {
  HostFillRect(nullptr, 0, 0, 10, 10, kRed);
  HostDrawFramedSquare(nullptr, 5, 5, 3, kRed, kBlue);
  HostFillSquare(nullptr, 5, 5, 3, kRed);
  HostDrawCross(nullptr, 5, 5, 3, kRed, 1);
  HostDrawLine(nullptr, 0, 0, 10, 10, kRed, 1);
  HostDrawArc(nullptr, 0, 0, 10, 10, kRed, 1);
  HostFillEllipse(nullptr, 0, 0, 10, 10, kRed);
  EXPECT_EQ(Count(kBack), 100 * 80);
}

}  // namespace

}  // namespace qel

// Drawing contexts on raster surfaces: pixels read back after each kind of
// drawing, with the GDI rules the plug-ins rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <limits>
#include <string>
#include <thread>

#include "display/RasterSurface.h"
#include "display/SurfaceDC.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

namespace display {
namespace {

constexpr COLORREF kRed = QelRGB(255, 0, 0);
constexpr COLORREF kGreen = QelRGB(0, 255, 0);
constexpr COLORREF kBlue = QelRGB(0, 0, 255);
constexpr COLORREF kWhite = QelRGB(255, 255, 255);

class SurfaceDCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_surface = CRasterSurface::Create(200, 120, 0, kCapsOffScreen);
    ASSERT_TRUE(m_surface);
    m_dc = std::make_unique<CSurfaceDC>(m_surface, 0);
  }
  uint32_t Px(int x, int y) const { return m_surface->PixelAt(x, y); }

  // Bounding box of the pixels that are not black.
  QelRect Ink() const {
    QelRect r{m_surface->Width(), m_surface->Height(), -1, -1};
    for (int y = 0; y < m_surface->Height(); ++y) {
      for (int x = 0; x < m_surface->Width(); ++x) {
        if (Px(x, y) != 0) {
          r.left = std::min(r.left, x);
          r.top = std::min(r.top, y);
          r.right = std::max(r.right, x + 1);
          r.bottom = std::max(r.bottom, y + 1);
        }
      }
    }
    return r;
  }

  SurfacePtr m_surface;
  std::unique_ptr<CSurfaceDC> m_dc;
};

TEST_F(SurfaceDCTest, ColourOrderOfColorrefAndPixels) {
  m_dc->FillSolidRect(0, 0, 1, 1, QelRGB(0x11, 0x22, 0x33));
  EXPECT_EQ(Px(0, 0), 0x112233u);  // the surface holds 0x00RRGGBB
  EXPECT_EQ(m_dc->GetPixel(0, 0), QelRGB(0x11, 0x22, 0x33));
  EXPECT_EQ(m_dc->GetPixel(-1, 0), 0xFFFFFFFFu);
  m_surface->Fill(kBlue);
  EXPECT_EQ(Px(199, 119), 0x0000FFu);
}

TEST_F(SurfaceDCTest, FillSolidRectCoversExactlyItsArea) {
  m_dc->FillSolidRect(2, 3, 4, 5, kRed);
  EXPECT_EQ(Px(2, 3), 0xFF0000u);
  EXPECT_EQ(Px(5, 7), 0xFF0000u);
  EXPECT_EQ(Px(6, 3), 0u);
  EXPECT_EQ(Px(2, 8), 0u);
  EXPECT_EQ(Px(1, 3), 0u);
  m_dc->FillSolidRect(190, 110, 50, 50, kGreen);  // clipped at the edges
  EXPECT_EQ(Px(199, 119), 0x00FF00u);
}

TEST_F(SurfaceDCTest, RectangleExcludesRightAndBottomAndOutlinesWithThePen) {
  m_dc->SetPen(kRed, 0);
  m_dc->SetBrush(kGreen);
  m_dc->Rectangle(10, 10, 20, 15);
  for (auto [x, y] : {std::pair{10, 10}, {19, 10}, {10, 14}, {19, 14}, {15, 10}})
    EXPECT_EQ(Px(x, y), 0xFF0000u) << x << "," << y;
  EXPECT_EQ(Px(11, 11), 0x00FF00u);
  EXPECT_EQ(Px(18, 13), 0x00FF00u);
  EXPECT_EQ(Px(20, 10), 0u);
  EXPECT_EQ(Px(10, 15), 0u);
}

TEST_F(SurfaceDCTest, NullPenMakesTheFilledRectangleOnePixelSmaller) {
  m_dc->SetNullPen();
  m_dc->SetBrush(kWhite);
  m_dc->Rectangle(10, 10, 20, 15);
  EXPECT_EQ(Px(10, 10), 0xFFFFFFu);
  EXPECT_EQ(Px(18, 13), 0xFFFFFFu);
  EXPECT_EQ(Px(19, 13), 0u);
  EXPECT_EQ(Px(18, 14), 0u);
}

TEST_F(SurfaceDCTest, NullBrushDrawsOnlyTheOutline) {
  m_dc->FillSolidRect(0, 0, 200, 120, kBlue);
  m_dc->SetPen(kWhite, 1);
  m_dc->SetNullBrush();
  m_dc->Rectangle(10, 10, 20, 20);
  EXPECT_EQ(Px(10, 15), 0xFFFFFFu);
  EXPECT_EQ(Px(15, 15), 0x0000FFu);
}

TEST_F(SurfaceDCTest, WidePenOutlinesAreCentredOnTheEdge) {
  m_dc->SetPen(kRed, 5);
  m_dc->SetNullBrush();
  m_dc->Rectangle(20, 20, 60, 60);
  EXPECT_EQ(Px(40, 18), 0xFF0000u);  // two pixels outside the edge row
  EXPECT_EQ(Px(40, 22), 0xFF0000u);
  EXPECT_EQ(Px(40, 25), 0u);
  EXPECT_EQ(Px(40, 40), 0u);
}

TEST_F(SurfaceDCTest, EllipseStaysInsideItsBox) {
  m_dc->SetPen(kRed, 1);
  m_dc->SetBrush(kGreen);
  m_dc->Ellipse(0, 0, 41, 21);
  EXPECT_EQ(Px(20, 10), 0x00FF00u);
  EXPECT_EQ(Px(0, 10), 0xFF0000u);   // leftmost point of the outline
  EXPECT_EQ(Px(40, 10), 0xFF0000u);  // rightmost point
  EXPECT_EQ(Px(20, 0), 0xFF0000u);
  EXPECT_EQ(Px(0, 0), 0u);
  EXPECT_EQ(Px(40, 20), 0u);
  EXPECT_EQ(Px(41, 10), 0u);
  EXPECT_EQ(Ink().right, 41);
  EXPECT_EQ(Ink().bottom, 21);
}

TEST_F(SurfaceDCTest, PolygonFillsItsInside) {
  m_dc->SetNullPen();
  m_dc->SetBrush(kWhite);
  const QelPoint tri[] = {{10, 10}, {50, 10}, {10, 50}};
  m_dc->Polygon(tri, 3);
  EXPECT_EQ(Px(15, 15), 0xFFFFFFu);
  EXPECT_EQ(Px(45, 45), 0u);
  EXPECT_EQ(Px(10, 10), 0xFFFFFFu);
  EXPECT_EQ(Px(50, 10), 0u);  // right edge excluded without a pen
}

TEST_F(SurfaceDCTest, LinesExcludeTheirLastPoint) {
  m_dc->SetPen(kWhite, 0);
  m_dc->MoveTo(5, 5);
  m_dc->LineTo(10, 5);
  for (int x = 5; x < 10; ++x) EXPECT_EQ(Px(x, 5), 0xFFFFFFu) << x;
  EXPECT_EQ(Px(10, 5), 0u);
  m_dc->LineTo(10, 9);  // continues from the current position
  EXPECT_EQ(Px(10, 5), 0xFFFFFFu);
  EXPECT_EQ(Px(10, 8), 0xFFFFFFu);
  EXPECT_EQ(Px(10, 9), 0u);
  const QelPoint diagonal[] = {{20, 20}, {25, 25}};
  m_dc->Polyline(diagonal, 2);
  EXPECT_EQ(Px(22, 22), 0xFFFFFFu);
  EXPECT_EQ(Px(25, 25), 0u);
}

TEST_F(SurfaceDCTest, WideLinesCoverThePenWidth) {
  m_dc->SetPen(kGreen, 5);
  m_dc->MoveTo(20, 50);
  m_dc->LineTo(80, 50);
  EXPECT_EQ(Px(50, 48), 0x00FF00u);
  EXPECT_EQ(Px(50, 52), 0x00FF00u);
  EXPECT_EQ(Px(50, 55), 0u);
}

TEST_F(SurfaceDCTest, ArcWithEqualEndsIsTheWholeEllipse) {
  m_dc->SetPen(kWhite, 1);
  m_dc->MoveTo(50, 10);
  m_dc->ArcTo(10, 10, 91, 91, 50, 10, 50, 10);
  EXPECT_EQ(Px(50, 10), 0xFFFFFFu);  // top
  EXPECT_EQ(Px(50, 90), 0xFFFFFFu);  // bottom
  EXPECT_EQ(Px(10, 50), 0xFFFFFFu);  // left
  EXPECT_EQ(Px(90, 50), 0xFFFFFFu);  // right
  EXPECT_EQ(Px(50, 50), 0u);
}

TEST_F(SurfaceDCTest, PieRunsCounterClockwiseFromStartToEnd) {
  m_dc->SetNullPen();
  m_dc->SetBrush(kRed);
  // From the right-hand radial to the top one: the upper right quarter.
  m_dc->Pie(0, 0, 101, 101, 100, 50, 50, 0);
  EXPECT_EQ(Px(70, 30), 0xFF0000u);
  EXPECT_EQ(Px(30, 30), 0u);
  EXPECT_EQ(Px(70, 70), 0u);
  EXPECT_EQ(Px(30, 70), 0u);
}

// Arcs and pies run counter-clockwise (on the screen) from the radial through
// the start point to the one through the end point, as GDI draws them.
struct ArcCase {
  const char* name;
  QelPoint start, end;
  const char* quarters;  // the quarters with ink: R upper right, L upper left, l lower left, r lower right
};

class ArcDirection : public SurfaceDCTest, public ::testing::WithParamInterface<ArcCase> {
 protected:
  // Which quarters of the box (0, 0, 101, 101) hold ink, away from the axes.
  std::string InkedQuarters() const {
    std::string found;
    const struct {
      char name;
      int x0, y0;
    } quarters[] = {{'R', 55, 0}, {'L', 0, 0}, {'l', 0, 55}, {'r', 55, 55}};
    for (const auto& q : quarters) {
      bool ink = false;
      for (int y = q.y0; y < q.y0 + 46; ++y)
        for (int x = q.x0; x < q.x0 + 46; ++x) ink |= Px(x, y) != 0;
      if (ink) found += q.name;
    }
    return found;
  }
};

TEST_P(ArcDirection, PieCoversTheQuartersBetweenTheRadials) {
  m_dc->SetNullPen();
  m_dc->SetBrush(kRed);
  const ArcCase& c = GetParam();
  m_dc->Pie(0, 0, 101, 101, c.start.x, c.start.y, c.end.x, c.end.y);
  EXPECT_EQ(InkedQuarters(), c.quarters);
}

TEST_P(ArcDirection, ArcAndArcToDrawTheSameCurve) {
  m_dc->SetPen(kWhite, 1);
  const ArcCase& c = GetParam();
  m_dc->Arc(0, 0, 101, 101, c.start.x, c.start.y, c.end.x, c.end.y);
  EXPECT_EQ(InkedQuarters(), c.quarters);
  m_surface->Fill(0);
  m_dc->MoveTo(c.start.x, c.start.y);
  m_dc->ArcTo(0, 0, 101, 101, c.start.x, c.start.y, c.end.x, c.end.y);
  EXPECT_EQ(InkedQuarters(), c.quarters);
}

INSTANTIATE_TEST_SUITE_P(Radials, ArcDirection,
                         ::testing::Values(ArcCase{"RightToTop", {100, 50}, {50, 0}, "R"},
                                           ArcCase{"TopToRight", {50, 0}, {100, 50}, "Llr"},
                                           ArcCase{"LeftToRight", {0, 50}, {100, 50}, "lr"},
                                           ArcCase{"RightToLeft", {100, 50}, {0, 50}, "RL"},
                                           ArcCase{"BottomToLeftFarOut", {50, 5000}, {-300, 50}, "RLr"},
                                           ArcCase{"SameRadialIsTheWholeEllipse", {90, 90}, {70, 70}, "RLlr"}),
                         [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

TEST_F(SurfaceDCTest, ArcToLeavesThePositionAtTheArcsEnd) {
  m_dc->SetPen(kWhite, 1);
  m_dc->MoveTo(150, 50);
  m_dc->ArcTo(0, 0, 101, 101, 100, 50, 50, 0);  // upper right quarter, ending at the top
  EXPECT_NE(Px(120, 50), 0u);                   // the line from the old position to the start
  m_surface->Fill(0);
  m_dc->LineTo(50, 30);
  EXPECT_NE(Px(50, 15), 0u);  // drawn down from the top of the arc
}

TEST_F(SurfaceDCTest, NullPenMakesTheEllipseOnePixelSmaller) {
  m_dc->SetNullPen();
  m_dc->SetBrush(kWhite);
  m_dc->Ellipse(0, 0, 41, 21);
  EXPECT_EQ(Ink().right, 40);
  EXPECT_EQ(Ink().bottom, 20);
}

TEST_F(SurfaceDCTest, TextAlignmentPlacesTheText) {
  m_dc->SetFont("DejaVu Sans", -20, kFwBold, false);
  m_dc->SetBkMode(kBkTransparent);
  m_dc->SetTextColor(kRed);
  m_dc->SetTextAlign(kTaLeft | kTaTop);
  m_dc->TextOut(10, 20, "HHH");
  QelRect ink = Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.left, 14);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.top, 30);
  int w = 0, h = 0;
  ASSERT_TRUE(m_dc->GetTextExtent("HHH", &w, &h));
  EXPECT_NEAR(ink.right, 10 + w, 4);
  EXPECT_GE(h, 20);
  EXPECT_LE(h, 32);
  bool exactRed = false;
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) exactRed |= Px(x, y) == 0xFF0000u;
  EXPECT_TRUE(exactRed);

  m_surface->Fill(0);
  m_dc->SetTextAlign(kTaCenter | kTaBaseline);
  m_dc->TextOut(100, 80, "HHH");
  ink = Ink();
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 3);
  EXPECT_NEAR(ink.bottom, 80, 1);  // "H" stands on the baseline

  m_surface->Fill(0);
  m_dc->SetTextAlign(kTaRight | kTaBottom);
  m_dc->TextOut(150, 100, "HHH");
  ink = Ink();
  EXPECT_LE(ink.right, 150);
  EXPECT_GE(ink.right, 146);
  EXPECT_LE(ink.bottom, 100);
}

TEST_F(SurfaceDCTest, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  m_dc->SetFont("DejaVu Sans", -16, kFwNormal, false);
  m_dc->SetBkMode(kBkOpaque);
  m_dc->SetBkColor(kBlue);
  m_dc->SetTextColor(kWhite);
  m_dc->TextOut(30, 30, "x");
  EXPECT_EQ(Px(30, 30), 0x0000FFu);
  // A solid fill leaves its colour as the text background.
  m_dc->FillSolidRect(0, 0, 1, 1, kGreen);
  m_dc->TextOut(100, 30, "x");
  EXPECT_EQ(Px(100, 30), 0x00FF00u);
}

TEST_F(SurfaceDCTest, DrawTextCentresSingleLinesAndWrapsInsideTheRectangle) {
  m_dc->SetFont("DejaVu Sans", -16, kFwBold, false);
  m_dc->SetBkMode(kBkTransparent);
  m_dc->SetTextColor(kWhite);
  const QelRect box{20, 20, 180, 100};
  const int single = m_dc->DrawText("MMMM", box, kDtCenter | kDtVCenter | kDtSingleLine);
  QelRect ink = Ink();
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 3);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 60, 4);
  EXPECT_GT(single, 40);  // offset to the bottom of the text

  m_surface->Fill(0);
  const QelRect narrow{20, 20, 80, 110};
  const int lineHeight = m_dc->DrawText("MM", narrow, kDtLeft);
  m_surface->Fill(0);
  const int wrapped = m_dc->DrawText("MM MM MM MM MM MM MM MM MM MM MM MM", narrow, kDtWordBreak);
  EXPECT_GE(wrapped, 3 * lineHeight);
  ink = Ink();
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 80);
  EXPECT_LE(ink.bottom, 110);
}

// Single-line DrawText puts the text against the edges the format names.
struct DrawTextCase {
  const char* name;
  uint32_t format;
  char horizontal;  // 'l' left edge, 'c' centred, 'r' right edge
  char vertical;    // 't' top edge, 'c' centred, 'b' bottom edge
};

class DrawTextPlacement : public SurfaceDCTest, public ::testing::WithParamInterface<DrawTextCase> {};

TEST_P(DrawTextPlacement, FollowsTheFormat) {
  m_dc->SetFont("DejaVu Sans", -16, kFwNormal, false);
  m_dc->SetBkMode(kBkTransparent);
  m_dc->SetTextColor(kWhite);
  const QelRect box{20, 10, 180, 110};
  m_dc->DrawText("HHH", box, GetParam().format | kDtSingleLine);
  const QelRect ink = Ink();
  ASSERT_GT(ink.right, ink.left);
  switch (GetParam().horizontal) {
    case 'l':
      EXPECT_NEAR(ink.left, box.left, 3);
      break;
    case 'c':
      EXPECT_NEAR((ink.left + ink.right) / 2.0, (box.left + box.right) / 2.0, 3);
      break;
    case 'r':
      EXPECT_NEAR(ink.right, box.right, 3);
      break;
  }
  switch (GetParam().vertical) {
    case 't':
      EXPECT_NEAR(ink.top, box.top, 6);
      break;
    case 'c':
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (box.top + box.bottom) / 2.0, 4);
      break;
    case 'b':
      EXPECT_NEAR(ink.bottom, box.bottom, 6);
      break;
  }
  EXPECT_LE(ink.bottom, box.bottom);
  EXPECT_LE(ink.right, box.right);
}

INSTANTIATE_TEST_SUITE_P(Formats, DrawTextPlacement,
                         ::testing::Values(DrawTextCase{"TopLeft", kDtLeft, 'l', 't'},
                                           DrawTextCase{"TopRight", kDtRight, 'r', 't'},
                                           DrawTextCase{"Centred", kDtCenter | kDtVCenter, 'c', 'c'},
                                           DrawTextCase{"BottomLeft", kDtBottom, 'l', 'b'},
                                           DrawTextCase{"BottomRight", kDtRight | kDtBottom, 'r', 'b'}),
                         [](const ::testing::TestParamInfo<DrawTextCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(SurfaceDCTest, InvalidUtf8TextIsDrawnWithoutHarm) {
  m_dc->SetBkMode(kBkTransparent);
  m_dc->SetTextColor(kWhite);
  m_dc->TextOut(10, 10, "ab\xff\xfe");
  EXPECT_GE(Ink().right, 10);
}

QelBitmap Picture(std::vector<uint32_t>& pixels, int w, int h) {
  QelBitmap b;
  b.width = w;
  b.height = h;
  b.stride = w * 4;
  b.pixels = pixels.data();
  return b;
}

TEST_F(SurfaceDCTest, BitBltCopiesOrNegatesWithClipping) {
  std::vector<uint32_t> px = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  const QelBitmap pic = Picture(px, 2, 2);
  EXPECT_TRUE(m_dc->BitBlt(5, 5, 2, 2, pic, 0, 0, kRopSrcCopy));
  EXPECT_EQ(Px(5, 5), 0x112233u);
  EXPECT_EQ(Px(6, 6), 0xAABBCCu);
  EXPECT_TRUE(m_dc->BitBlt(10, 5, 2, 2, pic, 0, 0, kRopNotSrcCopy));
  EXPECT_EQ(Px(10, 5), 0xEEDDCCu);
  EXPECT_TRUE(m_dc->BitBlt(-1, 0, 2, 2, pic, 0, 0, kRopSrcCopy));  // left column clipped away
  EXPECT_EQ(Px(0, 0), 0x445566u);
  EXPECT_TRUE(m_dc->BitBlt(199, 119, 5, 5, pic, 0, 0, kRopSrcCopy));
  EXPECT_EQ(Px(199, 119), 0x112233u);
  EXPECT_FALSE(m_dc->BitBlt(0, 0, 2, 2, pic, 0, 0, 0x00EE0086));  // other raster operations
  EXPECT_FALSE(m_dc->BitBlt(0, 0, 2, 2, QelBitmap{}, 0, 0, kRopSrcCopy));
}

TEST_F(SurfaceDCTest, StretchBltScalesAndMirrors) {
  std::vector<uint32_t> px = {0x110000, 0x220000, 0x330000, 0x440000};
  const QelBitmap pic = Picture(px, 2, 2);
  EXPECT_TRUE(m_dc->StretchBlt(0, 0, 4, 4, pic, 0, 0, 2, 2, kRopSrcCopy));
  EXPECT_EQ(Px(0, 0), 0x110000u);
  EXPECT_EQ(Px(1, 1), 0x110000u);
  EXPECT_EQ(Px(2, 1), 0x220000u);
  EXPECT_EQ(Px(3, 3), 0x440000u);
  EXPECT_TRUE(m_dc->StretchBlt(10, 14, 4, -4, pic, 0, 0, 2, 2, kRopSrcCopy));  // upside down
  EXPECT_EQ(Px(10, 10), 0x330000u);
  EXPECT_EQ(Px(13, 13), 0x220000u);
  EXPECT_TRUE(m_dc->StretchBlt(20, 0, 1, 1, pic, 0, 0, 2, 2, kRopNotSrcCopy));
  EXPECT_EQ(Px(20, 0) & 0xFF0000u, 0xBB0000u);
  EXPECT_FALSE(m_dc->StretchBlt(0, 0, 4, 4, pic, 0, 0, 0, 2, kRopSrcCopy));
}

// Coordinates far outside the surface (a plug-in's uninitialised value) are
// clipped: nothing overflows, nothing steps through millions of hidden
// pixels, and what does reach the surface is drawn.
struct ExtremeCase {
  const char* name;
  std::function<void(CDC&, const QelBitmap&)> draw;
  std::vector<std::pair<int, int>> lit;  // pixels that must be drawn
  bool anyInk;                           // whether anything may be drawn at all
};

class ExtremeCoordinates : public SurfaceDCTest, public ::testing::WithParamInterface<ExtremeCase> {};

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

TEST_P(ExtremeCoordinates, AreClippedWithoutHarm) {
  std::vector<uint32_t> px(4, 0xFFFFFF);
  QelBitmap pic;
  pic.width = 2;
  pic.height = 2;
  pic.stride = 8;
  pic.pixels = px.data();
  m_dc->SetPen(kWhite, 1);
  m_dc->SetBrush(kWhite);
  m_dc->SetTextColor(kWhite);
  GetParam().draw(*m_dc, pic);
  for (auto [x, y] : GetParam().lit) {
    EXPECT_NE(Px(x, y), 0u) << x << "," << y;
  }
  if (!GetParam().anyInk) {
    EXPECT_EQ(Ink().right, -1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtremeCoordinates,
    ::testing::Values(
        ExtremeCase{"HorizontalLineAcrossEverything",
                    [](CDC& dc, const QelBitmap&) {
                      dc.MoveTo(-(1 << 30), 5);
                      dc.LineTo(1 << 30, 5);
                    },
                    {{0, 5}, {100, 5}, {199, 5}},
                    true},
        ExtremeCase{"DiagonalFromCornerToCorner",
                    [](CDC& dc, const QelBitmap&) {
                      dc.MoveTo(kMin, kMin);
                      dc.LineTo(kMax, kMax);
                    },
                    {{0, 0}, {60, 60}, {119, 119}},
                    true},
        ExtremeCase{"LineEndingInside",
                    [](CDC& dc, const QelBitmap&) {
                      dc.MoveTo(kMin, 7);
                      dc.LineTo(50, 7);
                    },
                    {{0, 7}, {49, 7}},
                    true},
        ExtremeCase{"LineFarAway",
                    [](CDC& dc, const QelBitmap&) {
                      dc.MoveTo(kMin, kMin);
                      dc.LineTo(kMin + 5, kMax);
                    },
                    {},
                    false},
        ExtremeCase{"PolylineThroughTheSurface",
                    [](CDC& dc, const QelBitmap&) {
                      const QelPoint p[] = {{kMin, 10}, {kMax, 10}, {kMax, kMin}};
                      dc.Polyline(p, 3);
                    },
                    {{0, 10}, {199, 10}},
                    true},
        ExtremeCase{"FillPastTheLargestCoordinate",
                    [](CDC& dc, const QelBitmap&) { dc.FillSolidRect(kMax - 5, 0, 100, 10, kWhite); },
                    {},
                    false},
        ExtremeCase{"FillFromTheSmallestCoordinate",
                    [](CDC& dc, const QelBitmap&) { dc.FillSolidRect(kMin, 0, kMax, 10, kWhite); },
                    {},
                    false},
        ExtremeCase{"FillCoveringEverything",
                    [](CDC& dc, const QelBitmap&) { dc.FillSolidRect(-(1 << 30), -(1 << 30), kMax, kMax, kWhite); },
                    {{0, 0}, {199, 119}},
                    true},
        ExtremeCase{"RectangleCoveringEverything",
                    [](CDC& dc, const QelBitmap&) { dc.Rectangle(kMin, kMin, kMax, kMax); },
                    {{0, 0}, {199, 119}},
                    true},
        ExtremeCase{"EllipseCoveringEverything",
                    [](CDC& dc, const QelBitmap&) { dc.Ellipse(kMin, kMin, kMax, kMax); },
                    {{0, 0}, {199, 119}},
                    true},
        ExtremeCase{"ArcAndPieOverTheWholeRange",
                    [](CDC& dc, const QelBitmap&) {
                      dc.Arc(kMin, kMin, kMax, kMax, kMax, 0, 0, kMin);
                      dc.ArcTo(kMin, kMin, kMax, kMax, kMax, 0, 0, kMin);
                      dc.Pie(kMin, kMin, kMax, kMax, kMax, 0, 0, kMin);
                    },
                    {},
                    true},
        ExtremeCase{"TextAtTheEdgesOfTheRange",
                    [](CDC& dc, const QelBitmap&) {
                      dc.SetFont("DejaVu Sans", kMin, kFwBold, false);
                      dc.TextOut(kMin, kMin, "far");
                      dc.SetFont("DejaVu Sans", kMax, kMax, true);
                      dc.SetTextAlign(kTaRight | kTaBottom);
                      dc.TextOut(kMin, kMax, "far");
                      dc.DrawText("far", QelRect{kMin, kMin, kMax, kMax}, kDtCenter | kDtVCenter | kDtSingleLine);
                      dc.DrawText("far far", QelRect{kMax, kMax, kMin, kMin}, kDtWordBreak | kDtRight);
                    },
                    {},
                    true},
        ExtremeCase{"BlitsFromFarAway",
                    [](CDC& dc, const QelBitmap& pic) {
                      dc.BitBlt(kMin, kMin, 10, 10, pic, 0, 0, kRopSrcCopy);
                      dc.BitBlt(0, 0, 2, 2, pic, kMin, kMin, kRopSrcCopy);
                      dc.BitBlt(kMax - 1, 0, kMax, 2, pic, 0, 0, kRopSrcCopy);
                      dc.StretchBlt(kMin, kMin, -5, -5, pic, 0, 0, 2, 2, kRopSrcCopy);
                      dc.StretchBlt(kMax, 0, kMin, 10, pic, kMin, 0, kMax, 2, kRopSrcCopy);
                    },
                    {},
                    true},
        ExtremeCase{"StretchOverEverything",
                    [](CDC& dc, const QelBitmap& pic) {
                      dc.StretchBlt(-(1 << 30), -(1 << 30), kMax, kMax, pic, 0, 0, 2, 2, kRopSrcCopy);
                    },
                    {{0, 0}, {199, 119}},
                    true}),
    [](const ::testing::TestParamInfo<ExtremeCase>& info) { return std::string(info.param.name); });

TEST(RasterSurface, CopiesWholeSurfacesAndRefusesBadSizes) {
  auto a = CRasterSurface::Create(4, 4, 0, 0);
  auto b = CRasterSurface::Create(4, 4, 0, 0);
  auto big = CRasterSurface::Create(8, 8, 0, 0);
  a->Fill(kGreen);
  b->CopyFrom(*a);
  EXPECT_EQ(b->PixelAt(3, 3), 0x00FF00u);
  big->CopyFrom(*a);  // stretched over the whole target
  EXPECT_EQ(big->PixelAt(7, 7), 0x00FF00u);
  int error = 0;
  EXPECT_EQ(CRasterSurface::Create(0, 10, 0, 0, &error), nullptr);
  EXPECT_NE(error, 0);
  EXPECT_EQ(CRasterSurface::Create(100000, 10, 0, 0, &error), nullptr);
  EXPECT_EQ(CRasterSurface::Create(kMaxSurfaceSide, kMaxSurfaceSide, 0, 0, &error), nullptr);  // 1 GB
  EXPECT_EQ(error, EINVAL);
  EXPECT_NE(CRasterSurface::Create(7680, 4320, 0, 0), nullptr);  // an 8K display
}

TEST(SurfaceDC, DrawsFromAWorkerThread) {
  auto s = CRasterSurface::Create(100, 50, 0, 0);
  std::thread worker([s] {
    CSurfaceDC dc(s, kSurfaceBack);
    dc.FillSolidRect(0, 0, 10, 10, kRed);
    dc.SetBkMode(kBkTransparent);
    dc.SetTextColor(kWhite);
    dc.TextOut(20, 10, "Worker");
  });
  worker.join();
  EXPECT_EQ(s->PixelAt(5, 5), 0xFF0000u);
  int lit = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 20; x < 100; ++x) lit += s->PixelAt(x, y) != 0;
  EXPECT_GT(lit, 20);
}

}  // namespace
}  // namespace display

}  // namespace qel

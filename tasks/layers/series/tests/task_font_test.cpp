// Point sizes to pixel heights, and selecting a task font into a context.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tasks/layers/series/TaskFont.h"

namespace qel {

namespace {

// A context that only remembers the fonts selected into it.
class FontDC final : public CDC {
 public:
  struct Font {
    bool defaultFace;
    int height;
    int weight;
    bool italic;
  };
  int GetWidth() const override { return 10; }
  int GetHeight() const override { return 10; }
  void SetPen(COLORREF, int) override {}
  void SetNullPen() override {}
  void SetBrush(COLORREF) override {}
  void SetNullBrush() override {}
  void FillSolidRect(int, int, int, int, COLORREF) override {}
  void Rectangle(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void Polygon(const QelPoint*, int) override {}
  void Polyline(const QelPoint*, int) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Arc(int, int, int, int, int, int, int, int) override {}
  void ArcTo(int, int, int, int, int, int, int, int) override {}
  void Pie(int, int, int, int, int, int, int, int) override {}
  void SetPixel(int, int, COLORREF) override {}
  COLORREF GetPixel(int, int) const override { return 0; }
  void SetFont(const char* face, int height, int weight, bool italic) override {
    m_fonts.push_back({face == nullptr || *face == 0, height, weight, italic});
  }
  void SetTextColor(COLORREF) override {}
  void SetBkColor(COLORREF) override {}
  void SetBkMode(int) override {}
  void SetTextAlign(uint32_t) override {}
  void TextOut(int, int, const char*) override {}
  bool GetTextExtent(const char*, int*, int*) override { return false; }
  int DrawText(const char*, const QelRect&, uint32_t) override { return 0; }
  bool BitBlt(int, int, int, int, const QelBitmap&, int, int, uint32_t) override { return false; }
  bool StretchBlt(int, int, int, int, const QelBitmap&, int, int, int, int, uint32_t) override { return false; }

  std::vector<Font> m_fonts;
};

struct MulDivCase {
  int a, b, c, result;
};

class MulDivRule : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRule, RoundsHalfAwayFromZero) {
  const MulDivCase& m = GetParam();
  EXPECT_EQ(MulDiv(m.a, m.b, m.c), m.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivRule,
                         ::testing::Values(MulDivCase{12, 96, 72, 16}, MulDivCase{30, 96, 72, 40},
                                           MulDivCase{19, 96, 72, 25},                         // 25.33
                                           MulDivCase{7, 1, 2, 4},                             // 3.5 up
                                           MulDivCase{-7, 1, 2, -4},                           // -3.5 away from zero
                                           MulDivCase{7, 1, -2, -4}, MulDivCase{5, 3, 0, -1},  // no divisor
                                           MulDivCase{2000000000, 4, 2, -1}));                 // does not fit

TEST(TaskFont, HeightFromPointsAtNinetySixPixelsPerInch) {
  CTaskFont font;
  EXPECT_FALSE(font.IsCreated());
  font.CreateFromPoints(12, kFwNormal);
  EXPECT_TRUE(font.IsCreated());
  EXPECT_EQ(font.Height(), -16);
  EXPECT_EQ(font.Weight(), 400);
  font.Delete();
  EXPECT_FALSE(font.IsCreated());
}

TEST(TaskFont, SelectsOnlyWhenCreatedAndWithAContext) {
  FontDC dc;
  CTaskFont font;
  EXPECT_FALSE(font.Select(&dc));
  EXPECT_TRUE(dc.m_fonts.empty());
  font.CreateFromPoints(30, kFwNormal);
  EXPECT_FALSE(font.Select(nullptr));
  EXPECT_TRUE(font.Select(&dc));
  CTaskFont::Deselect(&dc);
  CTaskFont::Deselect(nullptr);
  ASSERT_EQ(dc.m_fonts.size(), 2u);
  // The character height of 30 points, in the display's default face.
  EXPECT_TRUE(dc.m_fonts[0].defaultFace);
  EXPECT_EQ(dc.m_fonts[0].height, -40);
  EXPECT_EQ(dc.m_fonts[0].weight, 400);
  EXPECT_FALSE(dc.m_fonts[0].italic);
  // Deselecting asks for the default font (height 0).
  EXPECT_EQ(dc.m_fonts[1].height, 0);
}

}  // namespace

}  // namespace qel

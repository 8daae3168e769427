#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "scores/ui/ScoreGraphsDraw.h"

namespace qel {
namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;

wxImage DrawBars(const std::vector<ZBarInput>& marked, const GraphHeaders* headers, int* result) {
  wxBitmap bitmap(kWidth, kHeight, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxRED_BRUSH);
    dc.Clear();
    *result = DrawZScoreBars(dc, wxRect(0, 0, kWidth, kHeight), marked, kHeight, headers);
  }
  return bitmap.ConvertToImage();
}

int CountColour(const wxImage& image, int row, unsigned char grey) {
  int n = 0;
  for (int x = 0; x < image.GetWidth(); ++x) {
    if (image.GetRed(x, row) == grey && image.GetGreen(x, row) == grey && image.GetBlue(x, row) == grey) ++n;
  }
  return n;
}

TEST(ScoreGraphsDraw, BarChartBitmapShowsItsBars) {
  const std::vector<ZBarInput> marked = {{"Slow", "%.2f", 2.5}, {"Fast", "%.2f", -1.5}, {"None", "%.2f", 9999.0}};
  int result = -1;
  const wxImage image = DrawBars(marked, nullptr, &result);
  EXPECT_EQ(result, 0);
  // The whole rectangle is painted (nothing of the red background is left).
  for (int y = 0; y < kHeight; y += 7) EXPECT_EQ(image.GetRed(kWidth / 2, y) == 255 && image.GetGreen(kWidth / 2, y) == 0, false) << y;
  // A black bar right of the centre in the first row, a light grey bar left of it in the second.
  const ZBarGeometry g = ComputeZBars(marked, kWidth, kHeight, 16, false, [](const std::string&) { return 0; });
  const int rowHeight = (g.y1 - g.y0) / 3;
  const int firstMiddle = g.y0 + rowHeight / 2;
  const int secondMiddle = g.y0 + rowHeight + rowHeight / 2;
  const int thirdMiddle = g.y0 + 2 * rowHeight + rowHeight / 2;
  EXPECT_GT(CountColour(image, firstMiddle, 0), kWidth / 6);
  EXPECT_GT(CountColour(image, secondMiddle, 191), kWidth / 10);
  EXPECT_EQ(CountColour(image, thirdMiddle, 191), 0);
  EXPECT_LT(CountColour(image, thirdMiddle, 0), kWidth / 20);  // no bar: only lines and text
}

TEST(ScoreGraphsDraw, HeadersReturnTheirRightEdge) {
  const GraphHeaders headers{"Testee:T1, Age:30.00", "Model:M, Task:TP, Ano:1, Tested:today"};
  int result = 0;
  DrawBars({{"A", "%.2f", 1.0}}, &headers, &result);
  EXPECT_GT(result, 100);
}

TEST(ScoreGraphsDraw, NormCurveDrawsCurvesAndTesteeLine) {
  NormCurveInput in;
  in.hasEntry = true;
  in.sourceName = "RTm";
  in.age = 40.0;
  in.value = 160.0;
  in.z = 1.0;
  in.nval = 140.0;
  in.nsd = 10.0;
  for (int i = 0; i < kNormSamples; ++i) {
    in.mean[static_cast<size_t>(i)] = 100.0 + i / 10.0;
    in.sd[static_cast<size_t>(i)] = 10.0;
  }
  wxBitmap bitmap(kWidth, kHeight, 24);
  {
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(DrawNormCurve(dc, wxRect(0, 0, kWidth, kHeight), in, {0, 80, 8}, kHeight, nullptr), 0);
    // Divisions of 0 draw nothing.
    EXPECT_EQ(DrawNormCurve(dc, wxRect(0, 0, 10, 10), in, {0, 80, 0}, kHeight, nullptr), 0);
  }
  const wxImage image = bitmap.ConvertToImage();
  int black = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = kWidth / 4; x < kWidth - 10; ++x)
      if (image.GetRed(x, y) < 64 && image.GetGreen(x, y) < 64 && image.GetBlue(x, y) < 64) ++black;
  EXPECT_GT(black, kWidth);  // frame, curves, lines and the dot
}

}  // namespace
}  // namespace qel

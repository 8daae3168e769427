#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "scores/ScoreGraphs.h"

namespace qel {
namespace {

constexpr int kCharWidth = 7;
const TextWidth kWidth = [](const std::string& s) { return static_cast<int>(s.size()) * kCharWidth; };

TEST(GraphFont, ScalesWithTheTargetAndNeverBelowFour) {
  EXPECT_EQ(GraphFontHeight(400, 400), 16);
  EXPECT_EQ(GraphFontHeight(800, 400), 32);
  EXPECT_EQ(GraphFontHeight(10, 400), 4);
  EXPECT_EQ(GraphFontHeight(300, 0), 16);  // no reference: no division by zero
}

TEST(ZBars, FillByZScore) {
  struct Case {
    double z;
    unsigned char grey;
  };
  const Case cases[] = {{-2.5, 255}, {-2.0, 255}, {-1.99, 191}, {-1.0, 191}, {-0.99, 127}, {0.0, 127},
                        {0.99, 127}, {1.0, 63},   {1.99, 63},   {2.0, 0},    {7.5, 0}};
  for (const Case& c : cases) {
    const GraphRgb fill = ZBarFill(c.z);
    EXPECT_EQ(fill, (GraphRgb{c.grey, c.grey, c.grey})) << c.z;
  }
}

TEST(ZBars, BarsOfATableOfZScores) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::vector<ZBarInput> marked = {{"AT", "%.2f", 3.0},  {"BT", "%.2f", 7.5},     {"CT", "%.2f", -3.0},
                                   {"DT", "%.2f", 0.001}, {"ET", "%.2f", 9999.0}, {"FT", "%.2f", -1.0},
                                   {"GT", "%.2f", -8.0},  {"HT", "%d", kNaN}};
  const int width = 706, height = 440, font = 16;
  const ZBarGeometry g = ComputeZBars(marked, width, height, font, false, kWidth);
  const int wV = kWidth(" -3.00");
  EXPECT_EQ(g.x0, 2 * kCharWidth + 2);
  EXPECT_EQ(g.x1, width - (wV + 2));
  EXPECT_EQ(g.y0, 2);
  EXPECT_EQ(g.y1, height - 2 * font);
  const int half = std::abs((g.x1 - g.x0) / 2);
  ASSERT_EQ(g.rows.size(), marked.size());

  struct Want {
    bool bar;
    int length;
    bool thin;
    const char* value;
  };
  const Want want[] = {{true, half, false, "3.00"},      {true, half, false, "7.50"},
                       {true, 1 - half, false, "-3.00"}, {true, 0, true, "0.00"},
                       {false, 0, false, "-"},           {true, static_cast<int>(-1.0 * half / 3.0), false, "-1.00"},
                       {true, 1 - half, false, "-8.00"}, {false, 0, false, "-"}};
  for (size_t i = 0; i < marked.size(); ++i) {
    SCOPED_TRACE(marked[i].name);
    const ZBarRow& row = g.rows[i];
    EXPECT_EQ(row.hasBar, want[i].bar);
    EXPECT_EQ(row.valueText, want[i].value);
    if (!want[i].bar) continue;
    EXPECT_EQ(row.length, want[i].length);
    EXPECT_EQ(row.thin, want[i].thin);
  }
  // z = 3 reaches the right side of the frame (the box's right bound is exclusive).
  EXPECT_EQ(g.rows[0].left, g.xc);
  EXPECT_EQ(g.rows[0].right, g.xc + half + 1);
  // z = -3 ends one pixel short of the left side.
  EXPECT_EQ(g.rows[2].left, g.xc + 1 - half);
  EXPECT_EQ(g.rows[2].right, g.xc + 1);
  // The grid lines inside a bar are drawn again over it: -1 inside -1.0's bar? Not strictly.
  EXPECT_TRUE(g.rows[5].gridOverBar.empty() || g.rows[5].gridOverBar == std::vector<int>{g.xc - g.tick});
  EXPECT_EQ(g.rows[0].gridOverBar, (std::vector<int>{g.xc + g.tick, g.xc + 2 * g.tick}));
  // Rows share the chart's height and the last ends at the frame's bottom.
  EXPECT_EQ(g.rows.front().rowTop, g.y0);
  EXPECT_EQ(g.rows.back().rowBottom, g.y1);
  // Scale labels -3 .. 3 below the frame, one Z unit apart.
  EXPECT_EQ(g.scaleLabels[0].x, g.xc - 3 * g.tick);
  EXPECT_EQ(g.scaleLabels[6].x, g.xc + 3 * g.tick);
  EXPECT_EQ(g.scaleLabels[3].y, g.y1 + 1);
}

TEST(ZBars, MarkedCountsAndHeaders) {
  struct Case {
    const char* what;
    int marked;
    bool headers;
  };
  const Case cases[] = {{"none marked", 0, false}, {"one", 1, false}, {"seventy-five", 75, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ZBarInput> marked;
    for (int i = 0; i < c.marked; ++i) marked.push_back({"V" + std::to_string(i), "%.2f", 0.5});
    const ZBarGeometry g = ComputeZBars(marked, 600, 800, 10, c.headers, kWidth);
    EXPECT_EQ(static_cast<int>(g.rows.size()), c.marked);
    EXPECT_EQ(g.y0, c.headers ? 12 : 2);
    EXPECT_EQ(g.y1, 800 - (c.headers ? 30 : 20));
    int bottom = g.y0;
    for (const ZBarRow& row : g.rows) {
      EXPECT_EQ(row.rowTop, bottom);
      EXPECT_GT(row.rowBottom, row.rowTop);
      EXPECT_GE(row.textY, row.rowTop);
      bottom = row.rowBottom;
    }
    if (c.marked > 0) EXPECT_EQ(bottom, g.y1);
  }
}

// Norms: mean 100 + age, SD 10, at every age of the sampled span.
NormCurveInput FullNorms(double age, double value, double z) {
  NormCurveInput in;
  in.hasEntry = true;
  in.unit = "ms";
  in.sourceName = "RTm";
  in.sourceLabel = "Mean reaction time";
  in.age = age;
  in.value = value;
  in.z = z;
  for (int i = 0; i < kNormSamples; ++i) {
    in.mean[static_cast<size_t>(i)] = 100.0 + i / 10.0;
    in.sd[static_cast<size_t>(i)] = 10.0;
  }
  if (age > 0.0) {
    in.nval = 100.0 + age;
    in.nsd = 10.0;
  }
  return in;
}

std::vector<std::string> Labels(const NormCurveGeometry& g) {
  std::vector<std::string> out;
  for (const GraphText& t : g.ticks) out.push_back(t.text);
  return out;
}

TEST(NormCurve, AgeRangesTable) {
  struct Case {
    const char* what;
    NormAgeRange range;
    std::vector<std::string> labels;
    size_t grid;
    size_t points;
    double firstSampleAge;
  };
  const Case cases[] = {
      {"default 0-80", {0, 80, 8}, {"0", "10", "20", "30", "40", "50", "60", "70", "80"}, 7, 801, 0.0},
      {"children 4-10", {4, 10, 1}, {"4", "10"}, 0, 61, 4.0},
      {"20-50", {20, 50, 3}, {"20", "30", "40", "50"}, 2, 301, 20.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const NormCurveGeometry g = ComputeNormCurve(FullNorms(30.0, 140.0, 1.0), c.range, 900, 500, 16, false, kWidth);
    EXPECT_EQ(Labels(g), c.labels);
    EXPECT_EQ(g.grid.size(), c.grid);
    EXPECT_EQ(g.samplesCounted, 801);
    ASSERT_EQ(g.meanCurve.size(), c.points);
    EXPECT_EQ(g.lowCurve.size(), c.points);
    EXPECT_EQ(g.meanCurve.front().x, g.x0);
    EXPECT_EQ(g.meanCurve.back().x, g.x1);
    // The first point is the mean at the first sampled age.
    const double first = 100.0 + c.firstSampleAge;
    EXPECT_EQ(g.meanCurve.front().y, g.y1 - static_cast<int>((g.y1 - g.y0) * (first - g.min) / (g.max - g.min)));
  }
}

TEST(NormCurve, TesteeAtTheEndsOfTheRange) {
  struct Case {
    const char* what;
    double age;
    bool line;
  };
  const Case cases[] = {{"youngest", 0.1, true}, {"oldest", 80.0, true}, {"beyond", 85.0, false}, {"none", 0.0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const NormCurveGeometry g = ComputeNormCurve(FullNorms(c.age, 150.0, 0.5), {0, 80, 8}, 900, 500, 16, false, kWidth);
    EXPECT_EQ(g.testeeX.has_value(), c.line);
    EXPECT_EQ(g.normY.has_value(), c.line);
    EXPECT_EQ(g.dot.has_value(), c.line);
    EXPECT_EQ(g.nvalText.has_value(), c.age > 0.0);
    ASSERT_TRUE(g.tvalText.has_value());  // value and Z are given
    if (c.age == 80.0) EXPECT_EQ(*g.testeeX, g.x1);
  }
}

TEST(NormCurve, UnadjustedZAndMissingNorms) {
  struct Case {
    const char* what;
    bool sdFloor, reversed;
    double nval, nsd;
    const char* tval;
    const char* nvalText;
    const char* nsdText;
  };
  const Case cases[] = {
      {"SD floor", true, false, 10.0, 0.5, "Tval = 11.00, Z = 1.00, Z(unadj.) = 2.00", "Nval = 10.00", ", Nsd = 0.50"},
      {"reversed", true, true, 10.0, 0.5, "Tval = 11.00, Z = 1.00, Z(unadj.) = -2.00", "Nval = 10.00", ", Nsd = 0.50"},
      {"no floor", false, false, 10.0, 0.5, "Tval = 11.00, Z = 1.00", "Nval = 10.00", ", Nsd = 0.50"},
      {"SD of 0", true, false, 10.0, 0.0, "Tval = 11.00, Z = 1.00", "Nval = 10.00", ", Nsd = 0.00"},
      {"no norm at the age", true, false, 9999.0, 9999.0, "Tval = 11.00, Z = 1.00", "Nval = -", ", Nsd = -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NormCurveInput in;  // no samples at all
    in.hasEntry = true;
    in.usesSdFloor = c.sdFloor;
    in.reversed = c.reversed;
    in.age = 30.0;
    in.value = 11.0;
    in.z = 1.0;
    in.nval = c.nval;
    in.nsd = c.nsd;
    const NormCurveGeometry g = ComputeNormCurve(in, {0, 80, 8}, 600, 400, 16, false, kWidth);
    ASSERT_TRUE(g.tvalText.has_value());
    EXPECT_EQ(g.tvalText->text, c.tval);
    ASSERT_TRUE(g.nvalText.has_value());
    EXPECT_EQ(g.nvalText->text, c.nvalText);
    EXPECT_EQ(*g.nsdText, c.nsdText);
    EXPECT_TRUE(g.meanCurve.empty());
    EXPECT_FALSE(g.maxValue.has_value());
    EXPECT_FALSE(g.dot.has_value());  // one value alone has no vertical scale
  }
}

TEST(NormCurve, NothingToScaleDividesByNothing) {
  NormCurveInput in;  // no entry, no value, no age
  const NormCurveGeometry g = ComputeNormCurve(in, {0, 80, 8}, 300, 200, 16, true, kWidth);
  EXPECT_EQ(g.samplesCounted, 0);
  EXPECT_FALSE(g.testeeX || g.normY || g.dot || g.tvalText || g.nvalText);
  EXPECT_EQ(g.y0, 2 * 16 + 2);
  EXPECT_EQ(g.y1, 200 - (2 * 16 + 2));
  EXPECT_EQ(Labels(g).size(), 9u);
}

TEST(NormAgeRange, FromAndToSteps) {
  struct Step {
    bool high;  // "To" else "From"
    int step;
    NormAgeRange after;
    bool changed;
  };
  NormAgeRange r;
  const Step steps[] = {
      {true, -1, {0, 80, 8}, false},  // "To" at 80 goes no higher
      {false, -1, {10, 80, 7}, true}, {true, 1, {10, 70, 6}, true},  {true, 1, {10, 60, 5}, true},
      {true, 1, {10, 50, 4}, true},   {true, 1, {10, 40, 3}, true},  {true, 1, {10, 30, 2}, true},
      {true, 1, {10, 20, 1}, true},   {true, 1, {10, 20, 1}, false},  // "To" stays 10 years above "From"
      {false, 1, {0, 20, 2}, true},   {true, 1, {4, 10, 1}, true},    // down to 10: the curve runs from 4
      {false, -1, {4, 10, 1}, false}, {true, -1, {0, 20, 2}, true},   // up again: 4 becomes 0
      {false, -1, {10, 20, 1}, true}, {false, -1, {10, 20, 1}, false},
  };
  for (const Step& s : steps) {
    const bool changed = s.high ? StepNormAgeHigh(r, s.step) : StepNormAgeLow(r, s.step);
    EXPECT_EQ(changed, s.changed);
    EXPECT_EQ(r.low, s.after.low);
    EXPECT_EQ(r.high, s.after.high);
    EXPECT_EQ(r.divisions, s.after.divisions);
  }
  NormGraphAgeRange() = r;
  ResetNormGraphAgeRange();
  EXPECT_EQ(NormGraphAgeRange().low, 0);
  EXPECT_EQ(NormGraphAgeRange().high, 80);
  EXPECT_EQ(NormGraphAgeRange().divisions, 8);
}

}  // namespace
}  // namespace qel

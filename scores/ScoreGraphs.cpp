#include "scores/ScoreGraphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/model/ExpModelTask.h"
#include "scores/ValueFormat.h"

namespace qel {

namespace {

constexpr int kReferenceFontHeight = 16;
constexpr int kMinFontHeight = 4;
constexpr double kZScaleEnd = 3.0;  // the chart runs from -3 to +3
constexpr int kZUnits = 6;
constexpr int kThinBar = 2;
constexpr int kNormKindMean = 1;
constexpr int kNormKindSd = 2;
constexpr int kSamplesPerYear = 10;
constexpr double kValueMinStart = 10000.0;

std::string Printf2(double v) { return FormatValue(v, kDefaultValueFormat); }

}  // namespace

int GraphFontHeight(int drawHeight, int referenceHeight) {
  if (referenceHeight <= 0) return kReferenceFontHeight;
  return std::max(kMinFontHeight, drawHeight * kReferenceFontHeight / referenceHeight);
}

GraphRgb ZBarFill(double z) {
  if (z <= -2.0) return {255, 255, 255};
  if (z <= -1.0) return {191, 191, 191};
  if (z < 1.0) return {127, 127, 127};
  if (z < 2.0) return {63, 63, 63};
  return {0, 0, 0};
}

ZBarGeometry ComputeZBars(const std::vector<ZBarInput>& marked, int width, int height, int fontHeight,
                          bool headerLines, const TextWidth& textWidth) {
  ZBarGeometry g;
  const int h = fontHeight;
  g.fontHeight = h;
  int wN = 0;
  int wV = 0;
  std::vector<std::string> values;
  for (const ZBarInput& m : marked) {
    const bool has = HasValue(m.z) && std::isfinite(m.z);
    values.push_back(has ? FormatValue(m.z, m.format) : std::string("-"));
    wN = std::max(wN, textWidth(m.name));
    wV = std::max(wV, textWidth(" " + values.back()));
  }
  g.valueWidth = wV;
  g.x0 = wN + 2;
  g.x1 = width - (wV + 2);
  g.y0 = headerLines ? h + 2 : 2;
  g.y1 = height - (headerLines ? 3 * h : 2 * h);
  g.xc = (g.x0 + g.x1) / 2;
  g.tick = std::abs(g.x1 - g.x0) / kZUnits;
  const int chartHeight = std::abs(g.y1 - g.y0);
  const int n = static_cast<int>(marked.size());
  g.grid = {g.xc, g.xc - 2 * g.tick, g.xc - g.tick, g.xc + g.tick, g.xc + 2 * g.tick};
  const int inset = n > 0 ? std::max(0, (chartHeight / n - h) / 2) : 0;
  const int half = std::abs((g.x1 - g.x0) / 2);
  for (int r = 0; r < n; ++r) {
    const ZBarInput& m = marked[static_cast<size_t>(r)];
    ZBarRow row;
    row.name = m.name;
    row.valueText = values[static_cast<size_t>(r)];
    row.rowTop = g.y0 + r * chartHeight / n;
    row.rowBottom = g.y0 + (r + 1) * chartHeight / n;
    row.textY = row.rowTop + inset;
    if (HasValue(m.z) && std::isfinite(m.z) && half > 0) {
      row.hasBar = true;
      const double scaled = m.z * half / kZScaleEnd;
      const double limited = std::clamp(scaled, static_cast<double>(1 - half), static_cast<double>(half));
      row.length = static_cast<int>(limited);  // truncated toward zero
      row.fill = ZBarFill(m.z);
      row.thin = std::abs(row.length) <= kThinBar;
      if (row.length > 0) {
        row.left = g.xc;
        row.right = g.xc + row.length + 1;
      } else {
        row.left = g.xc + row.length;
        row.right = g.xc + 1;
      }
      const int lo = std::min(g.xc, g.xc + row.length);
      const int hi = std::max(g.xc, g.xc + row.length);
      for (int k : {-2, -1, 1, 2}) {
        const int x = g.xc + k * g.tick;
        if (x > lo && x < hi) row.gridOverBar.push_back(x);
      }
    }
    g.rows.push_back(row);
  }
  for (int k = -3; k <= 3; ++k) g.scaleLabels[static_cast<size_t>(k + 3)] = {g.xc + k * g.tick, g.y1 + 1};
  g.caption = {g.xc, g.y1 + 2 * h};
  g.headerLeft = g.x0;
  g.headerRight = g.x1;
  return g;
}

namespace {
NormAgeRange g_normAgeRange;
}

NormAgeRange& NormGraphAgeRange() { return g_normAgeRange; }
void ResetNormGraphAgeRange() { g_normAgeRange = NormAgeRange{}; }

bool StepNormAgeLow(NormAgeRange& range, int step) {
  if (step == -1 && range.low + kNormAgeStep < range.high) {
    range.low += kNormAgeStep;
    range.divisions -= 1;
    return true;
  }
  if (step == 1 && range.low >= kNormAgeStep) {
    range.low -= kNormAgeStep;
    range.divisions += 1;
    return true;
  }
  return false;
}

bool StepNormAgeHigh(NormAgeRange& range, int step) {
  bool changed = false;
  if (step == -1 && range.high < kNormAgeTop) {
    range.high += kNormAgeStep;
    range.divisions += 1;
    changed = true;
  } else if (step == 1 && range.high > range.low + kNormAgeStep) {
    range.high -= kNormAgeStep;
    range.divisions -= 1;
    changed = true;
  }
  if (!changed) return false;
  if (range.high <= kNormAgeStep) {
    range.low = kNormAgeChildLow;
  } else if (range.low == kNormAgeChildLow) {
    range.low = 0;
  }
  return true;
}

NormCurveInput ReadNormCurveInput(const CExpModelTask& task, int zIndex, double age, double value, double z) {
  NormCurveInput in;
  in.age = age;
  in.value = value;
  in.z = z;
  in.zFormat = UsableValueFormat(task.GetScoreVariableFormat(zIndex, false));
  int position = 0;
  const TaskNormVariable* entry = task.FindZVariable(zIndex, &position);
  if (entry) {
    in.hasEntry = true;
    in.unit = entry->unit ? entry->unit : "";
    in.reversed = (entry->flags & kNormReversed) != 0;
    double v = kNoValue;
    if (age > 0.0) {
      if (task.GetVariableValue(position, &v, 0.0, age, kNormKindMean, false)) in.nval = v;
      if (task.GetVariableValue(position, &v, 0.0, age, kNormKindSd, false)) in.nsd = v;
    }
    for (int i = 0; i < kNormSamples; ++i) {
      const double at = static_cast<double>(i) / kSamplesPerYear;
      if (task.GetVariableValue(position, &v, 0.0, at, kNormKindMean, false) && HasValue(v)) {
        in.mean[static_cast<size_t>(i)] = v;
        if (task.GetVariableValue(position, &v, 0.0, at, kNormKindSd, false) && HasValue(v)) {
          in.sd[static_cast<size_t>(i)] = v;
        }
      }
    }
  }
  const int source = task.GetZSourceIndex(zIndex);
  if (source >= 0 && source < task.GetScoreVariableCount()) {
    in.sourceName = task.GetScoreVariableName(source);
    in.sourceLabel = task.GetScoreVariableLabel(source);
    in.valueFormat = UsableValueFormat(task.GetScoreVariableFormat(source, true));
    in.usesSdFloor = task.UsesSdFloor(source);
  }
  return in;
}

NormCurveGeometry ComputeNormCurve(const NormCurveInput& in, const NormAgeRange& range, int width, int height,
                                   int fontHeight, bool headerLines, const TextWidth& textWidth) {
  NormCurveGeometry g;
  const int h = fontHeight;
  g.fontHeight = h;
  double lo = kValueMinStart;
  double hi = -kValueMinStart;
  if (HasValue(in.value)) lo = hi = in.value;
  int counted = 0;
  for (int i = 0; i < kNormSamples; ++i) {
    const double m = in.mean[static_cast<size_t>(i)];
    if (!HasValue(m)) continue;
    lo = std::min(lo, m);
    hi = std::max(hi, m);
    const double s = in.sd[static_cast<size_t>(i)];
    if (!HasValue(s)) continue;
    lo = std::min({lo, m - s, m + s});
    hi = std::max({hi, m - s, m + s});
    ++counted;
  }
  g.samplesCounted = counted;
  if (lo < 0.0) lo = 0.0;
  g.min = lo;
  g.max = hi;
  const double span = hi - lo;

  const int leftText = std::max({textWidth("Age"), textWidth(Printf2(hi)), textWidth(in.sourceName)});
  const int left = leftText + textWidth(" 00") + 2;
  const int top = headerLines ? 2 * h + 2 : h + 2;
  const int bottom = headerLines ? 2 * h + 2 : h;
  g.x0 = left;
  g.x1 = width - 2;
  g.y0 = top;
  g.y1 = height - bottom;
  const int w = g.x1 - g.x0;
  const int graphHeight = g.y1 - g.y0;
  // A value's height; with no spread of values every point lies mid-height.
  auto yOf = [&](double v) {
    if (!(span > 0.0)) return (g.y0 + g.y1) / 2;
    return g.y1 - static_cast<int>(graphHeight * (std::max(v, 0.0) - lo) / span);
  };
  auto yOfRaw = [&](double v) {
    if (!(span > 0.0)) return (g.y0 + g.y1) / 2;
    return g.y1 - static_cast<int>(graphHeight * (v - lo) / span);
  };

  const int n = std::max(1, range.divisions);
  for (int k = 0; k <= n; ++k) {
    const int x = g.x0 + w * k / n;
    if (k > 0 && k < n) g.grid.push_back(x);
    int label = range.high - (n - k) * kNormAgeStep;
    if (k == 0 && range.high <= kNormAgeStep) label = kNormAgeChildLow;
    g.ticks.push_back({std::to_string(label), {x, g.y1 + 1}});
  }

  const bool nvalPresent = HasValue(in.nval);
  const bool nsdPresent = HasValue(in.nsd);
  if (in.age > 0.0 && range.high > range.low) {
    const int x = g.x0 + static_cast<int>(w * (in.age - range.low) / (range.high - range.low));
    if (x >= g.x0 && x <= g.x1) {
      g.testeeX = x;
      if (nvalPresent) g.normY = yOfRaw(in.nval);
      if (HasValue(in.value) && span > 0.0) {
        const int yv = yOfRaw(in.value);
        if (yv >= g.y0 && yv <= g.y1) g.dot = GraphPoint{x, yv};
      }
    }
  }

  if (!in.unit.empty()) g.unit = GraphText{in.unit, {1, (g.y0 + g.y1) / 2}};
  g.ageCaption = {"Age ->", {1, g.y1 + 1}};
  g.maxCaption = {"max", {1, g.y0}};
  g.minCaption = {"min", {1, g.y1}};
  if (counted > 0) {
    g.maxValue = GraphText{Printf2(hi), {1, g.y0 + h}};
    g.minValue = GraphText{Printf2(lo), {1, g.y1 - h}};
    const int s = range.high <= kNormAgeStep ? kNormAgeChildLow * kSamplesPerYear : range.low * kSamplesPerYear;
    const int e = std::min(range.high * kSamplesPerYear, kNormSamples - 1);
    for (int idx = std::max(s, 0), j = 0; idx <= e; ++idx, ++j) {
      const int x = e > s ? w * j / (e - s) + g.x0 : g.x0;
      const double m = in.mean[static_cast<size_t>(idx)];
      if (!HasValue(m)) continue;
      g.meanCurve.push_back({x, yOf(m)});
      const double sd = in.sd[static_cast<size_t>(idx)];
      if (!HasValue(sd)) continue;
      g.lowCurve.push_back({x, yOf(m - sd)});
      g.highCurve.push_back({x, yOf(m + sd)});
    }
  }
  g.title = {in.sourceName, {1, g.y0 - 1}};
  g.label = {in.sourceLabel, {g.x1 - 1, g.y0 - 1}};
  if (in.age > 0.0) {
    g.nvalText = GraphText{"Nval = " + (nvalPresent ? FormatValue(in.nval, in.valueFormat) : std::string("-")),
                           {g.x0 + 1, g.y0 - 1}};
    g.nsdText = ", Nsd = " + (nsdPresent ? FormatValue(in.nsd, in.valueFormat) : std::string("-"));
  }
  if (HasValue(in.value) && HasValue(in.z)) {
    std::string text = "Tval = " + FormatValue(in.value, in.valueFormat) + ", Z = " + FormatValue(in.z, in.zFormat);
    // An SD of 0 gives no unadjusted Z (it would divide by zero).
    if (in.usesSdFloor && nvalPresent && nsdPresent && in.nsd != 0.0) {
      const double v = in.reversed ? -in.value : in.value;
      const double mean = in.reversed ? -in.nval : in.nval;
      text += ", Z(unadj.) = " + FormatValue((v - mean) / in.nsd, in.zFormat);
    }
    g.tvalText = GraphText{text, {g.x0 + 1, g.y0 + 1}};
  }
  g.headerLeft = g.x0;
  g.headerRight = g.x1;
  return g;
}

}  // namespace qel

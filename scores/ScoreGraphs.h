// The geometry of the score graphs, computed without a window: the Z-score
// bar chart and the norm curve over age. A drawing (scores/ui) places what
// these give into any device context, so a window, a printed page and a
// bitmap get the same picture. Coordinates count from the drawing
// rectangle's top-left corner (0, 0). Texts are measured by the caller's
// function (the device context's text width).
//
// No value (9999.0), no norm, an SD of 0, an empty chart or a degenerate
// age or value range never divide by zero: what cannot be placed is left
// out (no bar, no point, no line).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qel {

class CExpModelTask;

using TextWidth = std::function<int(const std::string&)>;

struct GraphPoint {
  int x = 0;
  int y = 0;
  bool operator==(const GraphPoint&) const = default;
};

struct GraphRgb {
  unsigned char r = 0, g = 0, b = 0;
  bool operator==(const GraphRgb&) const = default;
};

// Font height of a graph: drawing height x 16 / reference height, at least 4
// (16 without a reference height).
int GraphFontHeight(int drawHeight, int referenceHeight);

// ---- Z-score bar chart (scale -3 to +3, better on the left) ----

struct ZBarInput {
  std::string name;    // shown left of the chart
  std::string format;  // printf format of the Z-score
  double z = 9999.0;   // 9999.0: no Z-score
};

struct ZBarRow {
  std::string name;
  std::string valueText;  // "-" without a Z-score
  int rowTop = 0, rowBottom = 0, textY = 0;
  bool hasBar = false;
  bool thin = false;  // 2 pixels or less: two lines at xc and xc + length
  int length = 0;     // signed, pixels from the centre
  int left = 0, right = 0;  // the box, right and bottom exclusive (when not thin)
  GraphRgb fill;
  std::vector<int> gridOverBar;  // x of the dotted lines drawn again over the bar
};

struct ZBarGeometry {
  int fontHeight = 0;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // frame
  int xc = 0, tick = 0;
  std::vector<int> grid;  // dotted lines: centre, then -2, -1, 1, 2
  std::vector<ZBarRow> rows;
  std::array<GraphPoint, 7> scaleLabels{};  // -3 .. 3, right-aligned at each point
  GraphPoint caption;                       // centred, bottom-aligned
  int headerLeft = 0, headerRight = 0;      // what the header lines get
  int valueWidth = 0;                       // widest value text (wV)
};

// The fill of a bar of Z-score z: white at -2 and below, black at 2 and above.
GraphRgb ZBarFill(double z);

ZBarGeometry ComputeZBars(const std::vector<ZBarInput>& marked, int width, int height, int fontHeight,
                          bool headerLines, const TextWidth& textWidth);

inline constexpr const char* kZBarCaption = "better  <-- z-score -->  worse";

// ---- Norm curve over age ----

// The age axis: years; divisions of ten years counted back from the high end.
struct NormAgeRange {
  int low = 0;
  int high = 80;
  int divisions = 8;
};
inline constexpr int kNormAgeStep = 10;
inline constexpr int kNormAgeTop = 80;
inline constexpr int kNormAgeChildLow = 4;  // a range ending at 10 starts at 4

// The program-wide age range of the norm graph, shared by its callers.
NormAgeRange& NormGraphAgeRange();
void ResetNormGraphAgeRange();
// The "From" and "To" steps (-1 or +1, as the up-down controls report):
// true when the range changed.
bool StepNormAgeLow(NormAgeRange& range, int step);
bool StepNormAgeHigh(NormAgeRange& range, int step);

inline constexpr int kNormSamples = 801;  // ages 0.0 to 80.0 in tenths of a year

// What the curve of one Z variable is drawn from.
struct NormCurveInput {
  bool hasEntry = false;  // the variable has a norm entry
  std::string unit;       // "N", "ms", ...
  bool reversed = false;  // the Z sign is reversed
  bool usesSdFloor = false;
  std::string sourceName, sourceLabel;
  std::string valueFormat = "%.2f";  // of the source variable
  std::string zFormat = "%.2f";      // of the Z variable
  double age = 0.0;                  // 0: no testee
  double value = 9999.0;
  double z = 9999.0;
  double nval = 9999.0, nsd = 9999.0;  // at the testee's age
  std::array<double, kNormSamples> mean{}, sd{};  // 9999.0 where none
  NormCurveInput() {
    mean.fill(9999.0);
    sd.fill(9999.0);
  }
};

// Reads the norm entry, the samples and the testee's norm values from the
// task; value and z as given (9999.0 none).
NormCurveInput ReadNormCurveInput(const CExpModelTask& task, int zIndex, double age, double value, double z);

struct GraphText {
  std::string text;
  GraphPoint at;
  bool operator==(const GraphText&) const = default;
};

struct NormCurveGeometry {
  int fontHeight = 0;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<GraphText> ticks;  // labels right/top-aligned at (x, y1 + 1)
  std::vector<int> grid;         // dotted vertical lines between the sides
  std::optional<int> testeeX;    // vertical testee line
  std::optional<int> normY;      // horizontal line of the norm mean at the testee's age
  std::optional<GraphPoint> dot;
  std::vector<GraphPoint> meanCurve, lowCurve, highCurve;
  int samplesCounted = 0;
  double min = 0.0, max = 0.0;
  std::optional<GraphText> unit;  // baseline-aligned
  GraphText ageCaption, maxCaption, minCaption;
  std::optional<GraphText> maxValue, minValue;
  GraphText title, label;                 // label right-aligned
  std::optional<GraphText> nvalText;      // black, bottom-aligned
  std::optional<std::string> nsdText;     // orange, right after nvalText
  std::optional<GraphText> tvalText;      // top-aligned, inside the frame
  int headerLeft = 0, headerRight = 0;
};

NormCurveGeometry ComputeNormCurve(const NormCurveInput& in, const NormAgeRange& range, int width, int height,
                                   int fontHeight, bool headerLines, const TextWidth& textWidth);

}  // namespace qel

// The score graphs drawn into any device context and rectangle (a window,
// a printed page, a bitmap): the Z-score bar chart and the norm curve, from
// the geometry of scores/ScoreGraphs.h.
#pragma once

#include <string>
#include <vector>

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include "scores/ScoreGraphs.h"

namespace qel {

// The two header lines of a printed or exported graph.
struct GraphHeaders {
  std::string testee;  // top
  std::string task;    // bottom
};

// Each returns, with headers, the x just right of the longer header line
// (plus the chart's right margin for the bars), else 0. The font is scaled
// by the rectangle's height against referenceHeight.
int DrawZScoreBars(wxDC& dc, const wxRect& rect, const std::vector<ZBarInput>& marked, int referenceHeight,
                   const GraphHeaders* headers);
int DrawNormCurve(wxDC& dc, const wxRect& rect, const NormCurveInput& input, const NormAgeRange& range,
                  int referenceHeight, const GraphHeaders* headers);

}  // namespace qel

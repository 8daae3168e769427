// Paints the picture of an overlap criterion (CriterionBars) into a
// rectangle of a wx drawing context: white ground, the two bars in
// COLORREF 0xFF0000 and their shared stretch in 0xBF0000.
#pragma once

class wxDC;
class wxRect;

namespace qel {

constexpr unsigned kCriterionBarColour = 0xFF0000;  // COLORREF 0x00BBGGRR
constexpr unsigned kCriterionOverlapColour = 0xBF0000;

void PaintCriterionPicture(wxDC& dc, const wxRect& rect, int criterion);

}  // namespace qel

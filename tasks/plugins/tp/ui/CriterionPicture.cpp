#include "tasks/plugins/tp/ui/CriterionPicture.h"

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

#include "tasks/plugins/tp/CriterionBars.h"

namespace qel {

namespace {

wxColour FromColorref(unsigned c) { return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void Fill(wxDC& dc, int x, int y, int w, int h, const wxColour& colour) {
  if (w <= 0 || h <= 0) return;
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(colour));
  dc.DrawRectangle(x, y, w, h);
}

}  // namespace

void PaintCriterionPicture(wxDC& dc, const wxRect& rect, int criterion) {
  Fill(dc, rect.x, rect.y, rect.width, rect.height, *wxWHITE);
  const CriterionBars bars = ComputeCriterionBars(rect.width, criterion);
  // Two bars of a third of the height, one above and one below the middle.
  const int barHeight = rect.height / 3 > 0 ? rect.height / 3 : 1;
  const int upperY = rect.y + rect.height / 2 - barHeight - 1;
  const int lowerY = rect.y + rect.height / 2 + 1;
  const wxColour bar = FromColorref(kCriterionBarColour);
  Fill(dc, rect.x + bars.upperLeft, upperY, bars.upperRight - bars.upperLeft, barHeight, bar);
  Fill(dc, rect.x + bars.lowerLeft, lowerY, bars.lowerRight - bars.lowerLeft, barHeight, bar);
  if (bars.HasOverlap()) {
    const wxColour shared = FromColorref(kCriterionOverlapColour);
    const int w = bars.overlapRight - bars.overlapLeft;
    Fill(dc, rect.x + bars.overlapLeft, upperY, w, barHeight, shared);
    Fill(dc, rect.x + bars.overlapLeft, lowerY, w, barHeight, shared);
  }
  dc.SetBrush(wxNullBrush);
  dc.SetPen(wxNullPen);
}

}  // namespace qel

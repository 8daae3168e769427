#include "scores/ui/ScoreGraphsDraw.h"

#include <algorithm>

#include <wx/brush.h>
#include <wx/font.h>
#include <wx/pen.h>

namespace qel {

namespace {

const wxColour kOrange(255, 127, 0);

wxFont GraphFont(int height) {
  return wxFont(wxFontInfo(wxSize(0, height)).Family(wxFONTFAMILY_SWISS).FaceName("Arial"));
}

// Restores the device context's font, pen, brush and text settings.
class DcState {
 public:
  explicit DcState(wxDC& dc)
      : m_dc(dc), m_font(dc.GetFont()), m_pen(dc.GetPen()), m_brush(dc.GetBrush()),
        m_text(dc.GetTextForeground()), m_back(dc.GetTextBackground()), m_mode(dc.GetBackgroundMode()) {}
  ~DcState() {
    m_dc.SetFont(m_font);
    m_dc.SetPen(m_pen);
    m_dc.SetBrush(m_brush);
    m_dc.SetTextForeground(m_text);
    m_dc.SetTextBackground(m_back);
    m_dc.SetBackgroundMode(m_mode);
  }

 private:
  wxDC& m_dc;
  wxFont m_font;
  wxPen m_pen;
  wxBrush m_brush;
  wxColour m_text, m_back;
  int m_mode;
};

enum class Align { kLeft, kRight, kCentre };
enum class VAlign { kTop, kBottom, kBaseline };

// Text at a point of the rectangle, aligned as given.
int Text(wxDC& dc, const wxRect& r, const std::string& text, GraphPoint at, Align h, VAlign v) {
  wxCoord w = 0, ht = 0, descent = 0;
  const wxString s = wxString::FromUTF8(text);
  dc.GetTextExtent(s, &w, &ht, &descent);
  int x = r.x + at.x;
  int y = r.y + at.y;
  if (h == Align::kRight) x -= w;
  if (h == Align::kCentre) x -= w / 2;
  if (v == VAlign::kBottom) y -= ht;
  if (v == VAlign::kBaseline) y -= ht - descent;
  dc.DrawText(s, x, y);
  return w;
}

TextWidth Measure(wxDC& dc) {
  return [&dc](const std::string& text) {
    wxCoord w = 0, h = 0;
    dc.GetTextExtent(wxString::FromUTF8(text), &w, &h);
    return static_cast<int>(w);
  };
}

int DrawHeaders(wxDC& dc, const wxRect& r, int left, const GraphHeaders& headers) {
  dc.SetTextForeground(*wxBLACK);
  const int wTask = Text(dc, r, headers.task, {left, r.height - 1}, Align::kLeft, VAlign::kBottom);
  const int wTestee = Text(dc, r, headers.testee, {left, 1}, Align::kLeft, VAlign::kTop);
  return left + 1 + std::max(wTask, wTestee);
}

void Frame(wxDC& dc, const wxRect& r, int x0, int y0, int x1, int y1) {
  const wxPoint p[5] = {{r.x + x0, r.y + y0}, {r.x + x0, r.y + y1}, {r.x + x1, r.y + y1}, {r.x + x1, r.y + y0},
                        {r.x + x0, r.y + y0}};
  dc.DrawLines(5, p);
}

void Polyline(wxDC& dc, const wxRect& r, const std::vector<GraphPoint>& points) {
  if (points.size() < 2) return;
  std::vector<wxPoint> p;
  p.reserve(points.size());
  for (const GraphPoint& q : points) p.emplace_back(r.x + q.x, r.y + q.y);
  dc.DrawLines(static_cast<int>(p.size()), p.data());
}

}  // namespace

int DrawZScoreBars(wxDC& dc, const wxRect& r, const std::vector<ZBarInput>& marked, int referenceHeight,
                   const GraphHeaders* headers) {
  if (!dc.IsOk()) return 0;
  DcState keep(dc);
  const int h = GraphFontHeight(r.height, referenceHeight);
  dc.SetFont(GraphFont(h));
  const wxPen solid(*wxBLACK, 1, wxPENSTYLE_SOLID);
  const wxPen dotted(*wxBLACK, 1, wxPENSTYLE_DOT);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(*wxWHITE_BRUSH);
  dc.DrawRectangle(r);
  dc.SetTextForeground(*wxBLACK);
  dc.SetBackgroundMode(wxPENSTYLE_TRANSPARENT);
  const ZBarGeometry g = ComputeZBars(marked, r.width, r.height, dc.GetCharHeight(), headers != nullptr, Measure(dc));
  dc.SetPen(solid);
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  Frame(dc, r, g.x0, g.y0, g.x1, g.y1);
  dc.SetPen(dotted);
  for (int x : g.grid) dc.DrawLine(r.x + x, r.y + g.y0, r.x + x, r.y + g.y1);
  for (const ZBarRow& row : g.rows) {
    if (row.hasBar) {
      dc.SetPen(solid);
      if (row.thin) {
        dc.DrawLine(r.x + g.xc, r.y + row.rowTop + 1, r.x + g.xc, r.y + row.rowBottom);
        dc.DrawLine(r.x + g.xc + row.length, r.y + row.rowTop + 1, r.x + g.xc + row.length, r.y + row.rowBottom);
      } else {
        dc.SetBrush(wxBrush(wxColour(row.fill.r, row.fill.g, row.fill.b)));
        dc.DrawRectangle(r.x + row.left, r.y + row.rowTop + 1, row.right - row.left, row.rowBottom - row.rowTop - 1);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
      }
      dc.SetPen(dotted);
      for (int x : row.gridOverBar) dc.DrawLine(r.x + x, r.y + row.rowTop + 1, r.x + x, r.y + row.rowBottom);
    }
    Text(dc, r, row.name, {1, row.textY}, Align::kLeft, VAlign::kTop);
    Text(dc, r, row.valueText, {r.width - 1, row.textY}, Align::kRight, VAlign::kTop);
  }
  for (int k = -3; k <= 3; ++k) {
    Text(dc, r, std::to_string(k), g.scaleLabels[static_cast<size_t>(k + 3)], Align::kRight, VAlign::kTop);
  }
  Text(dc, r, kZBarCaption, g.caption, Align::kCentre, VAlign::kBottom);
  if (!headers) return 0;
  return DrawHeaders(dc, r, g.headerLeft, *headers) + g.valueWidth + 2;
}

int DrawNormCurve(wxDC& dc, const wxRect& r, const NormCurveInput& in, const NormAgeRange& range,
                  int referenceHeight, const GraphHeaders* headers) {
  if (!dc.IsOk() || range.divisions <= 0) return 0;
  DcState keep(dc);
  const int h = GraphFontHeight(r.height, referenceHeight);
  dc.SetFont(GraphFont(h));
  const wxPen solid(*wxBLACK, 1, wxPENSTYLE_SOLID);
  const wxPen dotted(*wxBLACK, 1, wxPENSTYLE_DOT);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(*wxWHITE_BRUSH);
  dc.DrawRectangle(r);
  dc.SetBackgroundMode(wxPENSTYLE_TRANSPARENT);
  dc.SetTextForeground(*wxBLACK);
  const NormCurveGeometry g =
      ComputeNormCurve(in, range, r.width, r.height, dc.GetCharHeight(), headers != nullptr, Measure(dc));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.SetPen(solid);
  Frame(dc, r, g.x0, g.y0, g.x1, g.y1);
  dc.SetPen(dotted);
  for (int x : g.grid) dc.DrawLine(r.x + x, r.y + g.y0, r.x + x, r.y + g.y1);
  for (const GraphText& t : g.ticks) Text(dc, r, t.text, t.at, Align::kRight, VAlign::kTop);
  dc.SetPen(solid);
  if (g.testeeX) dc.DrawLine(r.x + *g.testeeX, r.y + g.y0 + 1, r.x + *g.testeeX, r.y + g.y1);
  if (g.normY) dc.DrawLine(r.x + g.x0 + 1, r.y + *g.normY, r.x + g.x1, r.y + *g.normY);
  if (g.dot) {
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawEllipse(r.x + g.dot->x - 3, r.y + g.dot->y - 3, 7, 7);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
  }
  if (g.unit) Text(dc, r, g.unit->text, g.unit->at, Align::kLeft, VAlign::kBaseline);
  Text(dc, r, g.ageCaption.text, g.ageCaption.at, Align::kLeft, VAlign::kTop);
  Text(dc, r, g.maxCaption.text, g.maxCaption.at, Align::kLeft, VAlign::kTop);
  Text(dc, r, g.minCaption.text, g.minCaption.at, Align::kLeft, VAlign::kBottom);
  if (g.maxValue) Text(dc, r, g.maxValue->text, g.maxValue->at, Align::kLeft, VAlign::kTop);
  if (g.minValue) Text(dc, r, g.minValue->text, g.minValue->at, Align::kLeft, VAlign::kBottom);
  Polyline(dc, r, g.meanCurve);
  dc.SetPen(dotted);
  Polyline(dc, r, g.lowCurve);
  Polyline(dc, r, g.highCurve);
  Text(dc, r, g.title.text, g.title.at, Align::kLeft, VAlign::kBottom);
  Text(dc, r, g.label.text, g.label.at, Align::kRight, VAlign::kBottom);
  if (g.nvalText) {
    const int w = Text(dc, r, g.nvalText->text, g.nvalText->at, Align::kLeft, VAlign::kBottom);
    dc.SetTextForeground(kOrange);
    Text(dc, r, *g.nsdText, {g.nvalText->at.x + w, g.nvalText->at.y}, Align::kLeft, VAlign::kBottom);
    dc.SetTextForeground(*wxBLACK);
  }
  if (g.tvalText) Text(dc, r, g.tvalText->text, g.tvalText->at, Align::kLeft, VAlign::kTop);
  if (!headers) return 0;
  return DrawHeaders(dc, r, g.headerLeft, *headers);
}

}  // namespace qel

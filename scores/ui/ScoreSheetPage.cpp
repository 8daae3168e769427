#include "scores/ui/ScoreSheetPage.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>

#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/print.h>

#include "scores/ui/ScoreGraphsDraw.h"

namespace qel {

namespace {

constexpr double kA4WidthPt = 595.0;
constexpr double kA4HeightPt = 842.0;
constexpr int kMarginPt = 36;
constexpr int kColumnGap = 8;
constexpr int kPrintFontPt = 9;

wxString W(const std::string& s) { return wxString::FromUTF8(s); }

bool IsGraph(ScoreView v) { return v == ScoreView::kZ || v == ScoreView::kZNorm; }

struct Layout {
  int lineHeight = 0;
  int tableTop = 0;
  int rowsPerPage = 1;
  std::vector<int> columnX;
};

Layout Measure(wxDC& dc, const wxRect& page, const ScoreSheetPrint& s) {
  Layout l;
  dc.SetFont(wxFont(wxFontInfo(kPrintFontPt).Family(wxFONTFAMILY_SWISS)));
  l.lineHeight = dc.GetCharHeight() + 2;
  l.tableTop = page.y + 3 * l.lineHeight;
  const int usable = std::max(l.lineHeight, page.GetBottom() - l.tableTop - l.lineHeight);
  l.rowsPerPage = std::max(1, usable / l.lineHeight - 1);
  const CScoreSheet& sheet = s.document->Sheet();
  int x = page.x;
  for (size_t c = 0; c < sheet.Columns().size(); ++c) {
    l.columnX.push_back(x);
    int width = dc.GetTextExtent(W(sheet.Columns()[c].heading)).x;
    for (const ScoreRow& row : sheet.Rows()) {
      if (c < row.cells.size()) width = std::max(width, dc.GetTextExtent(W(row.cells[c])).x);
    }
    x += width + kColumnGap;
  }
  l.columnX.push_back(x);
  return l;
}

void DrawCells(wxDC& dc, const Layout& l, const std::vector<std::string>& cells, const std::vector<ScoreColumn>& cols,
               int y) {
  for (size_t c = 0; c < cells.size() && c < cols.size(); ++c) {
    const wxString text = W(cells[c]);
    int x = l.columnX[c];
    if (cols[c].right) x = l.columnX[c + 1] - kColumnGap - dc.GetTextExtent(text).x;
    dc.DrawText(text, x, y);
  }
}

}  // namespace

int ScoreSheetPageCount(wxDC& dc, const wxRect& page, const ScoreSheetPrint& s) {
  if (!s.document || IsGraph(s.view)) return 1;
  const Layout l = Measure(dc, page, s);
  const int rows = static_cast<int>(s.document->Sheet().Rows().size());
  return std::max(1, (rows + l.rowsPerPage - 1) / l.rowsPerPage);
}

void DrawScoreSheetPage(wxDC& dc, const wxRect& page, const ScoreSheetPrint& s, int number) {
  if (!s.document) return;
  const CScoreDocument& doc = *s.document;
  const ScoreHeaderData headers = doc.Headers(s.mode, s.noTesteeName);
  if (IsGraph(s.view)) {
    const GraphHeaders lines{FormatTesteeHeader(headers), FormatTaskHeader(headers)};
    const CScoreSheet& sheet = doc.Sheet();
    if (s.view == ScoreView::kZNorm && doc.Task() && sheet.CurrentVariable() >= 0) {
      const NormCurveInput in =
          ReadNormCurveInput(*doc.Task(), sheet.CurrentVariable(), doc.m_age, sheet.CurrentTval(), sheet.CurrentZ());
      DrawNormCurve(dc, page, in, NormGraphAgeRange(), page.height, &lines);
    } else {
      DrawZScoreBars(dc, page, sheet.MarkedBars(), page.height, &lines);
    }
    return;
  }
  const Layout l = Measure(dc, page, s);
  dc.SetTextForeground(*wxBLACK);
  dc.DrawText(W(FormatTesteeHeader(headers)), page.x, page.y);
  dc.DrawText(W(FormatTaskHeader(headers) + "   " + doc.Caption()), page.x, page.y + l.lineHeight);
  const CScoreSheet& sheet = doc.Sheet();
  std::vector<std::string> headings;
  for (const ScoreColumn& c : sheet.Columns()) headings.push_back(c.heading);
  DrawCells(dc, l, headings, sheet.Columns(), l.tableTop);
  dc.SetPen(*wxBLACK_PEN);
  dc.DrawLine(page.x, l.tableTop + l.lineHeight - 1, l.columnX.back(), l.tableTop + l.lineHeight - 1);
  const int first = number * l.rowsPerPage;
  const int last = std::min(static_cast<int>(sheet.Rows().size()), first + l.rowsPerPage);
  int y = l.tableTop + l.lineHeight;
  for (int r = first; r < last; ++r, y += l.lineHeight) {
    DrawCells(dc, l, sheet.Rows()[static_cast<size_t>(r)].cells, sheet.Columns(), y);
  }
  char footer[64];
  std::snprintf(footer, sizeof footer, "Page %d", number + 1);
  dc.DrawText(footer, page.x, page.GetBottom() - l.lineHeight);
}

bool WriteScoreSheetPdf(const std::string& path, const ScoreSheetPrint& s) {
  const std::string temp = path + ".new";
  cairo_surface_t* surface = cairo_pdf_surface_create(temp.c_str(), kA4WidthPt, kA4HeightPt);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_t* cr = cairo_create(surface);
  bool ok = true;
  {
    wxGraphicsContext* gc = wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr);
    if (!gc) {
      ok = false;
    } else {
      wxGCDC dc(gc);
      const wxRect page(kMarginPt, kMarginPt, static_cast<int>(kA4WidthPt) - 2 * kMarginPt,
                        static_cast<int>(kA4HeightPt) - 2 * kMarginPt);
      const int pages = ScoreSheetPageCount(dc, page, s);
      for (int p = 0; p < pages; ++p) {
        DrawScoreSheetPage(dc, page, s, p);
        dc.GetGraphicsContext()->Flush();
        cairo_show_page(cr);
      }
    }
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  ok = ok && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

namespace {

class ScoreSheetPrintout : public wxPrintout {
 public:
  explicit ScoreSheetPrintout(const ScoreSheetPrint& s) : wxPrintout("Score"), m_sheet(s) {}
  void OnPreparePrinting() override {
    wxDC* dc = GetDC();
    if (dc) m_pages = ScoreSheetPageCount(*dc, Page(), m_sheet);
  }
  bool HasPage(int page) override { return page >= 1 && page <= m_pages; }
  void GetPageInfo(int* minPage, int* maxPage, int* from, int* to) override {
    *minPage = *from = 1;
    *maxPage = *to = m_pages;
  }
  bool OnPrintPage(int page) override {
    wxDC* dc = GetDC();
    if (!dc) return false;
    DrawScoreSheetPage(*dc, Page(), m_sheet, page - 1);
    return true;
  }

 private:
  wxRect Page() {
    const wxRect r = GetLogicalPageMarginsRect(wxPageSetupDialogData());
    return r.Deflate(r.width / 20, r.height / 20);
  }
  ScoreSheetPrint m_sheet;
  int m_pages = 1;
};

}  // namespace

bool PrintScoreSheet(wxWindow* parent, const ScoreSheetPrint& s) {
  wxPrinter printer;
  ScoreSheetPrintout printout(s);
  return printer.Print(parent, &printout, true);
}

}  // namespace qel

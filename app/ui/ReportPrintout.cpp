#include "app/ui/ReportPrintout.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include "app/report/ReportLayout.h"
#include "app/ui/DocReport.h"

namespace qel {

namespace {
constexpr double kPointsPerTenthMm = 72.0 / 254.0;
constexpr int kPdfDotsPerInch = 72;
}  // namespace

CReportPrintout::CReportPrintout(CDocReport& report, std::vector<std::string> lines)
    : wxPrintout(wxString::FromUTF8(report.m_title)), m_report(report), m_lines(std::move(lines)) {}

ReportRect CReportPrintout::PageArea(wxDC& dc) {
  int pageWidth = 0, pageHeight = 0, dpiX = 0, dpiY = 0, screenX = 0, screenY = 0, width = 0, height = 0;
  GetPageSizePixels(&pageWidth, &pageHeight);
  GetPPIPrinter(&dpiX, &dpiY);
  GetPPIScreen(&screenX, &screenY);
  dc.GetSize(&width, &height);
  if (width > 0 && height > 0 && pageWidth > 0 && pageHeight > 0 && dpiX > 0 && dpiY > 0 && screenX > 0 &&
      screenY > 0) {
    // The DC's units become the screen's pixels on the page, on a printer
    // and in the preview alike: the fonts, sized for the screen, keep their
    // size on paper (in the preview, drawn in the printer's pixels, they
    // shrank to specks).
    MapScreenSizeToPage();
    pageWidth = static_cast<int>(static_cast<long>(pageWidth) * screenX / dpiX);
    pageHeight = static_cast<int>(static_cast<long>(pageHeight) * screenY / dpiY);
    dpiX = screenX;
    dpiY = screenY;
  }
  const QelPageMargins& margins = m_report.PrintSettings().Margins();
  return PrintableArea(pageWidth, pageHeight, dpiX, dpiY, margins.left, margins.top, margins.right, margins.bottom);
}

void CReportPrintout::Measure(wxDC& dc) {
  const ReportRect area = PageArea(dc);
  dc.SetFont(m_report.PrintSettings().NormalFont());
  const int lineHeight = dc.GetCharHeight();
  m_linesPerPage = ReportLinesPerPage(area.Height(), lineHeight);
  m_pages = ReportPageCount(static_cast<int>(m_lines.size()), m_linesPerPage);
}

void CReportPrintout::OnPreparePrinting() {
  if (wxDC* dc = GetDC()) Measure(*dc);
}

bool CReportPrintout::HasPage(int page) { return page >= 1 && page <= m_pages; }

void CReportPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
  *minPage = 1;
  *maxPage = m_pages;
  *pageFrom = 1;
  *pageTo = m_pages;
}

bool CReportPrintout::OnPrintPage(int page) {
  wxDC* dc = GetDC();
  if (!dc) return false;
  const CPrintSettings& settings = m_report.PrintSettings();
  const ReportRect area = PageArea(*dc);
  dc->SetTextForeground(*wxBLACK);
  dc->SetFont(settings.BoldFont());
  const int lineHeight = dc->GetCharHeight();
  constexpr unsigned kText = kCellDrawText;

  ReportRect row{area.left, area.top, area.right, area.top + lineHeight};
  settings.DrawCellText(*dc, m_report.m_title, row, kText, kCellCentre);
  dc->SetFont(settings.NormalFont());
  settings.DrawCellText(*dc, ReportPageText(page, m_pages), row, kText, kCellRight);
  row.top += lineHeight;
  row.bottom += lineHeight;
  settings.DrawCellText(*dc, ReportDateText(m_report.m_printDate), row, kText, kCellLeft);
  settings.DrawCellText(*dc, m_report.m_subtitle, row, kText, kCellCentre);
  settings.DrawCellText(*dc, ReportTimeText(m_report.m_printDate), row, kText, kCellRight);

  const size_t first = static_cast<size_t>(page - 1) * static_cast<size_t>(m_linesPerPage);
  ReportRect line{area.left, area.top + kReportHeaderRows * lineHeight, area.right, 0};
  for (size_t i = first; i < m_lines.size() && i < first + static_cast<size_t>(m_linesPerPage); ++i) {
    line.bottom = line.top + lineHeight;
    settings.DrawCellText(*dc, m_lines[i], line, kText, kCellLeft);
    line.top += lineHeight;
  }
  if (page == m_pages) {
    m_report.m_lineCount = static_cast<int>(m_lines.size());
    ReportRect footer{area.left, line.top, area.right, line.top + lineHeight};
    settings.DrawCellText(*dc, ReportFooterText(m_report.m_totalLabel, m_report.m_lineCount), footer,
                          kText | kCellLineDown, kCellLeft);
    settings.DrawCellText(*dc, m_report.m_footerText, footer, kText | kCellLineDown, kCellRight);
  }
  return true;
}

CPicturePrintout::CPicturePrintout(const wxBitmap& picture, const wxRect& area, int leftMargin, int topMargin,
                                   int rightMargin, int bottomMargin)
    : wxPrintout("Qel"), m_picture(picture), m_area(area), m_margins{leftMargin, topMargin, rightMargin, bottomMargin} {}

void CPicturePrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
  *minPage = *maxPage = *pageFrom = *pageTo = 1;
}

bool CPicturePrintout::OnPrintPage(int) {
  wxDC* dc = GetDC();
  if (!dc || !m_picture.IsOk()) return false;
  int pageWidth = 0, pageHeight = 0, dpiX = 0, dpiY = 0;
  GetPageSizePixels(&pageWidth, &pageHeight);
  GetPPIPrinter(&dpiX, &dpiY);
  const ReportRect area =
      PrintableArea(pageWidth, pageHeight, dpiX, dpiY, m_margins[0], m_margins[1], m_margins[2], m_margins[3]);
  const wxRect part = m_area.IsEmpty() ? wxRect(0, 0, m_picture.GetWidth(), m_picture.GetHeight())
                                       : m_area.Intersect(wxRect(0, 0, m_picture.GetWidth(), m_picture.GetHeight()));
  const double scale = PictureScale(area.Width(), area.Height(), part.width, part.height);
  if (scale <= 0.0) return false;
  const wxBitmap source = m_picture.GetSubBitmap(part);
  wxImage image = source.ConvertToImage();
  image.Rescale(static_cast<int>(part.width * scale), static_cast<int>(part.height * scale), wxIMAGE_QUALITY_HIGH);
  dc->DrawBitmap(wxBitmap(image), area.left, area.top);
  return true;
}

bool PrintToPdfFile(wxPrintout& printout, const std::string& path, int paperWidth, int paperLength) {
  const double widthPt = paperWidth * kPointsPerTenthMm;
  const double heightPt = paperLength * kPointsPerTenthMm;
  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), widthPt, heightPt);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_t* cr = cairo_create(surface);
  bool ok = true;
  {
    wxGraphicsContext* gc = wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr);
    wxGCDC dc(gc);
    const int width = static_cast<int>(widthPt);
    const int height = static_cast<int>(heightPt);
    printout.SetDC(&dc);
    printout.SetPPIScreen(kPdfDotsPerInch, kPdfDotsPerInch);
    printout.SetPPIPrinter(kPdfDotsPerInch, kPdfDotsPerInch);
    printout.SetPageSizePixels(width, height);
    printout.SetPageSizeMM(paperWidth / 10, paperLength / 10);
    printout.SetPaperRectPixels(wxRect(0, 0, width, height));
    printout.OnPreparePrinting();
    int minPage = 1, maxPage = 1, from = 1, to = 1;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    printout.OnBeginPrinting();
    ok = printout.OnBeginDocument(from, to);
    for (int page = from; ok && page <= to && printout.HasPage(page); ++page) {
      ok = printout.OnPrintPage(page);
      if (wxGraphicsContext* context = dc.GetGraphicsContext()) context->Flush();
      cairo_show_page(cr);
    }
    printout.OnEndDocument();
    printout.OnEndPrinting();
    printout.SetDC(nullptr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  ok = ok && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace qel

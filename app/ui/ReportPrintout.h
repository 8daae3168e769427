// A printed report: the report document's header on every page (title and
// page number, print date, subtitle and time), its lines in the body, and
// its footer (line total and footer text) on the last page, drawn inside
// the stored margins with the report fonts. Printed through the printing
// dialogs, shown in the preview, or written straight into a PDF file.
#pragma once

#include <wx/bitmap.h>
#include <wx/print.h>

#include <string>
#include <vector>

#include "app/report/ReportLayout.h"

namespace qel {

class CDocReport;

class CReportPrintout : public wxPrintout {
 public:
  CReportPrintout(CDocReport& report, std::vector<std::string> lines);

  void OnPreparePrinting() override;
  bool HasPage(int page) override;
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
  bool OnPrintPage(int page) override;

  int PageCount() const { return m_pages; }

 private:
  void Measure(wxDC& dc);
  // The page's printable area in the DC's units, after setting them.
  ReportRect PageArea(wxDC& dc);

  CDocReport& m_report;
  std::vector<std::string> m_lines;
  int m_pages = 1;
  int m_linesPerPage = 1;
};

// One page with a picture that a window handed over: the part of the
// picture the area names, scaled to fit inside the margins (fractions of
// the scale kept), at the top-left corner of the printable area.
class CPicturePrintout : public wxPrintout {
 public:
  CPicturePrintout(const wxBitmap& picture, const wxRect& area, int leftMargin, int topMargin, int rightMargin,
                   int bottomMargin);
  bool HasPage(int page) override { return page == 1; }
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
  bool OnPrintPage(int page) override;

 private:
  wxBitmap m_picture;
  wxRect m_area;
  int m_margins[4];
};

// Prints every page of the printout into a PDF file of the paper size (in
// tenths of a millimetre); false when the file cannot be written.
bool PrintToPdfFile(wxPrintout& printout, const std::string& path, int paperWidth, int paperLength);

}  // namespace qel

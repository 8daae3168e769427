// The layout of a printed report that needs no window: the texts of the
// page header and footer, where a cell's text goes, the printable area of
// a page inside its margins, the pagination of the report's lines and the
// scale of a picture printed onto a page. The printing code measures texts
// with the printer's fonts and draws what these functions place.
#pragma once

#include <string>

#include "include/qel/DateTime.h"

namespace qel {

// Flags of a cell's text drawing.
enum ReportCellFlags : unsigned {
  kCellDrawText = 0x10000,    // vertical flags: draw the text
  kCellShade = 0x20000,       // vertical flags: fill the cell with the shade colour first
  kCellAlignMask = 0xF000,    // bits 12-15 of either flags
  kCellLeft = 0x1000,         // horizontal
  kCellRight = 0x2000,
  kCellCentre = 0x3000,
  kCellLineDown = 0x2000,     // vertical: one line height down
  kCellHalfLineDown = 0x3000, // vertical: half a line height down
};

struct ReportRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct ReportPoint {
  int x = 0;
  int y = 0;
};

// Where a text of that width starts in the cell: horizontally by the
// horizontal flags (left, right, centred; left when the text is wider than
// the cell), vertically by the vertical flags.
ReportPoint PlaceCellText(const ReportRect& cell, int textWidth, int lineHeight, unsigned verticalFlags,
                          unsigned horizontalFlags);

// Header and footer texts: "%d/%d" of page and pages; the print date
// "%02d.%02d.%04d" and time "%02d:%02d:%02d" (empty when not valid); the
// footer "%s: %d" of the total label and the line count.
std::string ReportPageText(int page, int pages);
std::string ReportDateText(const QelDateTime& printed);
std::string ReportTimeText(const QelDateTime& printed);
std::string ReportFooterText(const std::string& totalLabel, int lineCount);

// The page inside its margins (hundredths of a millimetre) on a page of
// that size in device units at that resolution (dots per inch).
ReportRect PrintableArea(int pageWidth, int pageHeight, int dpiX, int dpiY, int leftMargin, int topMargin,
                         int rightMargin, int bottomMargin);

// Rows of the page header and the footer, in line heights.
constexpr int kReportHeaderRows = 2;
constexpr int kReportFooterRows = 2;
// Body lines a page holds (at least 1) and the pages lines need (at least 1).
int ReportLinesPerPage(int areaHeight, int lineHeight);
int ReportPageCount(int lines, int linesPerPage);

// The scale that fits a source picture into the area, keeping its
// proportions and its fractions; 0 for an empty source or area.
double PictureScale(int areaWidth, int areaHeight, int sourceWidth, int sourceHeight);

}  // namespace qel

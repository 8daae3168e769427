#include "app/report/ReportLayout.h"

#include <algorithm>
#include <cstdio>

#include "app/text/DateTimeText.h"

namespace qel {

namespace {
constexpr long kHundredthsMmPerInch = 2540;
}  // namespace

ReportPoint PlaceCellText(const ReportRect& cell, int textWidth, int lineHeight, unsigned verticalFlags,
                          unsigned horizontalFlags) {
  ReportPoint at{cell.left, cell.top};
  unsigned horizontal = horizontalFlags & kCellAlignMask;
  if (textWidth > cell.Width()) horizontal = kCellLeft;
  if (horizontal == kCellRight) {
    at.x = cell.right - textWidth;
  } else if (horizontal == kCellCentre) {
    at.x = cell.left + (cell.Width() - textWidth) / 2;
  }
  const unsigned vertical = verticalFlags & kCellAlignMask;
  if (vertical == kCellLineDown) {
    at.y += lineHeight;
  } else if (vertical == kCellHalfLineDown) {
    at.y += lineHeight / 2;
  }
  return at;
}

std::string ReportPageText(int page, int pages) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", page, pages);
  return text;
}

std::string ReportDateText(const QelDateTime& printed) { return FormatDateDay(printed, true); }
std::string ReportTimeText(const QelDateTime& printed) { return FormatTimeOrEmpty(printed, true); }

std::string ReportFooterText(const std::string& totalLabel, int lineCount) {
  return totalLabel + ": " + std::to_string(lineCount);
}

ReportRect PrintableArea(int pageWidth, int pageHeight, int dpiX, int dpiY, int leftMargin, int topMargin,
                         int rightMargin, int bottomMargin) {
  ReportRect area;
  area.left = static_cast<int>(static_cast<long>(dpiX) * leftMargin / kHundredthsMmPerInch);
  area.top = static_cast<int>(static_cast<long>(dpiY) * topMargin / kHundredthsMmPerInch);
  area.right = pageWidth - static_cast<int>(static_cast<long>(dpiX) * rightMargin / kHundredthsMmPerInch);
  area.bottom = pageHeight - static_cast<int>(static_cast<long>(dpiY) * bottomMargin / kHundredthsMmPerInch);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

int ReportLinesPerPage(int areaHeight, int lineHeight) {
  if (lineHeight <= 0) return 1;
  return std::max(1, areaHeight / lineHeight - kReportHeaderRows - kReportFooterRows);
}

int ReportPageCount(int lines, int linesPerPage) {
  if (lines <= 0 || linesPerPage <= 0) return 1;
  return (lines + linesPerPage - 1) / linesPerPage;
}

double PictureScale(int areaWidth, int areaHeight, int sourceWidth, int sourceHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return 0.0;
  return std::min(static_cast<double>(areaWidth) / sourceWidth, static_cast<double>(areaHeight) / sourceHeight);
}

}  // namespace qel

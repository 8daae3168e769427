// The printed report's layout: cell text placement, header and footer
// texts, the printable area, pagination and the picture scale.
#include <gtest/gtest.h>

#include "app/report/ReportLayout.h"

namespace qel {
namespace {

TEST(ReportLayout, CellTextPlacement) {
  const ReportRect cell{100, 50, 300, 80};
  const struct {
    const char* name;
    int width;
    unsigned vertical, horizontal;
    int x, y;
  } cases[] = {
      {"left top", 40, kCellDrawText, kCellLeft, 100, 50},
      {"right", 40, kCellDrawText, kCellRight, 260, 50},
      {"centred", 40, kCellDrawText, kCellCentre, 180, 50},
      {"wider than the cell goes left", 250, kCellDrawText, kCellRight, 100, 50},
      {"one line down", 40, kCellDrawText | kCellLineDown, kCellLeft, 100, 70},
      {"half a line down", 40, kCellDrawText | kCellHalfLineDown, kCellLeft, 100, 60},
      {"other vertical bits stay at the top", 40, kCellDrawText | 0x1000, kCellLeft, 100, 50},
  };
  for (const auto& c : cases) {
    const ReportPoint at = PlaceCellText(cell, c.width, 20, c.vertical, c.horizontal);
    EXPECT_EQ(at.x, c.x) << c.name;
    EXPECT_EQ(at.y, c.y) << c.name;
  }
}

TEST(ReportLayout, HeaderAndFooterTexts) {
  EXPECT_EQ(ReportPageText(2, 7), "2/7");
  const QelDateTime printed = QelDateTime::FromDate(2024, 3, 9, 14, 5, 7);
  EXPECT_EQ(ReportDateText(printed), "09.03.2024");
  EXPECT_EQ(ReportTimeText(printed), "14:05:07");
  EXPECT_EQ(ReportDateText(QelDateTime::Null()), "");
  EXPECT_EQ(ReportTimeText(QelDateTime::Null()), "");
  EXPECT_EQ(ReportFooterText("Lines total", 12), "Lines total: 12");
}

TEST(ReportLayout, PrintableAreaInsideTheMargins) {
  // A4 at 72 dots per inch with 10 mm margins: 28 dots each side.
  const ReportRect area = PrintableArea(595, 842, 72, 72, 1000, 1000, 1000, 1000);
  EXPECT_EQ(area.left, 28);
  EXPECT_EQ(area.top, 28);
  EXPECT_EQ(area.right, 595 - 28);
  EXPECT_EQ(area.bottom, 842 - 28);
  const ReportRect none = PrintableArea(100, 100, 72, 72, 20000, 20000, 20000, 20000);
  EXPECT_EQ(none.Width(), 0) << "margins wider than the page leave an empty area, not a negative one";
  EXPECT_EQ(none.Height(), 0);
}

TEST(ReportLayout, Pagination) {
  EXPECT_EQ(ReportLinesPerPage(500, 10), 46);
  EXPECT_EQ(ReportLinesPerPage(30, 10), 1) << "a page holds at least one line";
  EXPECT_EQ(ReportLinesPerPage(500, 0), 1);
  EXPECT_EQ(ReportPageCount(0, 46), 1);
  EXPECT_EQ(ReportPageCount(46, 46), 1);
  EXPECT_EQ(ReportPageCount(47, 46), 2);
}

TEST(ReportLayout, PictureScaleKeepsFractions) {
  EXPECT_DOUBLE_EQ(PictureScale(1000, 1000, 400, 800), 1.25);
  EXPECT_DOUBLE_EQ(PictureScale(300, 1000, 400, 200), 0.75) << "a picture larger than the area shrinks";
  EXPECT_DOUBLE_EQ(PictureScale(1000, 1000, 0, 10), 0.0);
  EXPECT_DOUBLE_EQ(PictureScale(0, 1000, 10, 10), 0.0);
}

}  // namespace
}  // namespace qel

// The rows a list shows, as a row builder makes them without a window: the
// columns (caption and width, a negative width right-aligns), and per row
// its key, its icon (an index into the program's icon list, -1 for none)
// and the text of every column. Column 0 holds the row number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"

namespace qel {

struct CListColumn {
  const char* caption;
  int width;  // negative: right-aligned, the absolute value is the width
};

struct CListRow {
  std::string key;
  int image = -1;
  std::vector<std::string> cells;  // one per column, column 0 first
};

struct CListRows {
  std::vector<CListColumn> columns;
  std::vector<CListRow> rows;
  // Rows made, or -1 when the source failed (then there are no rows).
  int result = 0;
  // The row count the list accounts for when it differs from the rows
  // shown (the change-history lists account for one version more); -1: rows.size().
  int accountedRows = -1;
};

// Column 0 of row i (0-based): "%3d" of i + 1.
std::string RowNumberText(int row);
// "%u" / "%d" of a number.
std::string NumberText(uint32_t value);
std::string SignedText(int32_t value);
// A date as the lists show it: in the user's locale, "" when not valid.
std::string ListDateText(const QelDateTime& date);
// A filter text for the project cache: null (every item) when empty.
inline const char* FilterOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace qel

// Reads the sheets of an .xlsx workbook (libzip and pugixml): each sheet's
// name and its cells by row, as texts, numbers or dates (numbers in a date
// format). Sizes are bounded; a damaged workbook gives a clear error.
#pragma once

#include <string>
#include <vector>

#include "db/DbValue.h"

namespace qel {

struct XlsxSheet {
  std::string name;
  std::vector<std::vector<DbValue>> rows;  // row 1 first; rows may differ in length
};

// Throws a DbException (kMissingFile, kNoPermission, or kOther for a file
// that is no workbook).
std::vector<XlsxSheet> ReadXlsxWorkbook(const std::string& path);

}  // namespace qel

#include "ui/ListRows.h"

#include <cstdio>

#include "app/text/DateTimeText.h"

namespace qel {

std::string RowNumberText(int row) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", row + 1);
  return text;
}

std::string NumberText(uint32_t value) { return std::to_string(value); }

std::string SignedText(int32_t value) { return std::to_string(value); }

std::string ListDateText(const QelDateTime& date) { return FormatDateTimeLocale(date); }

}  // namespace qel

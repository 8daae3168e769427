#include "db/DbDateText.h"

#include "app/text/DateTimeText.h"

namespace qel {

namespace {

// Reads exactly n digits at pos; false when any is not a digit.
bool Digits(std::string_view text, size_t pos, size_t n, int* out) {
  int v = 0;
  for (size_t i = 0; i < n; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *out = v;
  return true;
}

}  // namespace

std::string FormatStoredDate(const QelDateTime& date) {
  if (!IsDateValid(date)) return std::string();
  return FormatDateDots(date) + " " + FormatTimeColons(date, true);
}

QelDateTime ParseStoredDate(std::string_view text) {
  QelDateTime invalid;
  invalid.status = QelDateTime::kInvalid;
  // YYYY.MM.DD HH:MM:SS
  if (text.size() != 19 || text[4] != '.' || text[7] != '.' || text[10] != ' ' || text[13] != ':' || text[16] != ':') {
    return invalid;
  }
  int y, m, d, h, mi, s;
  if (!Digits(text, 0, 4, &y) || !Digits(text, 5, 2, &m) || !Digits(text, 8, 2, &d) || !Digits(text, 11, 2, &h) ||
      !Digits(text, 14, 2, &mi) || !Digits(text, 17, 2, &s)) {
    return invalid;
  }
  return QelDateTime::FromDate(y, m, d, h, mi, s);
}

}  // namespace qel

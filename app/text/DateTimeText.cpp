#include "app/text/DateTimeText.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdio>
#include <ctime>

namespace qel {

namespace {

std::string Printf3(const char* format, int a, int b, int c) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

// Formats with strftime in the given locale; "" when the text does not fit.
std::string StrftimeIn(locale_t locale, const std::string& format, const std::tm& tm) {
  if (format.empty()) return std::string();
  char buffer[256];
  const size_t n = strftime_l(buffer, sizeof buffer, format.c_str(), &tm, locale);
  return std::string(buffer, n);
}

// A two-digit year loses the century: the locale's date format with a full year.
std::string FullYearDateFormat(locale_t locale) {
  std::string format = nl_langinfo_l(D_FMT, locale);
  for (size_t pos = 0; (pos = format.find("%y", pos)) != std::string::npos; pos += 2) {
    if (pos > 0 && format[pos - 1] == '%') continue;  // "%%y" is a literal
    format[pos + 1] = 'Y';
  }
  return format;
}

}  // namespace

QelDateTime CurrentLocalDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  if (!localtime_r(&now, &tm)) return QelDateTime::Null();
  return QelDateTime::FromDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

bool IsDateValid(const QelDateTime& date) {
  int y, m, d;
  return date.IsValid() && date.Split(&y, &m, &d);
}

bool IsTimeValid(const QelDateTime& time) {
  int y, m, d, h, mi, s;
  return time.IsValid() && time.Split(&y, &m, &d, &h, &mi, &s);
}

std::string FormatDateDots(const QelDateTime& date) {
  int y, m, d;
  if (!date.Split(&y, &m, &d)) return "____.__.__";
  return Printf3("%04d.%02d.%02d", y, m, d);
}

std::string FormatDateDay(const QelDateTime& date, bool emptyWhenInvalid) {
  int y, m, d;
  if (!date.Split(&y, &m, &d)) return emptyWhenInvalid ? std::string() : "__.__.____";
  return Printf3("%02d.%02d.%04d", d, m, y);
}

std::string FormatTimeColons(const QelDateTime& time, bool seconds) {
  int y, m, d, h, mi, s;
  if (!time.Split(&y, &m, &d, &h, &mi, &s)) return seconds ? "__:__:__" : "__:__";
  if (seconds) return Printf3("%02d:%02d:%02d", h, mi, s);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", h, mi);
  return buffer;
}

std::string FormatTimeOrEmpty(const QelDateTime& time, bool emptyWhenInvalid) {
  int y, m, d, h, mi, s;
  if (!time.Split(&y, &m, &d, &h, &mi, &s)) return emptyWhenInvalid ? std::string() : "__:__:__";
  return Printf3("%02d:%02d:%02d", h, mi, s);
}

namespace {

// The environment's locale, made once per thread (making one reads the
// locale files: far too slow for a list of thousands of dates) and freed
// when the thread ends.
class ThreadLocale {
 public:
  ThreadLocale() {
    m_locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    if (!m_locale) m_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  }
  ~ThreadLocale() {
    if (m_locale) freelocale(m_locale);
  }
  ThreadLocale(const ThreadLocale&) = delete;
  ThreadLocale& operator=(const ThreadLocale&) = delete;
  locale_t Get() const { return m_locale; }

 private:
  locale_t m_locale = static_cast<locale_t>(0);
};

}  // namespace

std::string FormatDateTimeLocale(const QelDateTime& date) {
  int y, m, d, h, mi, s;
  if (!date.Split(&y, &m, &d, &h, &mi, &s)) return std::string();
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = m - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  tm.tm_isdst = 0;
  std::tm filled = tm;
  timegm(&filled);  // fills in the weekday and the day of the year
  tm.tm_wday = filled.tm_wday;
  tm.tm_yday = filled.tm_yday;

  thread_local const ThreadLocale threadLocale;
  const locale_t locale = threadLocale.Get();
  if (!locale) return std::string();
  const bool dayZero = std::floor(QelDateTime::Continuous(date.value)) == 0.0;
  const bool midnight = h == 0 && mi == 0 && s == 0;
  std::string text;
  if (!dayZero) text = StrftimeIn(locale, FullYearDateFormat(locale), tm);
  if (dayZero || !midnight) {
    const std::string timeText = StrftimeIn(locale, nl_langinfo_l(T_FMT, locale), tm);
    if (!text.empty() && !timeText.empty()) text += ' ';
    text += timeText;
  }
  return text;
}

}  // namespace qel

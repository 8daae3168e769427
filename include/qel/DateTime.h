// A date and time as a day number with a status: whole days since
// 30 December 1899, the fraction is the time of day. For dates before the
// epoch the whole part counts back and the fraction still counts forward
// (-1.25 is 29 December 1899, 06:00). Header-only, so plug-ins can use it.
#pragma once

#include <cmath>
#include <cstdint>

namespace qel {

struct QelDateTime {
  enum Status : int32_t { kValid = 0, kInvalid = 1, kNull = 2 };

  double value = 0.0;
  int32_t status = kNull;

  static constexpr double kMinValue = -657434.0;         // 1 January 100
  static constexpr double kMaxValue = 2958465.99999999;  // 31 December 9999

  static QelDateTime Null() { return {}; }
  static QelDateTime FromValue(double v) {
    QelDateTime d;
    d.value = v;
    d.status = (v >= kMinValue && v <= kMaxValue) ? kValid : kInvalid;
    return d;
  }
  static QelDateTime FromDate(int y, int m, int day, int h = 0, int mi = 0, int s = 0) {
    double v;
    if (!EncodeDate(y, m, day, h, mi, s, &v)) {
      QelDateTime d;
      d.status = kInvalid;
      return d;
    }
    return FromValue(v);
  }

  bool IsValid() const { return status == kValid; }
  bool IsNull() const { return status == kNull; }

  // Year, month, day, hour, minute, second; false when not valid.
  bool Split(int* y, int* m, int* d, int* h = nullptr, int* mi = nullptr, int* s = nullptr) const {
    if (!IsValid()) return false;
    return DecodeDate(value, y, m, d, h, mi, s);
  }

  // The day number as a continuous count of days (negative dates unfolded).
  static double Continuous(double v) {
    if (v >= 0.0) return v;
    const double whole = std::ceil(v);  // -1.25 -> -1
    const double frac = whole - v;      //          0.25 forward
    return whole + frac;
  }
  static double FromContinuous(double c) {
    if (c >= 0.0) return c;
    const double whole = std::floor(c);  // -0.75 -> -1 (29 Dec 06:00)
    const double frac = c - whole;
    return whole - frac;
  }

  static bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

  static bool EncodeDate(int y, int m, int d, int h, int mi, int s, double* out) {
    if (y < 100 || y > 9999 || m < 1 || m > 12) return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int dim = kDays[m - 1] + ((m == 2 && IsLeap(y)) ? 1 : 0);
    if (d < 1 || d > dim || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return false;
    // Days from 1 January 1 (proleptic Gregorian) to the date.
    const int64_t yy = y - 1;
    int64_t days = yy * 365 + yy / 4 - yy / 100 + yy / 400;
    for (int k = 0; k < m - 1; ++k) days += kDays[k] + ((k == 1 && IsLeap(y)) ? 1 : 0);
    days += d - 1;
    const int64_t kEpoch = 693593;  // days from 1 January 1 to 30 December 1899
    const double whole = static_cast<double>(days - kEpoch);
    const double frac = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    *out = FromContinuous(whole + frac);
    return true;
  }

  static bool DecodeDate(double v, int* y, int* m, int* d, int* h, int* mi, int* s) {
    if (!(v >= kMinValue && v <= kMaxValue)) return false;
    // Round to the second first, so 23:59:59.9999 does not fall back a day.
    const double c = Continuous(v);
    double secs = std::floor(c * 86400.0 + 0.5);
    int64_t days = static_cast<int64_t>(std::floor(secs / 86400.0));
    int64_t rem = static_cast<int64_t>(secs - static_cast<double>(days) * 86400.0);
    int64_t n = days + 693593;  // days since 1 January 1
    const int64_t n400 = n / 146097;
    n %= 146097;
    int64_t n100 = n / 36524;
    if (n100 == 4) n100 = 3;
    n -= n100 * 36524;
    const int64_t n4 = n / 1461;
    n %= 1461;
    int64_t n1 = n / 365;
    if (n1 == 4) n1 = 3;
    n -= n1 * 365;
    const int year = static_cast<int>(n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1);
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (true) {
      const int dim = kDays[month] + ((month == 1 && IsLeap(year)) ? 1 : 0);
      if (n < dim) break;
      n -= dim;
      ++month;
    }
    if (y) *y = year;
    if (m) *m = month + 1;
    if (d) *d = static_cast<int>(n) + 1;
    if (h) *h = static_cast<int>(rem / 3600);
    if (mi) *mi = static_cast<int>((rem / 60) % 60);
    if (s) *s = static_cast<int>(rem % 60);
    return true;
  }
};

// Days from b to a (a - b), with negative dates unfolded; false when either
// is not valid or the result is out of the representable range.
inline bool QelDateDiffDays(const QelDateTime& a, const QelDateTime& b, double* days) {
  *days = 0.0;
  if (!a.IsValid() || !b.IsValid()) return false;
  const double diff = QelDateTime::Continuous(a.value) - QelDateTime::Continuous(b.value);
  if (diff < -3615897.0 || diff > 3615897.0) return false;
  *days = diff;
  return true;
}

// Age in years at the test date: whole days / 365.25; false (and 0.0) when
// either date is not valid or the test date is not after the birth date.
inline bool QelAgeInYears(const QelDateTime& birth, const QelDateTime& test, double* out) {
  *out = 0.0;
  double days;
  if (!QelDateDiffDays(test, birth, &days)) return false;
  const double whole = std::trunc(days);
  if (!(whole > 0.0)) return false;
  *out = whole / 365.25;
  return true;
}

// The testee record as the run data sees it: only the birth date is read.
struct QelTesteeRecord {
  QelDateTime birthDate;
};

}  // namespace qel

// Date arithmetic of the norm getters: the date type's own rules, under
// the names the task code uses.
#pragma once

#include "include/qel/DateTime.h"

namespace qel {

// a - b in days (negative dates unfolded); false when either date is not
// valid or the difference is out of range.
inline bool DateDiffDays(const QelDateTime& a, const QelDateTime& b, double* days) {
  return QelDateDiffDays(a, b, days);
}

// Age in whole days / 365.25 at the test date; false (and 0.0) when either
// date is not valid or the test date is not after the birth date.
inline bool GetAgeInYears(const QelDateTime& birth, const QelDateTime& test, double* out) {
  return QelAgeInYears(birth, test, out);
}

}  // namespace qel

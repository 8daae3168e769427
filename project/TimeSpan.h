// A time span as a number of days with the status of the program's date
// type: valid, invalid or null.
#pragma once

#include <cstdint>

#include "include/qel/DateTime.h"

namespace qel {

struct CTimeSpan {
  double m_days = 0.0;
  int32_t m_status = QelDateTime::kNull;

  bool IsValid() const { return m_status == QelDateTime::kValid; }
  bool IsNull() const { return m_status == QelDateTime::kNull; }
};

}  // namespace qel

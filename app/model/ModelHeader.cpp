#include "app/model/ModelHeader.h"

#include <algorithm>

#include "app/text/DateTimeText.h"

namespace qel {

void CModelHeader::Reset() {
  m_version = kFormatVersion;
  m_release = kReleaseText;
  m_creation = FormatDateTimeLocale(CurrentLocalDateTime());
  m_taskCount = 0;
  std::fill(std::begin(m_reserved), std::end(m_reserved), uint8_t{0});
}

}  // namespace qel

#include "app/model/ModelHeader.h"

#include <algorithm>

#include "app/text/DateTimeText.h"

namespace qel {

void CModelHeader::Reset() {
  version = kFormatVersion;
  release = kReleaseText;
  creation = FormatDateTimeLocale(CurrentLocalDateTime());
  taskCount = 0;
  std::fill(std::begin(reserved), std::end(reserved), uint8_t{0});
}

}  // namespace qel

#include "app/text/NumberText.h"

#include <cinttypes>
#include <cstdio>

namespace qel {

std::string FormatSize(uint64_t value, bool binary) {
  const uint64_t base = binary ? 1024 : 1000;
  const uint64_t q = value / base;
  const uint64_t m = q / base;
  const uint64_t r1 = q % base;
  const uint64_t r0 = value % base;
  char buffer[64];
  int n = 0;
  if (m != 0) n += std::snprintf(buffer + n, sizeof buffer - n, "%" PRIu64 ",", m);
  if (m != 0) n += std::snprintf(buffer + n, sizeof buffer - n, "%03" PRIu64 ",", r1);
  else if (q != 0) n += std::snprintf(buffer + n, sizeof buffer - n, "%" PRIu64 ",", r1);
  if (m != 0 || r1 != 0) std::snprintf(buffer + n, sizeof buffer - n, "%03" PRIu64, r0);
  else std::snprintf(buffer + n, sizeof buffer - n, "%" PRIu64, r0);
  return buffer;
}

std::string FormatThousands(uint64_t value) { return FormatSize(value, false); }

}  // namespace qel

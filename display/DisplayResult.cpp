#include "display/DisplayResult.h"

#include <cstring>

namespace qel {

namespace display {

std::string ResultName(int result) {
  char buffer[256];
  // GNU strerror_r returns the text, which need not be in `buffer`.
  const char* text = strerror_r(result, buffer, sizeof buffer);
  return text ? text : "Unknown error";
}

}  // namespace display

}  // namespace qel

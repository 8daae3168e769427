#include "app/model/ResponseCodeName.h"

namespace qel {

std::string GetResponseCodeName(uint32_t code, bool* isCommon) {
  static const char* const kNames[] = {"NO", "HI", "CR", "FA", "MI", "AC", "OM", "IN", "DU"};
  const bool common = code < sizeof kNames / sizeof kNames[0];
  if (isCommon) *isCommon = common;
  return common ? std::string(kNames[code]) : std::to_string(code);
}

}  // namespace qel

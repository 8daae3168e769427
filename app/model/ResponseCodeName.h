// Names of the common response categories.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

// "NO", "HI", "CR", "FA", "MI", "AC", "OM", "IN", "DU" for codes 0-8 with
// *isCommon = true; otherwise the code as a decimal number and false.
std::string GetResponseCodeName(uint32_t code, bool* isCommon = nullptr);

}  // namespace qel

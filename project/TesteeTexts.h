// The texts of a testee's handedness and sex, as the testee dialog offers
// them and the lists and the project cache show them.
#pragma once

#include <string>

namespace qel {

// "R", "L", "A" for 0, 1, 2; empty for any other index.
std::string GetHandednessCode(int index);
// "Male", "Female" for 0, 1; empty for any other index.
std::string GetSexName(int index);
// "%s, %s" of the handedness code and the sex name.
std::string FormatHandednessSex(int preference, int sex);

}  // namespace qel

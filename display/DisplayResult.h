// Results of display operations. The display keeps the last one; there is
// no graphics driver behind our surfaces, so results are errno values (0 =
// success) and their names are the system's texts for them.
#pragma once

#include <string>

namespace qel {

namespace display {

// The system's text for a result ("Success", "Cannot allocate memory", ...).
std::string ResultName(int result);

}  // namespace display

}  // namespace qel

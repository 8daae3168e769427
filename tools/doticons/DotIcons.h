// The pictures of the dot sets on the parameter page of "Sustained
// Attention Dots": the task's grey frame on black with 3, 4, 5 or 6 grey
// square dots laid out as on a die (ICON resources 149..152 of QelSAD).
#pragma once

#include <vector>

#include "tools/pictures/PictureDescription.h"

namespace qel {

namespace doticons {

inline constexpr int kIconSize = 32;
inline constexpr int kFirstDots = 3;
inline constexpr int kIconCount = 4;  // 3, 4, 5 and 6 dots

// The pictures of 3, 4, 5 and 6 dots, in that order.
const std::vector<pictures::PictureDescription>& DotIcons();

}  // namespace doticons

}  // namespace qel

// The six animal pictures of the house tasks, numbered as the tasks number
// them: 1 cat, 2 fish, 3 snail, 4 butterfly, 5 bee, 6 bird. Each fills the
// top of a window of the house (96 x 100 pixels, drawn 1:1).
#pragma once

#include <vector>

#include "tools/pictures/PictureDescription.h"

namespace qel {

namespace pictures {

inline constexpr int kAnimalWidth = 96;
inline constexpr int kAnimalHeight = 100;

// Pictures 1..6 in order.
const std::vector<PictureDescription>& AnimalPictures();

}  // namespace pictures

}  // namespace qel

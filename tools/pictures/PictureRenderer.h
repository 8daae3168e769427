// Paints a picture description with cairo.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/pictures/PictureDescription.h"

namespace qel {

namespace pictures {

// Returns width x height pixels 0x00RRGGBB, rows top to bottom. Throws
// std::invalid_argument for a malformed description.
std::vector<uint32_t> RenderPicture(const PictureDescription& picture);

}  // namespace pictures

}  // namespace qel

// Writes pictures as PNG files (8-bit RGB, no alpha, no time stamp) through
// cairo's PNG writer, so the same pixels always give the same bytes with the
// same libraries.
#pragma once

#include <cstdint>
#include <vector>

namespace qel {

namespace pictures {

// pixels: width x height values 0x00RRGGBB (the top byte is ignored), rows
// top to bottom, stride in pixels. Returns the file's bytes; throws
// std::invalid_argument for a size out of range and std::runtime_error when
// cairo fails.
std::vector<uint8_t> EncodePng24(const uint32_t* pixels, int width, int height, int stride);

}  // namespace pictures

}  // namespace qel

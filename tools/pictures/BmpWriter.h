// Writes pictures as uncompressed 24-bit BMP files: a BITMAPFILEHEADER, a
// BITMAPINFOHEADER, then the rows bottom-up in blue-green-red order, each
// row padded to a multiple of four bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace pictures {

// pixels: width x height values 0x00RRGGBB (the top byte is ignored), rows
// top to bottom, stride in pixels. Returns the file's bytes.
std::vector<uint8_t> EncodeBmp24(const uint32_t* pixels, int width, int height, int stride);

// Writes width x height pixels (stride = width) as a BMP file; false (and a
// message on the standard error) when the file cannot be written.
bool WriteBmp24File(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height);

}  // namespace pictures

}  // namespace qel

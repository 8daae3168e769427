#include "tools/pictures/BmpWriter.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace qel {

namespace pictures {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < width || width > 65535 || height > 65535) {
    throw std::invalid_argument("picture size out of range");
  }
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
  const uint32_t headerBytes = 14 + 40;

  std::vector<uint8_t> out;
  out.reserve(headerBytes + imageBytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, headerBytes + imageBytes);
  Put32(out, 0);  // two reserved words
  Put32(out, headerBytes);
  // BITMAPINFOHEADER
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
  Put16(out, 1);                              // planes
  Put16(out, 24);                             // bits per pixel
  Put32(out, 0);                              // BI_RGB
  Put32(out, imageBytes);
  Put32(out, 2835);  // 72 dpi in pixels per metre
  Put32(out, 2835);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours

  for (int y = height - 1; y >= 0; --y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<uint8_t>(row[x]));        // blue
      out.push_back(static_cast<uint8_t>(row[x] >> 8));   // green
      out.push_back(static_cast<uint8_t>(row[x] >> 16));  // red
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool WriteBmp24File(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height) {
  const std::vector<uint8_t> bytes = EncodeBmp24(pixels.data(), width, height, width);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace pictures

}  // namespace qel

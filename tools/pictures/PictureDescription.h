// A picture described as vectors: a background colour and shapes painted in
// order, each an outline (PicturePath.h) filled and/or stroked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace pictures {

inline constexpr uint32_t kNoColour = 0xFFFFFFFFu;

struct Shape {
  uint32_t fill = kNoColour;    // 0xRRGGBB
  uint32_t stroke = kNoColour;  // 0xRRGGBB
  double lineWidth = 0;
  std::string path;
  int clip = -1;  // index of an earlier shape whose outline limits this one
};

struct PictureDescription {
  std::string fileName;
  int width = 0;
  int height = 0;
  uint32_t background = 0;
  std::vector<Shape> shapes;
};

}  // namespace pictures

}  // namespace qel

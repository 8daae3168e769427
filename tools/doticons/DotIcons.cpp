#include "tools/doticons/DotIcons.h"

namespace qel {

namespace doticons {

namespace {

using pictures::kNoColour;
using pictures::PictureDescription;
using pictures::Shape;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x7F7F7F;  // the task's dots and frame

// The frame: a one-pixel outline on the icon's pixels 1 and 30, a grey
// square with a black one inside it (filled edges stay sharp).
constexpr const char* kFrameOutside = "M 1 1 L 31 1 L 31 31 L 1 31 Z";
constexpr const char* kFrameInside = "M 2 2 L 30 2 L 30 30 L 2 30 Z";

// Dots of 4 x 4 pixels on a 3 x 3 grid of cells 8 pixels apart around the
// centre; cell 0 top left, row by row.
const char* const kCellSquares[9] = {
    "M 6 6 L 10 6 L 10 10 L 6 10 Z",   "M 14 6 L 18 6 L 18 10 L 14 10 Z",   "M 22 6 L 26 6 L 26 10 L 22 10 Z",
    "M 6 14 L 10 14 L 10 18 L 6 18 Z", "M 14 14 L 18 14 L 18 18 L 14 18 Z", "M 22 14 L 26 14 L 26 18 L 22 18 Z",
    "M 6 22 L 10 22 L 10 26 L 6 26 Z", "M 14 22 L 18 22 L 18 26 L 14 26 Z", "M 22 22 L 26 22 L 26 26 L 22 26 Z",
};

PictureDescription Icon(const char* fileName, std::vector<int> cells) {
  PictureDescription icon{fileName,
                          kIconSize,
                          kIconSize,
                          kBlack,
                          {{kGrey, kNoColour, 0, kFrameOutside}, {kBlack, kNoColour, 0, kFrameInside}}};
  for (int cell : cells) icon.shapes.push_back(Shape{kGrey, kNoColour, 0, kCellSquares[cell]});
  return icon;
}

}  // namespace

const std::vector<PictureDescription>& DotIcons() {
  static const std::vector<PictureDescription> icons = {
      Icon("dots3.bmp", {0, 4, 8}),
      Icon("dots4.bmp", {0, 2, 6, 8}),
      Icon("dots5.bmp", {0, 2, 4, 6, 8}),
      Icon("dots6.bmp", {0, 2, 3, 5, 6, 8}),
  };
  return icons;
}

}  // namespace doticons

}  // namespace qel

#include "tools/prosody/ButtonPictures.h"

#include <cstdio>
#include <string>

#include "tools/pictures/PictureDescription.h"
#include "tools/pictures/PictureRenderer.h"

namespace qel {

namespace prosody {
namespace {

constexpr uint32_t kScreen = 0x000000;
constexpr uint32_t kRim = 0x3C3C3C;
constexpr uint32_t kLight = 0xF4F4F4;
constexpr uint32_t kShade = 0x7A7A7A;
constexpr uint32_t kFace = 0xD6D6D6;
constexpr uint32_t kPressedFace = 0xBDBDBD;

// A rectangle with rounded corners of radius r, in the path language of the
// picture renderer (the corners as cubic curves).
std::string RoundedRect(double x, double y, double w, double h, double r) {
  const double k = r * 0.5523;  // the control distance of a quarter circle
  char path[512];
  std::snprintf(path, sizeof path,
                "M %.2f %.2f L %.2f %.2f C %.2f %.2f %.2f %.2f %.2f %.2f L %.2f %.2f C %.2f %.2f %.2f %.2f %.2f %.2f "
                "L %.2f %.2f C %.2f %.2f %.2f %.2f %.2f %.2f L %.2f %.2f C %.2f %.2f %.2f %.2f %.2f %.2f Z",
                x + r, y, x + w - r, y, x + w - r + k, y, x + w, y + r - k, x + w, y + r,        // top, top right
                x + w, y + h - r, x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h,  // right, bottom right
                x + r, y + h, x + r - k, y + h, x, y + h - r + k, x, y + h - r,                  // bottom, bottom left
                x, y + r, x, y + r - k, x + r - k, y, x + r, y);                                 // left, top left
  return path;
}

}  // namespace

const std::vector<ButtonSpec>& ButtonSpecs() {
  static const std::vector<ButtonSpec> specs = {
      {"large.bmp", kLargeWidth, kLargeHeight, false},
      {"large_pressed.bmp", kLargeWidth, kLargeHeight, true},
      {"small.bmp", kSmallWidth, kSmallHeight, false},
      {"small_pressed.bmp", kSmallWidth, kSmallHeight, true},
  };
  return specs;
}

std::vector<uint32_t> RenderButton(const ButtonSpec& spec) {
  const double w = spec.width;
  const double h = spec.height;
  const double radius = h * 0.18;
  const double bevel = h >= kLargeHeight ? 4.0 : 3.0;
  // The rim, a light and a dark edge (swapped when pressed: the face sinks
  // in), and the face inside them.
  const std::string rim = RoundedRect(0.5, 0.5, w - 1.0, h - 1.0, radius);
  const std::string upper = RoundedRect(1.5, 1.5, w - 3.0 - bevel * 0.5, h - 3.0 - bevel * 0.5, radius - 1.0);
  const std::string lower =
      RoundedRect(1.5 + bevel * 0.5, 1.5 + bevel * 0.5, w - 3.0 - bevel * 0.5, h - 3.0 - bevel * 0.5, radius - 1.0);
  const std::string face = RoundedRect(1.5 + bevel, 1.5 + bevel, w - 3.0 - 2 * bevel, h - 3.0 - 2 * bevel,
                                       radius - bevel > 2.0 ? radius - bevel : 2.0);

  pictures::PictureDescription d;
  d.fileName = spec.fileName;
  d.width = spec.width;
  d.height = spec.height;
  d.background = kScreen;
  d.shapes.push_back({kRim, pictures::kNoColour, 0, rim.c_str(), -1});
  d.shapes.push_back({spec.pressed ? kShade : kLight, pictures::kNoColour, 0, upper.c_str(), 0});
  d.shapes.push_back({spec.pressed ? kLight : kShade, pictures::kNoColour, 0, lower.c_str(), 0});
  d.shapes.push_back({spec.pressed ? kPressedFace : kFace, pictures::kNoColour, 0, face.c_str(), 0});
  return pictures::RenderPicture(d);
}

}  // namespace prosody

}  // namespace qel

// The Prosody task's buttons: a raised face with rounded corners on the
// black screen, and the same face pressed in, in a large size (the emotion
// buttons) and a small one (the start and next button). The task draws the
// labels itself.
#pragma once

#include <cstdint>
#include <vector>

namespace qel {

namespace prosody {

inline constexpr int kLargeWidth = 169;
inline constexpr int kLargeHeight = 75;
inline constexpr int kSmallWidth = 113;
inline constexpr int kSmallHeight = 50;

struct ButtonSpec {
  const char* fileName;
  int width;
  int height;
  bool pressed;
};

// Large normal, large pressed, small normal, small pressed.
const std::vector<ButtonSpec>& ButtonSpecs();

// width x height pixels 0x00RRGGBB, rows top to bottom.
std::vector<uint32_t> RenderButton(const ButtonSpec& spec);

}  // namespace prosody

}  // namespace qel

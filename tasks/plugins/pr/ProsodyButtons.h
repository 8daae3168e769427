// The operator's buttons on the testee's screen in the Prosody task: where
// they stand for a screen centre, which one a point hits, and their labels.
// Button 0 starts the part and passes on a sentence; buttons 1..4 name the
// emotions happy, sad, angry, frightened.
#pragma once

#include <string>

#include "include/qel/DrawContext.h"

namespace qel {

namespace pr {

constexpr int kButtons = 5;
constexpr int kSmallWidth = 113;
constexpr int kSmallHeight = 50;
constexpr int kLargeWidth = 169;
constexpr int kLargeHeight = 75;
// Where a label's centre lies on a small and on a large button, and how far
// it moves while the button is pressed.
constexpr int kSmallLabelX = 56;
constexpr int kSmallLabelY = 25;
constexpr int kLargeLabelX = 84;
constexpr int kLargeLabelY = 37;
constexpr int kPressedShift = 1;
constexpr int kLabelPoints = 24;
// Room kept free on either side of a label; a wider label is drawn smaller.
constexpr int kLabelMargin = 8;

// BITMAP resources of the buttons.
enum ButtonBitmap : uint32_t {
  kBitmapLarge = 301,
  kBitmapLargePressed = 302,
  kBitmapSmall = 303,
  kBitmapSmallPressed = 304,
};

// Labels of button 0.
constexpr const char* kLabelStart = "Start";
constexpr const char* kLabelCancel = "Cancel";
constexpr const char* kLabelNext = "==>";

struct ButtonLayout {
  QelRect rects[kButtons];
};

// Button 0 at (cx - 56, cy + 25), button i (1..4) at (cx + 185 i - 547,
// cy x 3 / 2 - 37).
ButtonLayout LayoutButtons(int cx, int cy);

// The button whose rectangle holds the point; -1 for none.
int HitButton(const ButtonLayout& layout, int x, int y);

// Where the pointer starts when the operator may click.
QelPoint PointerStart(int cx, int cy);

// The label of an emotion button (1..4) in a language (0 English, 1 Dutch,
// 2 Italian).
const char* EmotionLabel(int language, int button);

}  // namespace pr

}  // namespace qel

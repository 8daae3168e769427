#include "tasks/plugins/pr/ProsodyButtons.h"

namespace qel {

namespace pr {
namespace {

constexpr int kSpacing = 185;
constexpr int kFirstOffset = 547;

const char* const kLabels[3][4] = {
    {"Happy", "Sad", "Angry", "Frightened"},
    {"Blij", "Droevig", "Boos", "Bang"},
    {"Felice", "Triste", "Arrabbiato", "Spaventato"},
};

}  // namespace

ButtonLayout LayoutButtons(int cx, int cy) {
  ButtonLayout layout;
  layout.rects[0] = QelRect{cx - 56, cy + 25, cx - 56 + kSmallWidth, cy + 25 + kSmallHeight};
  const int top = cy * 3 / 2 - 37;
  for (int i = 1; i < kButtons; ++i) {
    const int left = cx + kSpacing * i - kFirstOffset;
    layout.rects[i] = QelRect{left, top, left + kLargeWidth, top + kLargeHeight};
  }
  return layout;
}

int HitButton(const ButtonLayout& layout, int x, int y) {
  for (int i = 0; i < kButtons; ++i) {
    const QelRect& r = layout.rects[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return i;
  }
  return -1;
}

QelPoint PointerStart(int cx, int cy) { return QelPoint{cx, cy * 3 / 2 - 75}; }

const char* EmotionLabel(int language, int button) {
  if (language < 0 || language > 2 || button < 1 || button > 4) return "";
  return kLabels[language][button - 1];
}

}  // namespace pr

}  // namespace qel

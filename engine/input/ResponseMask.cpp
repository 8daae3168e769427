#include "engine/input/ResponseMask.h"

#include <initializer_list>

#include "engine/input/InputTypes.h"
#include "engine/input/KeyCodes.h"

namespace qel {

namespace {
bool AnyDown(const uint8_t state[256], std::initializer_list<uint8_t> keys) {
  for (uint8_t key : keys) {
    if (state[key] & kDown) return true;
  }
  return false;
}
}  // namespace

uint32_t ResponseMaskFromKeyboard(const uint8_t state[256]) {
  uint32_t mask = 0;
  if (AnyDown(state, {kKeyLeftAlt, kKeyLeftShift, kKeyLeftCtrl})) mask |= kResponseLeft;
  if (AnyDown(state, {kKeyRightAlt, kKeyRightShift, kKeyRightCtrl})) mask |= kResponseRight;
  if (AnyDown(state, {kKeySpace})) mask |= kResponseThird;
  return mask;
}

uint32_t ResponseMaskFromButtons(const uint8_t* buttons, size_t count) {
  uint32_t mask = 0;
  for (size_t i = 0; i < 3 && i < count; ++i) {
    if (buttons[i] & kDown) mask |= 1u << i;
  }
  return mask;
}

}  // namespace qel

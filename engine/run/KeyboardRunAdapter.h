// The testee keyboard of the input layer as the machine reads it: Escape is
// scan code 1 of the 256-byte key state, down while its high bit is set.
#pragma once

#include <cstdint>

#include "engine/input/InputDevices.h"
#include "engine/input/KeyCodes.h"
#include "engine/run/RunKeyboard.h"

namespace qel {

class CKeyboardRunAdapter final : public IRunKeyboard {
 public:
  bool IsEscapeDown() override {
    uint8_t state[qel::kKeyboardStateSize] = {};
    qel::ReadKeyboard(state);
    return (state[qel::kKeyEscape] & 0x80) != 0;
  }
};

}  // namespace qel

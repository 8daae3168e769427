#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "engine/input/KeyCodes.h"
#include "engine/input/X11KeyMap.h"

namespace qel {

namespace {

struct KeyCase {
  const char* name;
  unsigned x11;  // evdev key code + 8
  uint8_t code;
};

class X11KeyMapTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(X11KeyMapTest, MapsTheXKeyCodeToTheKeyStateCode) {
  EXPECT_EQ(KeyCodeFromX11(GetParam().x11), GetParam().code);
  if (GetParam().code != 0) {
    EXPECT_EQ(X11FromKeyCode(GetParam().code), GetParam().x11);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, X11KeyMapTest,
    ::testing::Values(
        // Main block: X key code - 8.
        KeyCase{"Escape", 9, kKeyEscape}, KeyCase{"Digit1", 10, kKey1}, KeyCase{"LeftCtrl", 37, kKeyLeftCtrl},
        KeyCase{"LeftShift", 50, kKeyLeftShift}, KeyCase{"RightShift", 62, kKeyRightShift},
        KeyCase{"LeftAlt", 64, kKeyLeftAlt}, KeyCase{"Space", 65, kKeySpace}, KeyCase{"Keypad7", 79, kKeyKeypad7},
        KeyCase{"Keypad0", 90, kKeyKeypad0}, KeyCase{"KeypadDecimal", 91, kKeyKeypadDecimal},
        KeyCase{"Oem102", 94, kKeyOem102}, KeyCase{"F11", 95, kKeyF11}, KeyCase{"F12", 96, kKeyF12},
        // Extended keys: by table.
        KeyCase{"KeypadEnter", 104, kKeyKeypadEnter}, KeyCase{"RightCtrl", 105, kKeyRightCtrl},
        KeyCase{"KeypadDivide", 106, kKeyKeypadDivide}, KeyCase{"PrintScreen", 107, kKeySysRq},
        KeyCase{"RightAlt", 108, kKeyRightAlt}, KeyCase{"Home", 110, kKeyHome}, KeyCase{"Up", 111, kKeyUp},
        KeyCase{"PageUp", 112, kKeyPageUp}, KeyCase{"Left", 113, kKeyLeft}, KeyCase{"Right", 114, kKeyRight},
        KeyCase{"End", 115, kKeyEnd}, KeyCase{"Down", 116, kKeyDown}, KeyCase{"PageDown", 117, kKeyPageDown},
        KeyCase{"Insert", 118, kKeyInsert}, KeyCase{"Delete", 119, kKeyDelete}, KeyCase{"Pause", 127, kKeyPause},
        KeyCase{"LeftWindows", 133, kKeyLeftWindows}, KeyCase{"RightWindows", 134, kKeyRightWindows},
        KeyCase{"Menu", 135, kKeyApps},
        // Not reported.
        KeyCase{"Below", 8, 0}, KeyCase{"Unused84", 92, 0}, KeyCase{"Top", 255, 0}, KeyCase{"OutOfRange", 300, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(X11KeyMap, EveryReportedCodeComesFromExactlyOneXKey) {
  std::set<uint8_t> seen;
  for (unsigned x = 0; x < 256; ++x) {
    const uint8_t code = KeyCodeFromX11(x);
    if (code == 0) continue;
    EXPECT_TRUE(seen.insert(code).second) << "code " << int(code) << " twice";
  }
  EXPECT_GE(seen.size(), 104u);  // a full-size keyboard
}

TEST(X11KeyMap, KeyStateMarksExactlyTheKeysDownInTheBitmap) {
  char keymap[32] = {};
  const auto press = [&](unsigned x) { keymap[x / 8] = static_cast<char>(keymap[x / 8] | (1 << (x % 8))); };
  press(50);   // left Shift
  press(105);  // right Ctrl
  press(92);   // a key the state does not report
  uint8_t state[256];
  std::fill(std::begin(state), std::end(state), uint8_t{0x55});  // stale content is cleared
  KeyboardStateFromX11Keymap(keymap, state);
  for (int code = 0; code < 256; ++code) {
    const bool down = code == kKeyLeftShift || code == kKeyRightCtrl;
    EXPECT_EQ(state[code], down ? 0x80 : 0x00) << "code " << code;
  }
}

}  // namespace

}  // namespace qel

// X11 key codes (evdev numbering: the kernel's key code + 8) to the key codes
// of the keyboard state. The kernel numbers the main block like the scan
// codes (Escape 1 ... F12 88), so there the code is the X key code - 8; a
// table maps the extended keys, whose kernel numbers differ.
#pragma once

#include <cstdint>

namespace qel {

// The key code for an X key code; 0 for keys the state does not report.
uint8_t KeyCodeFromX11(unsigned x11Keycode);

// The inverse, for tests and tools: the X key code of a key code; 0 when none.
unsigned X11FromKeyCode(uint8_t keyCode);

// Builds the 256-byte keyboard state (0x80 = down) from the 32-byte key
// bitmap that XQueryKeymap returns.
void KeyboardStateFromX11Keymap(const char keymap[32], uint8_t state[256]);

}  // namespace qel

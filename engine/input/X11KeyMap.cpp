#include "engine/input/X11KeyMap.h"

#include <array>
#include <cstring>

#include "engine/input/InputTypes.h"
#include "engine/input/KeyCodes.h"

namespace qel {

namespace {

constexpr unsigned kEvdevOffset = 8;

struct Extended {
  unsigned kernelCode;
  uint8_t keyCode;
};

// Kernel key numbers outside the scan-code-numbered main block.
constexpr Extended kExtended[] = {
    {89, kKeyAbntC1},        {92, kKeyConvert},      {93, kKeyKana},         {94, kKeyNoConvert},
    {96, kKeyKeypadEnter},   {97, kKeyRightCtrl},    {98, kKeyKeypadDivide}, {99, kKeySysRq},
    {100, kKeyRightAlt},     {102, kKeyHome},        {103, kKeyUp},          {104, kKeyPageUp},
    {105, kKeyLeft},         {106, kKeyRight},       {107, kKeyEnd},         {108, kKeyDown},
    {109, kKeyPageDown},     {110, kKeyInsert},      {111, kKeyDelete},      {113, kKeyMute},
    {114, kKeyVolumeDown},   {115, kKeyVolumeUp},    {116, kKeyPower},       {117, kKeyKeypadEquals},
    {119, kKeyPause},        {121, kKeyKeypadComma}, {124, kKeyYen},         {125, kKeyLeftWindows},
    {126, kKeyRightWindows}, {127, kKeyApps},        {140, kKeyCalculator},  {142, kKeySleep},
    {143, kKeyWake},         {155, kKeyMail},        {163, kKeyNextTrack},   {164, kKeyPlayPause},
    {165, kKeyPrevTrack},    {166, kKeyMediaStop},   {172, kKeyWebHome},     {183, kKeyF13},
    {184, kKeyF14},          {185, kKeyF15},
};

constexpr std::array<uint8_t, 256> BuildTable() {
  std::array<uint8_t, 256> table{};
  // Main block: Escape (1) to keypad '.' (83), then 102nd key, F11, F12.
  for (unsigned code = 1; code <= 83; ++code) table[code + kEvdevOffset] = static_cast<uint8_t>(code);
  for (unsigned code = 86; code <= 88; ++code) table[code + kEvdevOffset] = static_cast<uint8_t>(code);
  for (const Extended& e : kExtended) table[e.kernelCode + kEvdevOffset] = e.keyCode;
  return table;
}

constexpr std::array<uint8_t, 256> kTable = BuildTable();

}  // namespace

uint8_t KeyCodeFromX11(unsigned x11Keycode) { return x11Keycode < kTable.size() ? kTable[x11Keycode] : 0; }

unsigned X11FromKeyCode(uint8_t keyCode) {
  if (keyCode == 0) return 0;
  for (unsigned k = 0; k < kTable.size(); ++k) {
    if (kTable[k] == keyCode) return k;
  }
  return 0;
}

void KeyboardStateFromX11Keymap(const char keymap[32], uint8_t state[256]) {
  std::memset(state, 0, 256);
  for (unsigned x = 0; x < 256; ++x) {
    if ((static_cast<unsigned char>(keymap[x / 8]) >> (x % 8)) & 1u) {
      const uint8_t code = kTable[x];
      if (code != 0) state[code] = kDown;
    }
  }
}

}  // namespace qel

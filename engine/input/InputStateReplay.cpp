#include "engine/input/InputStateReplay.h"

#include <cstring>

namespace qel {

void InputStateReplay::Begin(uint64_t index, uint64_t generation, const char keymap[kKeymapBytes],
                             const uint8_t mouseButtons[kMouseButtons],
                             const uint8_t padButtons[kPads][kPadButtons]) {
  m_index = index;
  m_generation = generation;
  std::memcpy(m_keymap, keymap, sizeof m_keymap);
  std::memcpy(m_mouse, mouseButtons, sizeof m_mouse);
  std::memcpy(m_pads, padButtons, sizeof m_pads);
  m_begun = true;
}

bool InputStateReplay::IsCurrent(const InputEventLog& log) const {
  return m_begun && log.Generation() == m_generation && log.Count() - m_index <= InputEventLog::kCapacity;
}

InputStateReplay::Step InputStateReplay::Next(const InputEventLog& log, InputEventStamp* event) {
  if (!m_begun || log.Generation() != m_generation) return Step::kLost;
  if (m_index >= log.Count()) return Step::kNone;
  InputEventStamp e;
  if (!log.At(m_index, &e)) return Step::kLost;
  Apply(e);
  ++m_index;
  if (event != nullptr) *event = e;
  return Step::kApplied;
}

void InputStateReplay::Apply(const InputEventStamp& e) {
  const uint8_t down = e.press ? kDown : 0;
  switch (e.source) {
    case InputSource::kKey: {
      const auto bit = static_cast<char>(1u << (e.code % 8));
      char& byte = m_keymap[e.code / 8];
      byte = static_cast<char>(e.press ? (byte | bit) : (byte & ~bit));
      break;
    }
    case InputSource::kMouseButton:
      if (e.code < kMouseButtons) m_mouse[e.code] = down;
      break;
    case InputSource::kGamePadButton:
    case InputSource::kJoystickButton: {
      const int pad = e.source == InputSource::kGamePadButton ? 0 : 1;
      if (e.code < kPadButtons) m_pads[pad][e.code] = down;
      break;
    }
  }
}

}  // namespace qel

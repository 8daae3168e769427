// The keys and buttons as one reader steps through the input event log, one
// event per step: a press and its release that both arrived between two of
// the reader's looks are two changes of the state it reads, each with its
// own stamp, instead of none. Whoever turns key changes into responses (the
// run's beat, a task's tap loop) steps, then reads the state.
//
// Not shared: one reader, one replay (the device layer keeps one per thread).
#pragma once

#include <cstdint>

#include "engine/input/InputEventLog.h"
#include "engine/input/InputTypes.h"

namespace qel {

class InputStateReplay {
 public:
  static constexpr int kKeymapBytes = 32;
  static constexpr int kMouseButtons = 8;
  static constexpr int kPadButtons = static_cast<int>(sizeof(JoystickState::rgbButtons));
  // The game pad (0) and the joystick (1) in use.
  static constexpr int kPads = 2;

  enum class Step {
    kNone,     // no event is waiting: the state is the latest
    kApplied,  // the next event is now in the state
    kLost,     // the log was cleared or has overwritten the next event: begin anew
  };

  // Starts at log index `index` of log generation `generation` with the
  // state as it was there. A caller takes the index and generation first
  // and the state after them: events already in that state are stepped
  // again, which changes nothing.
  void Begin(uint64_t index, uint64_t generation, const char keymap[kKeymapBytes],
             const uint8_t mouseButtons[kMouseButtons], const uint8_t padButtons[kPads][kPadButtons]);
  bool IsBegun() const { return m_begun; }
  // Forgets the state: IsBegun() is false until the next Begin.
  void End() { m_begun = false; }

  // Begun on the log's current generation, and the next event still kept.
  bool IsCurrent(const InputEventLog& log) const;

  // Takes the next event into the state; *event (when given) is that event.
  Step Next(const InputEventLog& log, InputEventStamp* event);

  // The key bitmap (bit n = X key code n down), as XQueryKeymap gives it.
  const char* Keymap() const { return m_keymap; }
  // The mouse state's buttons and the pad's buttons (kDown when down).
  const uint8_t* MouseButtons() const { return m_mouse; }
  const uint8_t* PadButtons(int pad) const { return m_pads[pad]; }

 private:
  void Apply(const InputEventStamp& event);

  bool m_begun = false;
  uint64_t m_index = 0;
  uint64_t m_generation = 0;
  char m_keymap[kKeymapBytes] = {};
  uint8_t m_mouse[kMouseButtons] = {};
  uint8_t m_pads[kPads][kPadButtons] = {};
};

}  // namespace qel

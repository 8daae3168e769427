// The test task host for Tapping's runs. Its run clock is virtual: it
// moves on by 1 ms with every reading (one poll of the keys costs one
// tick) and by the slept time with every sleep, so a part that polls
// without pause runs through its seconds at once and sees each scripted key
// change at its exact ms. The keys come from a script of key presses over
// that clock, or from events the task takes one by one; drawing, tones and
// the rest are the shared test host's.
#pragma once

#include <functional>
#include <vector>

#include "tests/support/fakes/FakeDisplay.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

// What a scripted press holds down.
enum class KeySource {
  kLeftCtrl,     // left Ctrl/Shift
  kRightCtrl,    // right Ctrl/Shift
  kBothCtrl,     // both at once
  kLeftButton,   // response-device button 1
  kRightButton,  // response-device button 2
  kSpace,
  kEscape,
};

// Down from `from` (included) to `to` (excluded), in ms of the run clock.
struct KeyPress {
  KeySource source;
  uint32_t from;
  uint32_t to;
};

// A press (down) or release at a time of the run clock, for the host's
// event taking.
struct KeyEvent {
  KeySource source;
  uint32_t at;
  bool down;
};

class ScriptedHost final : public FakeTaskHost {
 public:
  // One tick of the clock per reading; no feedback sound loads.
  explicit ScriptedHost(FakeDisplay* d) : FakeTaskHost(d) {
    m_readStepMs = 1;
    m_waveLoads = false;
    m_buttonType = kButtonTypeGamePad;  // a two-button response device
  }

  uint32_t GetShiftCtrlKeys() override;
  uint32_t GetResponseKeys() override;
  int GetSpaceKey() override;
  uint32_t ReadButtons() override;
  // Takes the next of m_events whose time has come.
  bool NextInputEvent(uint32_t* runMs) override;

  // A new script from clock 0.
  void Reset(std::vector<KeyPress> presses);

  std::vector<KeyPress> m_script;
  // Keys down by rule (for long patterns), besides the script.
  std::function<bool(KeySource, uint32_t)> m_pattern;
  uint64_t m_keyReads = 0;
  // When not empty, the keys are the ones the events taken so far left
  // down (as the program's host gives them), not the script's.
  std::vector<KeyEvent> m_events;

 private:
  bool Down(KeySource source) const;

  size_t m_nextEvent = 0;
  std::vector<KeySource> m_taken;  // down by the events taken
};

}  // namespace qel

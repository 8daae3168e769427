// The examiner at the keyboard and the mouse, for the tasks that ask the
// operator for something after each response: keys typed through the
// host's digit-key reader, and clicks made by moving the pointer from where
// the task puts it to a point, pressing the left button there and letting it
// go. The operator drives the test host's scripts while it lives.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "include/qel/DrawContext.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace test {

class ScriptedOperator {
 public:
  // Pointer steps of at most this many pixels per mouse reading; the button
  // is held for this many readings.
  static constexpr int kStep = 40;
  static constexpr int kHoldReadings = 3;

  explicit ScriptedOperator(FakeTaskHost& host);
  ~ScriptedOperator();
  ScriptedOperator(const ScriptedOperator&) = delete;
  ScriptedOperator& operator=(const ScriptedOperator&) = delete;

  // Keys typed next, each read once: '0'..'9', '\n' Enter, '\b' Backspace,
  // '\x1b' Escape, '.' a reading without a key.
  void Type(const std::string& keys);
  // A click at `at`, the pointer starting at `start` when the task first
  // reads the mouse for it (that reading finds no movement yet).
  void Click(QelPoint start, QelPoint at);

  size_t PendingKeys() const { return m_keys.size(); }
  // Clicks not yet let go (the one under way included).
  size_t PendingClicks() const { return m_clicks.size(); }

 private:
  enum class State { kIdle, kMoving, kDown, kUp };
  struct ClickScript {
    QelPoint start;
    QelPoint at;
  };

  int ReadKey(char* out);
  void Move(int* dx, int* dy);
  uint32_t Buttons() const { return m_state == State::kDown ? 1u : 0u; }

  FakeTaskHost& m_host;
  std::deque<int> m_keys;
  std::deque<ClickScript> m_clicks;
  State m_state = State::kIdle;
  QelPoint m_pointer{0, 0};
  int m_hold = 0;
};

}  // namespace test

}  // namespace qel

// The test host of the mouse tasks. Its run clock is virtual: one reading
// of the mouse costs 1 ms (a pass of a task's polling loop), sleeps cost
// what they sleep, reading the clock costs nothing; so a part runs through
// its minutes at once and sees every scripted event at its exact ms.
// The testee's mouse is a function of the clock giving where the mouse has
// been moved to (the host reports the difference since its last report);
// keys and the response buttons come from windows of the clock; the
// operator's answers to "wait for Space" come from a queue.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace test {

// Down from `from` (included) to `to` (excluded), ms of the run clock.
struct KeyWindow {
  int key;  // kScanSpace or kScanEscape
  uint32_t from;
  uint32_t to;
};
struct ButtonWindow {
  uint32_t from;
  uint32_t to;
};

class MouseTestHost final : public FakeTaskHost {
 public:
  MouseTestHost() { m_readStepMs = 0; }

  void GetMouseDelta(int* dx, int* dy) override;
  int GetSpaceKey() override;
  uint32_t ReadButtons() override;
  int WaitSpaceChange() override;

  // A new script from clock 0, the mouse at (x, y).
  void Reset(int x, int y);

  // Where the mouse has been moved to at a time (null: it stays).
  std::function<QelPoint(uint32_t now)> m_mouse;
  std::vector<KeyWindow> m_keys;
  std::vector<ButtonWindow> m_buttons;
  // The key each WaitSpaceChange returns, in order (Space when empty), and
  // the ms it takes the operator to press and release it.
  std::deque<int> m_operatorKeys;
  uint32_t m_operatorMs = 300;
  // While set, the keys read as Escape held (a run that is being ended).
  bool m_interrupted = false;

  uint64_t m_mouseReads = 0;
  int m_waits = 0;  // calls of WaitSpaceChange
  QelPoint m_reported{0, 0};

 private:
  bool KeyDown(int key) const;
};

}  // namespace test

}  // namespace qel

#include "tasks/layers/mouse/tests/support/MouseTestHost.h"

namespace qel {

namespace test {

void MouseTestHost::Reset(int x, int y) {
  m_now = 0;
  m_reported = QelPoint{x, y};
  m_mouse = nullptr;
  m_keys.clear();
  m_buttons.clear();
  m_operatorKeys.clear();
  m_interrupted = false;
  m_mouseReads = 0;
  m_waits = 0;
  m_tones.clear();
  m_sleeps.clear();
  ClearCalls();
  breakFlag = 0;
  m_restoreCallback = nullptr;
}

void MouseTestHost::GetMouseDelta(int* dx, int* dy) {
  ++m_mouseReads;
  const QelPoint at = m_mouse ? m_mouse(m_now) : m_reported;
  *dx = at.x - m_reported.x;
  *dy = at.y - m_reported.y;
  m_reported = at;
  m_now += 1;
}

bool MouseTestHost::KeyDown(int key) const {
  for (const KeyWindow& w : m_keys) {
    if (w.key == key && m_now >= w.from && m_now < w.to) return true;
  }
  return false;
}

int MouseTestHost::GetSpaceKey() {
  if (m_interrupted || KeyDown(kScanEscape)) return kScanEscape;
  return KeyDown(kScanSpace) ? kScanSpace : 0;
}

uint32_t MouseTestHost::ReadButtons() {
  for (const ButtonWindow& w : m_buttons) {
    if (m_now >= w.from && m_now < w.to) return 1u;
  }
  return 0u;
}

int MouseTestHost::WaitSpaceChange() {
  ++m_waits;
  if (m_interrupted) return kScanEscape;
  int key = kScanSpace;
  if (!m_operatorKeys.empty()) {
    key = m_operatorKeys.front();
    m_operatorKeys.pop_front();
  }
  SleepMs(m_operatorMs);
  return key;
}

}  // namespace test

}  // namespace qel

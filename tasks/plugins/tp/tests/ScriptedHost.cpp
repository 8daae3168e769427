#include "tasks/plugins/tp/tests/ScriptedHost.h"

#include <algorithm>

namespace qel {

bool ScriptedHost::Down(KeySource source) const {
  if (!m_events.empty()) return std::find(m_taken.begin(), m_taken.end(), source) != m_taken.end();
  if (m_pattern && m_pattern(source, m_now)) return true;
  for (const KeyPress& p : m_script) {
    if (p.source == source && m_now >= p.from && m_now < p.to) return true;
  }
  return false;
}

uint32_t ScriptedHost::GetShiftCtrlKeys() {
  ++m_keyReads;
  const bool both = Down(KeySource::kBothCtrl);
  return ((both || Down(KeySource::kLeftCtrl)) ? 1u : 0u) | ((both || Down(KeySource::kRightCtrl)) ? 2u : 0u);
}

uint32_t ScriptedHost::GetResponseKeys() { return GetShiftCtrlKeys() | (Down(KeySource::kSpace) ? 4u : 0u); }

int ScriptedHost::GetSpaceKey() {
  if (Down(KeySource::kEscape)) return kScanEscape;
  return Down(KeySource::kSpace) ? kScanSpace : 0;
}

uint32_t ScriptedHost::ReadButtons() {
  ++m_keyReads;
  return (Down(KeySource::kLeftButton) ? 1u : 0u) | (Down(KeySource::kRightButton) ? 2u : 0u);
}

bool ScriptedHost::NextInputEvent(uint32_t* runMs) {
  if (m_nextEvent >= m_events.size() || m_events[m_nextEvent].at > m_now) return false;
  const KeyEvent& e = m_events[m_nextEvent++];
  const auto it = std::find(m_taken.begin(), m_taken.end(), e.source);
  if (e.down && it == m_taken.end()) m_taken.push_back(e.source);
  if (!e.down && it != m_taken.end()) m_taken.erase(it);
  *runMs = e.at;
  return true;
}

void ScriptedHost::Reset(std::vector<KeyPress> presses) {
  m_now = 0;
  m_script = std::move(presses);
  m_pattern = nullptr;
  m_events.clear();
  m_nextEvent = 0;
  m_taken.clear();
  m_tones.clear();
  m_sleeps.clear();
  ClearCalls();
  m_keyReads = 0;
  breakFlag = 0;
}

}  // namespace qel

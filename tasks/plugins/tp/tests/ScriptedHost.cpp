#include "tasks/plugins/tp/tests/ScriptedHost.h"

namespace qel {

bool ScriptedHost::Down(KeySource source) const {
  if (pattern && pattern(source, now)) return true;
  for (const KeyPress& p : script) {
    if (p.source == source && now >= p.from && now < p.to) return true;
  }
  return false;
}

uint32_t ScriptedHost::GetShiftCtrlKeys() {
  ++keyReads;
  const bool both = Down(KeySource::kBothCtrl);
  return ((both || Down(KeySource::kLeftCtrl)) ? 1u : 0u) | ((both || Down(KeySource::kRightCtrl)) ? 2u : 0u);
}

uint32_t ScriptedHost::GetResponseKeys() {
  return GetShiftCtrlKeys() | (Down(KeySource::kSpace) ? 4u : 0u);
}

int ScriptedHost::GetSpaceKey() {
  if (Down(KeySource::kEscape)) return kScanEscape;
  return Down(KeySource::kSpace) ? kScanSpace : 0;
}

uint32_t ScriptedHost::ReadButtons() {
  ++keyReads;
  return (Down(KeySource::kLeftButton) ? 1u : 0u) | (Down(KeySource::kRightButton) ? 2u : 0u);
}

void ScriptedHost::Reset(std::vector<KeyPress> presses) {
  now = 0;
  script = std::move(presses);
  pattern = nullptr;
  tones.clear();
  sleeps.clear();
  ClearCalls();
  keyReads = 0;
  breakFlag = 0;
}

}  // namespace qel

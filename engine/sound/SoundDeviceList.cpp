#include "engine/sound/SoundDeviceList.h"

namespace qel {

bool CSoundDeviceList::Add(const SoundDeviceEntry& entry) {
  if (m_count >= kMaxDevices) return false;
  SoundDeviceEntry& e = m_entries[m_count++];
  e = entry;
  if (e.description.size() > kMaxText) e.description.resize(kMaxText);
  if (e.moduleName.size() > kMaxText) e.moduleName.resize(kMaxText);
  return true;
}

const SoundDeviceEntry* CSoundDeviceList::At(int index) const {
  return index >= 0 && index < m_count ? &m_entries[index] : nullptr;
}

}  // namespace qel

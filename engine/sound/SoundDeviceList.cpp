#include "engine/sound/SoundDeviceList.h"

namespace qel {


bool CSoundDeviceList::Add(const SoundDeviceEntry& entry) {
  if (count_ >= kMaxDevices) return false;
  SoundDeviceEntry& e = entries_[count_++];
  e = entry;
  if (e.description.size() > kMaxText) e.description.resize(kMaxText);
  if (e.moduleName.size() > kMaxText) e.moduleName.resize(kMaxText);
  return true;
}

const SoundDeviceEntry* CSoundDeviceList::At(int index) const {
  return index >= 0 && index < count_ ? &entries_[index] : nullptr;
}

}  // namespace qel

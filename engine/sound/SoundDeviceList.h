// A list of at most four sound devices of one direction (output or capture).
#pragma once

#include <string>

namespace qel {

struct SoundDeviceEntry {
  bool isDefault = false;   // the system's default device (opened without a name)
  std::string openName;     // the name the audio system opens it by
  std::string description;  // shown to the operator (at most 511 characters)
  std::string moduleName;   // the audio driver behind it (at most 511 characters)
};

class CSoundDeviceList {
 public:
  static constexpr int kMaxDevices = 4;
  static constexpr size_t kMaxText = 511;

  void Clear() { m_count = 0; }
  // Adds a device; false when the list is full (the enumeration then stops).
  bool Add(const SoundDeviceEntry& entry);
  int Count() const { return m_count; }
  // Null outside 0..Count()-1.
  const SoundDeviceEntry* At(int index) const;

 private:
  SoundDeviceEntry m_entries[kMaxDevices];
  int m_count = 0;
};

}  // namespace qel

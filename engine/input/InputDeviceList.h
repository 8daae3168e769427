// A list of enumerated devices of one kind, with a fixed capacity: devices
// beyond it are not listed. Remembers which entry is currently created.
#pragma once

#include <string>
#include <vector>

#include "engine/input/InputTypes.h"

namespace qel {

class InputDeviceList {
 public:
  explicit InputDeviceList(int capacity) : m_capacity(capacity) {}

  void Clear() {
    m_entries.clear();
    m_selected = -1;
  }
  // False (and nothing listed) when the list is full.
  bool Add(const InputDeviceInstance& device) {
    if (static_cast<int>(m_entries.size()) >= m_capacity) return false;
    m_entries.push_back(device);
    return true;
  }
  bool Full() const { return static_cast<int>(m_entries.size()) >= m_capacity; }
  int Capacity() const { return m_capacity; }
  int Count() const { return static_cast<int>(m_entries.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  const InputDeviceInstance* At(int index) const {
    return Contains(index) ? &m_entries[static_cast<size_t>(index)] : nullptr;
  }
  std::string NameAt(int index) const {
    return Contains(index) ? m_entries[static_cast<size_t>(index)].instanceName : std::string();
  }

  int m_selected = -1;  // the entry whose device is created; -1 none

 private:
  int m_capacity;
  std::vector<InputDeviceInstance> m_entries;
};

}  // namespace qel

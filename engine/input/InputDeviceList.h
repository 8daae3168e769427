// A list of enumerated devices of one kind, with a fixed capacity: devices
// beyond it are not listed. Remembers which entry is currently created.
#pragma once

#include <string>
#include <vector>

#include "engine/input/InputTypes.h"

namespace qel {


class InputDeviceList {
 public:
  explicit InputDeviceList(int capacity) : capacity_(capacity) {}

  void Clear() {
    entries_.clear();
    selected = -1;
  }
  // False (and nothing listed) when the list is full.
  bool Add(const InputDeviceInstance& device) {
    if (static_cast<int>(entries_.size()) >= capacity_) return false;
    entries_.push_back(device);
    return true;
  }
  bool Full() const { return static_cast<int>(entries_.size()) >= capacity_; }
  int Capacity() const { return capacity_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  const InputDeviceInstance* At(int index) const {
    return Contains(index) ? &entries_[static_cast<size_t>(index)] : nullptr;
  }
  std::string NameAt(int index) const { return Contains(index) ? entries_[static_cast<size_t>(index)].instanceName : std::string(); }

  int selected = -1;  // the entry whose device is created; -1 none

 private:
  int capacity_;
  std::vector<InputDeviceInstance> entries_;
};

}  // namespace qel

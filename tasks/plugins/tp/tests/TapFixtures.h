// Tap lists and entries written out by hand for the tap tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tasks/plugins/tp/TapList.h"

namespace qel {

// A hand's list of finished taps (valid, intervals from press to press).
inline TapList Hand(int32_t mask, std::initializer_list<std::pair<int64_t, int64_t>> taps) {
  TapList list;
  list.keyMask = mask;
  for (const auto& [press, release] : taps) {
    const int64_t interval = list.Empty() ? 0 : press - list.taps.back().press;
    list.taps.push_back(Tap{press, release, interval, static_cast<uint8_t>(mask)});
  }
  return list;
}

// Stored entries: the keys after the change, the keys that changed, the ms
// since the change before.
struct StoredEntry {
  int32_t keys;
  int32_t changed;
  int32_t reactionTime;
};

struct StoredEntries {
  explicit StoredEntries(std::initializer_list<StoredEntry> entries) {
    for (const StoredEntry& e : entries) {
      categories.push_back(e.keys | (e.changed << kChangedShift));
      times.push_back(e.reactionTime);
    }
  }
  int Count() const { return static_cast<int>(categories.size()); }
  TapList Build(int32_t mask) const { return BuildTapList(Count(), categories.data(), times.data(), mask); }

  std::vector<int32_t> categories;
  std::vector<int32_t> times;
};

// press, release, interval, tag of every tap.
inline std::vector<std::vector<int64_t>> Rows(const TapList& list) {
  std::vector<std::vector<int64_t>> rows;
  for (const Tap& t : list.taps) rows.push_back({t.press, t.release, t.interval, t.tag});
  return rows;
}

}  // namespace qel

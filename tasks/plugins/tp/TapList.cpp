#include "tasks/plugins/tp/TapList.h"

#include <algorithm>

namespace qel {

TapList BuildTapList(int n, const int32_t* categories, const int32_t* reactionTimes, int32_t keyMask) {
  TapList list;
  list.keyMask = keyMask;
  if (!categories || !reactionTimes) return list;
  bool started = false;
  Tap current;
  for (int i = 0; i < n && list.Count() < kMaxTaps; ++i) {
    list.time += reactionTimes[i];
    const int32_t category = categories[i];
    if ((category & (keyMask << kChangedShift)) == 0) continue;
    if (category & keyMask) {
      current = Tap{list.time, list.time, 0, kTapInvalid};
      started = true;
    } else if (started) {
      current.release = list.time;
      current.interval = list.Empty() ? 0 : current.press - list.taps.back().press;
      current.tag = static_cast<uint8_t>(keyMask);
      list.taps.push_back(current);
      started = false;
    }
  }
  return list;
}

namespace {

// Overlap of a tap with [a, b]; positive when they share time.
int64_t Overlap(const Tap& t, int64_t a, int64_t b) { return std::min(b, t.release) - std::max(a, t.press); }

}  // namespace

int CountOverlaps(const TapList& list, int64_t a, int64_t b, int criterion) {
  if (a >= b) return 0;
  int count = 0;
  for (const Tap& t : list.taps) {
    if (t.press >= t.release) continue;
    const int64_t overlap = Overlap(t, a, b);
    if (overlap <= 0) continue;
    const int64_t meanDuration = ((t.release - t.press) + (b - a)) / 2;
    if (meanDuration > 0 && criterion < overlap * 100 / meanDuration) ++count;
  }
  return count;
}

int InvalidateOverlapping(TapList& list, int64_t a, int64_t b) {
  int count = 0;
  for (Tap& t : list.taps) {
    if (Overlap(t, a, b) > 0) {
      t.tag = kTapInvalid;
      ++count;
    }
  }
  return count;
}

int CountTapsInWindow(const TapList& list, int64_t a, int64_t b, uint8_t tag) {
  return static_cast<int>(std::count_if(list.taps.begin(), list.taps.end(),
                                        [&](const Tap& t) { return t.press >= a && t.release <= b && t.tag == tag; }));
}

int FindValidTap(const TapList& list, int64_t after, int* passed) {
  int invalid = 0;
  int found = -1;
  for (int i = 0; i < list.Count(); ++i) {
    const Tap& t = list.taps[i];
    if (t.press <= after) continue;
    if (t.tag == kTapInvalid) {
      ++invalid;
      continue;
    }
    found = i;
    break;
  }
  if (passed) *passed = invalid;
  return found;
}

}  // namespace qel

// The taps of one hand, rebuilt from the stored key-state entries of a
// Tapping part, and the overlap rules between taps. Times are ms of the
// list's running time (the sum of the entries' reaction times).
#pragma once

#include <cstdint>
#include <vector>

namespace qel {

constexpr int kMaxTaps = 500;

// Key bits of a stored entry's category: the state after the change in bits
// 0 (left) and 1 (right), the keys that changed in bits 2 and 3.
constexpr int32_t kKeyLeft = 1;
constexpr int32_t kKeyRight = 2;
constexpr int kChangedShift = 2;

// Tags of a tap: its hand, a synchronous pair, or invalid.
enum TapTag : uint8_t {
  kTapInvalid = 0,
  kTapLeft = 1,
  kTapRight = 2,
  kTapPair = 3,
};

struct Tap {
  int64_t press = 0;
  int64_t release = 0;
  int64_t interval = 0;  // press minus the previous tap's press (0 for the first)
  uint8_t tag = kTapInvalid;
};

struct TapList {
  int32_t keyMask = 0;  // kKeyLeft or kKeyRight; 0 for a merged list
  int64_t time = 0;     // running time after the last entry read
  std::vector<Tap> taps;

  int Count() const { return static_cast<int>(taps.size()); }
  bool Empty() const { return taps.empty(); }
};

// The finished taps (press and release) of the key of keyMask in the first
// n entries, at most kMaxTaps. A release before any press is ignored; a tap
// still held at the end is not counted.
TapList BuildTapList(int n, const int32_t* categories, const int32_t* reactionTimes, int32_t keyMask);

// Taps of the list (any tag) that overlap [a, b] by more than criterion
// percent of the mean duration of the two, in integer arithmetic.
int CountOverlaps(const TapList& list, int64_t a, int64_t b, int criterion);

// Tags every tap with any positive overlap with [a, b] invalid; returns
// their number.
int InvalidateOverlapping(TapList& list, int64_t a, int64_t b);

// Taps with press >= a, release <= b and the given tag.
int CountTapsInWindow(const TapList& list, int64_t a, int64_t b, uint8_t tag);

// Index of the first valid tap (tag not invalid) with press > after, -1 when
// none; passed counts the invalid taps with press > after met before it.
int FindValidTap(const TapList& list, int64_t after, int* passed);

}  // namespace qel

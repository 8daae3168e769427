#include "tasks/plugins/tp/TapMerging.h"

#include <algorithm>

namespace qel {

TapList BuildAlternation(TapList& left, TapList& right, int criterion) {
  for (Tap& t : left.taps) {
    if (CountOverlaps(right, t.press, t.release, criterion) > 0) t.tag = kTapInvalid;
  }
  for (Tap& t : right.taps) {
    if (CountOverlaps(left, t.press, t.release, criterion) > 0) t.tag = kTapInvalid;
  }

  TapList merged;
  int64_t reference = -1;
  int lastHand = 0;
  while (merged.Count() < kMaxTaps) {
    int passedLeft = 0;
    int passedRight = 0;
    const int l = FindValidTap(left, reference, &passedLeft);
    const int r = FindValidTap(right, reference, &passedRight);
    if (l < 0 && r < 0) break;
    const bool takeRight = r >= 0 && (l < 0 || right.taps[r].press < left.taps[l].press);
    Tap& tap = takeRight ? right.taps[r] : left.taps[l];
    const int hand = takeRight ? kTapRight : kTapLeft;
    const int passedOwn = takeRight ? passedRight : passedLeft;

    if (hand == lastHand && passedLeft == 0 && passedRight == 0) {
      // Two taps of one hand in a row: the second does not alternate.
      tap.tag = kTapInvalid;
      reference = tap.press;
      continue;
    }
    if (passedOwn == 0 || merged.Empty()) {
      merged.taps.push_back(Tap{tap.press, tap.release, tap.press - reference, static_cast<uint8_t>(hand)});
    }
    reference = tap.press;
    lastHand = hand;
  }
  return merged;
}

namespace {

// Each tap of `of` is valid only when exactly one tap of `against` overlaps
// it by more than the criterion; overlapping two invalidates those too.
void KeepSingleOverlaps(TapList& of, TapList& against, int criterion) {
  for (Tap& t : of.taps) {
    const int k = CountOverlaps(against, t.press, t.release, criterion);
    if (k != 1) t.tag = kTapInvalid;
    if (k > 1) InvalidateOverlapping(against, t.press, t.release);
  }
}

}  // namespace

TapList BuildSynchrony(TapList& left, TapList& right, int criterion) {
  KeepSingleOverlaps(left, right, criterion);
  KeepSingleOverlaps(right, left, criterion);

  TapList merged;
  int64_t reference = -1;
  int64_t previousPair = -1;
  bool retried = false;
  // Every round takes at least one tap out of the search, so the taps bound
  // the rounds; the bound also holds for stored data with odd times.
  const int rounds = left.Count() + right.Count() + 1;
  for (int round = 0; round < rounds; ++round) {
    int passedLeft = 0;
    int passedRight = 0;
    const int l = FindValidTap(left, reference, &passedLeft);
    const int r = FindValidTap(right, reference, &passedRight);
    if (l < 0 || r < 0 || merged.Count() >= kMaxTaps) break;
    const Tap& a = left.taps[l];
    const Tap& b = right.taps[r];
    const int64_t pair = (a.press + b.press) / 2;
    const int64_t end = std::max(a.release, b.release);
    if (CountOverlaps(left, pair, end, criterion) > 1 || CountOverlaps(right, pair, end, criterion) > 1) {
      const int64_t earlierRelease = std::min(a.release, b.release);
      InvalidateOverlapping(left, pair, end);
      InvalidateOverlapping(right, pair, end);
      reference = earlierRelease;
      retried = true;
      continue;
    }
    if (merged.Empty() || (!retried && passedLeft == 0 && passedRight == 0)) {
      merged.taps.push_back(Tap{pair, end, pair - previousPair, kTapPair});
    }
    previousPair = pair;
    reference = end;
    retried = false;
  }
  return merged;
}

}  // namespace qel

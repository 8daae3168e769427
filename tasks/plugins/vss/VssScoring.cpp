#include "tasks/plugins/vss/VssScoring.h"

namespace qel {

namespace {

constexpr int kSlots = 9;
constexpr int kVersion1[kSlots] = {6, 7, 8, 3, 4, 5, 0, 1, 2};
constexpr int kVersion2[kSlots] = {2, 1, 0, 5, 4, 3, 8, 7, 6};

}  // namespace

int MapSeriesIndex(int version, int index) {
  if (index < 0 || index >= kSlots) return index;
  if (version == 1) return kVersion1[index];
  if (version == 2) return kVersion2[index];
  return index;
}

VssScore ScoreVssEntries(const int32_t* categories, const int32_t* codes, const int32_t* times, int n, int trials) {
  VssScore s;
  if (!categories || !codes || !times) return s;
  int d = 0;
  for (int j = 0; j < trials && d + kSlots < n; ++j) {
    int series[kSlots];
    int targets = 0;
    for (int m = 0; m < kSlots; ++m) {
      const bool shown = categories[d + m] == j && codes[d + m] > 0;
      series[m] = shown ? codes[d + m] : 0;
      if (shown) ++targets;
    }
    s.targetsShown += targets;

    int i = 0;
    int errors = 0;
    int found = 0;
    bool perfect = false;
    for (int e = d + kSlots; e < n && categories[e] == j; ++e, ++i) {
      const int circle = codes[e];
      int slot = -1;
      for (int m = 0; m < kSlots && circle > 0; ++m) {
        if (series[m] == circle) {
          slot = m;
          break;
        }
      }
      if (slot >= 0) {
        ++s.identified;
        ++found;
        if (slot == i) {
          ++s.inOrder;
        } else {
          ++errors;
        }
        series[slot] = 0;
      } else {
        ++errors;
        if (circle > 0) ++s.falseAlarms;
      }
      if (i > 0) s.intervals.push_back(times[e]);
      if (perfect) {
        ++s.afterCompletion;
      } else if (errors == 0 && i + 1 == targets) {
        perfect = true;
      }
    }
    if (errors == 0 && found == targets && targets > 0) ++s.correct;
    d += kSlots + i;
    s.trialsScanned = j + 1;
  }
  return s;
}

}  // namespace qel

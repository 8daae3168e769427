// Scoring of VisuoSpatial Sequencing's stored entries, without a screen.
// Each trial left nine presentation entries (its series, slot by slot)
// followed by one entry per pointing, all with the trial's number as their
// category. A trial is correct when every target was pointed at, in order,
// and nothing else: an unanswered or incomplete series is not correct
// (its targets count as missed).
#pragma once

#include <cstdint>
#include <vector>

namespace qel {

// Version mapping of a series digit's index (0..8) to a circle index:
// version 1 exchanges the top and bottom rows, version 2 the left and right
// columns; other versions keep it.
int MapSeriesIndex(int version, int index);

struct VssScore {
  int correct = 0;          // trials answered perfectly
  int identified = 0;       // targets pointed at
  int inOrder = 0;          // of those, at their place in the series
  int falseAlarms = 0;      // pointings at circles not in the series
  int afterCompletion = 0;  // pointings after a perfect series
  int targetsShown = 0;
  int trialsScanned = 0;
  std::vector<int32_t> intervals;  // between successive pointings of a trial

  int Misses() const { return targetsShown - identified; }
};

// Scores the first n entries (categories: trial number, codes: circle
// number or 0, times: ms) for at most `trials` trials.
VssScore ScoreVssEntries(const int32_t* categories, const int32_t* codes, const int32_t* times, int n, int trials);

}  // namespace qel

// Tapping's 36 variables: per part the taps, the statistics of their
// intervals and Z-scores of the taps and the mean interval within the norm
// window. The statistics are the run data's own.
#include <algorithm>
#include <limits>
#include <vector>

#include "tasks/plugins/tp/TapMerging.h"
#include "tasks/plugins/tp/TappingTables.h"
#include "tasks/plugins/tp/TappingTask.h"

namespace qel {

struct CTaskTapping::Scoring {
  ITaskRunData* runData;
  int entries;   // stored entries of the part
  bool zScores;  // a testee age and a norm window
  double age;
  int64_t windowMs;  // taps completed within [0, windowMs] of the running time count
};

namespace {

void Store(ITaskRunData* runData, int index, double value) { runData->SetValue(index, value, value != kNoValue); }

// Z-score of value through a norm getter (no value when it has no answer).
void StoreZ(ITaskRunData* runData, int index, QelNormGetter z, double value, double age) {
  if (value == kNoValue) return;
  double out = kNoValue;
  if (z && z(&out, value, age, kNormZScore)) Store(runData, index, out);
}

// The intervals of the second to the last tap (the first has none).
std::vector<int32_t> Intervals(const TapList& list) {
  std::vector<int32_t> intervals;
  for (size_t i = 1; i < list.taps.size(); ++i) {
    intervals.push_back(static_cast<int32_t>(std::clamp<int64_t>(
        list.taps[i].interval, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
  }
  return intervals;
}

}  // namespace

void CTaskTapping::ScoreMerged(const Scoring& s, const TapList& merged, int index, QelNormGetter zTaps,
                               QelNormGetter zMean, uint8_t tag1, uint8_t tag2) {
  if (merged.Empty()) return;
  const std::vector<int32_t> intervals = Intervals(merged);
  QelStats stats;
  s.runData->ComputeStats(&stats, nullptr, intervals.data(), static_cast<int>(intervals.size()), 0);
  Store(s.runData, index, stats.n);
  Store(s.runData, index + 1, stats.mean);
  Store(s.runData, index + 2, stats.sd);
  if (!s.zScores) return;
  int inWindow = CountTapsInWindow(merged, 0, s.windowMs, tag1);
  if (tag2 != tag1) inWindow += CountTapsInWindow(merged, 0, s.windowMs, tag2);
  StoreZ(s.runData, index + 3, zTaps, inWindow - 1, s.age);
  StoreZ(s.runData, index + 4, zMean, stats.mean, s.age);
}

void CTaskTapping::ScoreHand(const Scoring& s, const TapList& list, int start, const tapping::PartRows& rows) {
  Store(s.runData, start + rows.taps, list.Count());
  const uint8_t tag = static_cast<uint8_t>(list.keyMask);
  ScoreMerged(s, list, start + rows.intervals, rows.zTaps, rows.zMean, tag, tag);
}

void CTaskTapping::ScoreBimanual(const Scoring& s, int part, int start, int criterion, const tapping::PartRows& rows) {
  const int32_t* categories = s.runData->category[part];
  const int32_t* times = s.runData->reactionTime[part];
  const bool alternating = part == kPartAlt;
  TapList left = BuildTapList(s.entries, categories, times, kKeyLeft);
  TapList right = BuildTapList(s.entries, categories, times, kKeyRight);
  Store(s.runData, start + rows.taps, left.Count());
  Store(s.runData, start + rows.rightTaps, right.Count());

  const uint8_t tag1 = alternating ? kTapLeft : kTapPair;
  const uint8_t tag2 = alternating ? kTapRight : kTapPair;
  // Without overlap first, then with the operator's criterion; merging
  // tags the hand lists, so they are built again for the second.
  TapList strict = alternating ? BuildAlternation(left, right, 0) : BuildSynchrony(left, right, 0);
  ScoreMerged(s, strict, start + rows.intervals, rows.zTaps, rows.zMean, tag1, tag2);
  left = BuildTapList(s.entries, categories, times, kKeyLeft);
  right = BuildTapList(s.entries, categories, times, kKeyRight);
  TapList byCriterion = alternating ? BuildAlternation(left, right, criterion) : BuildSynchrony(left, right, criterion);
  ScoreMerged(s, byCriterion, start + rows.criterion, rows.zCriterionTaps, rows.zCriterionMean, tag1, tag2);
}

int32_t CTaskTapping::ComputeVariables(ITaskRunData* runData) {
  const int32_t start = CTaskSeries::ComputeVariables(runData);
  if (start < 0) return start;
  for (int i = 0; i < tapping::kVariableCount; ++i) runData->SetValue(start + i, kNoValue, false);
  if (!m_runContext) return tapping::kVariableCount;

  double age = 0.0;
  const bool hasAge = runData->GetTesteeAge(&age);
  m_altCriterion = static_cast<int>(m_runContext->TaskParam[1]);
  m_syncCriterion = static_cast<int>(m_runContext->TaskParam[2]);

  for (int part = 0; part < tapping::kPartCount; ++part) {
    const int entries = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[part], kMaxResponses));
    if (entries <= 1) continue;
    // The norm window: none in a practice run, and then no Z-scores.
    const int window = m_runContext->GetThirdPartTableEntry(m_practice, part + 1);
    const Scoring s{runData, entries, hasAge && window >= 0, age, static_cast<int64_t>(window) * 1000};
    const tapping::PartRows& rows = tapping::kPartRows[part];
    const int32_t* categories = runData->category[part];
    const int32_t* times = runData->reactionTime[part];
    switch (part) {
      case kPartLeft:
        ScoreHand(s, BuildTapList(entries, categories, times, kKeyLeft), start, rows);
        break;
      case kPartRight:
        ScoreHand(s, BuildTapList(entries, categories, times, kKeyRight), start, rows);
        break;
      case kPartAlt:
        ScoreBimanual(s, part, start, m_altCriterion, rows);
        break;
      default:
        ScoreBimanual(s, part, start, m_syncCriterion, rows);
        break;
    }
  }
  return tapping::kVariableCount;
}

}  // namespace qel

// Tracking's 168 variables: per hand the samples, the time, the four kinds
// of samples, the radial deviation's statistics with Z-scores and the mean
// deviation of each sector of 6 degrees; then both hands' means. The
// statistics are the run data's own.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "taskfw/NormGetters.h"
#include "tasks/plugins/tr/TrackingTables.h"
#include "tasks/plugins/tr/TrackingTask.h"

namespace qel {

namespace {

using namespace tracking;

// Z-score of value through norm getter n: first no value; set when the
// testee's age is known and the getter answers.
void StoreZ(ITaskRunData* runData, int index, int getter, double value, bool hasAge, double age) {
  runData->SetValue(index, kNoValue, false);
  if (!hasAge || value == kNoValue) return;
  const QelNormGetter z = NormGetterByNumber(getter);
  double out = kNoValue;
  if (z && z(&out, value, age, 0)) runData->SetValue(index, out, true);
}

}  // namespace

int32_t CTaskTracking::ComputeVariables(ITaskRunData* runData) {
  const int32_t start = CTaskMouse::ComputeVariables(runData);
  if (start < 0) return start;
  if (!m_runContext) return -1;
  double age = 0.0;
  const bool hasAge = runData->GetTesteeAge(&age);

  for (int part = 0; part < kPartCount; ++part) {
    const int k = start + kHandRows * part;
    const int n = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[part], kMaxSamples));
    if (n == 0) continue;
    const int32_t* categories = runData->category[part];
    const int32_t* times = runData->reactionTime[part];
    const int32_t* deviations = runData->responseCode[part];
    const int32_t* progress = runData->taskCategory[part];
    const int getters = 3 * part;  // % forward in, SD, mean absolute deviation

    runData->SetValue(k + kRowSamples, n, true);
    int64_t totalMs = 0;
    for (int i = 0; i < n; ++i) totalMs += times[i];
    runData->SetValue(k + kRowTime, static_cast<double>(totalMs) * 0.001, true);

    const int kinds[4] = {kRowForwardIn, kRowBackwardIn, kRowForwardOut, kRowBackwardOut};
    for (int c = 0; c < 4; ++c) {
      QelStats s;
      runData->ComputeStats(&s, categories, deviations, n, c);
      const double percent = s.n * 100.0 / n;
      runData->SetValue(k + kinds[c], s.n, true);
      runData->SetValue(k + kinds[c] + 1, percent, true);
      if (c == kForwardIn) StoreZ(runData, k + kinds[c] + 2, getters, percent, hasAge, age);
    }

    QelStats all;
    runData->ComputeStats(&all, nullptr, deviations, n, 0);
    runData->SetValue(k + kRowDeviation, all.n, true);
    runData->SetValue(k + kRowDeviation + 1, all.mean, all.mean != kNoValue);
    runData->SetValue(k + kRowDeviation + 2, all.sd, all.sd != kNoValue);
    StoreZ(runData, k + kRowDeviation + 3, getters + 1, all.sd, hasAge, age);

    std::vector<int32_t> absolute(deviations, deviations + n);
    for (int32_t& d : absolute) d = std::abs(d);
    QelStats extended;
    runData->ComputeExtendedStats(&extended, nullptr, absolute.data(), n, 0);
    runData->SetValue(k + kRowAbsolute, extended.mean, extended.mean != kNoValue);
    runData->SetValue(k + kRowAbsolute + 1, extended.median, extended.median != kNoValue);
    StoreZ(runData, k + kRowAbsolute + 2, getters + 2, extended.mean, hasAge, age);

    for (int sector = 1; sector <= kSectorCount; ++sector) {
      const uint32_t from = static_cast<uint32_t>((sector - 1) * kSectorProgress);
      const uint32_t to = static_cast<uint32_t>(sector * kSectorProgress);
      std::vector<int32_t> inSector;
      for (int i = 0; i < n; ++i) {
        const uint32_t p = static_cast<uint32_t>(progress[i]);
        if (p >= from && p < to) inSector.push_back(deviations[i]);
      }
      QelStats s;
      runData->ComputeStats(&s, nullptr, inSector.data(), static_cast<int>(inSector.size()), 0);
      // A sector without samples shows "no value", as a valid entry.
      runData->SetValue(k + kRowFirstSector + sector - 1, s.mean, true);
    }
  }

  for (int j = 0; j < kOverallRows; ++j) {
    runData->CombinePair(start + 2 * kHandRows + j, start + kCombinedHandRows[j],
                         start + kHandRows + kCombinedHandRows[j], true);
  }
  return start + kVariableCount;
}

}  // namespace qel

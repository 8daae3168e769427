// Pursuit's 1232 variables: per hand the samples, the mean and SD of the
// deviation in mm, the percentages within 3, 6 and 12 mm and their
// Z-scores over the norm window (the first 60 s); the means of both hands;
// the mean deviation of every second in blocks of 1, 2, 5 and 10 minutes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "taskfw/NormGetters.h"
#include "tasks/plugins/pu/PursuitTables.h"
#include "tasks/plugins/pu/PursuitTask.h"

namespace qel {

namespace {

// Deviation limits of the three percentages, mm.
constexpr double kWithinMm[3] = {3.0, 6.0, 12.0};

// Mean, SD and the three percentages of the first n deviations.
struct DeviationStats {
  double mean = kNoValue;
  double sd = kNoValue;
  double within[3] = {kNoValue, kNoValue, kNoValue};
};

DeviationStats Describe(const std::vector<double>& d, size_t n) {
  DeviationStats s;
  n = std::min(n, d.size());
  if (n < 2) return s;
  double sum = 0.0;
  int counts[3] = {0, 0, 0};
  for (size_t i = 0; i < n; ++i) {
    sum += d[i];
    for (int k = 0; k < 3; ++k) {
      if (d[i] <= kWithinMm[k]) ++counts[k];
    }
  }
  s.mean = sum / static_cast<double>(n);
  double squares = 0.0;
  for (size_t i = 0; i < n; ++i) squares += (d[i] - s.mean) * (d[i] - s.mean);
  s.sd = std::sqrt(squares / static_cast<double>(n - 1));
  for (int k = 0; k < 3; ++k) s.within[k] = counts[k] * 100.0 / static_cast<double>(n);
  return s;
}

// The statistics in the order of a hand's rows after N: D, S, P3, P6, P12.
void Values(const DeviationStats& s, double (&out)[5]) {
  out[0] = s.mean;
  out[1] = s.sd;
  out[2] = s.within[0];
  out[3] = s.within[1];
  out[4] = s.within[2];
}

}  // namespace

int32_t CTaskPursuit::ComputeVariables(ITaskRunData* runData) {
  const int32_t start = CTaskMouse::ComputeVariables(runData);
  if (start < 0) return start;
  for (int i = 0; i < pursuit::kVariableCount; ++i) runData->SetValue(start + i, kNoValue, false);
  if (!m_runContext) return pursuit::kVariableCount;
  LoadMouseParams();

  double age = 0.0;
  const bool hasAge = runData->GetTesteeAge(&age);
  std::vector<double> deviations[pursuit::kPartCount];
  for (int part = 0; part < pursuit::kPartCount; ++part) {
    const size_t count = std::min<uint32_t>(m_runContext->trialCounts[part], kMaxResponses);
    std::vector<double>& d = deviations[part];
    d.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const double dx = runData->category[part][i];
      const double dy = runData->reactionTime[part][i];
      d[i] = std::sqrt(dx * dx + dy * dy) * m_mmPerPixel;
    }
    const int index = start + pursuit::kHandFirstRow[part];
    runData->SetValue(index, static_cast<double>(count), true);
    if (count < 2) continue;

    double values[5];
    Values(Describe(d, count), values);
    // Rows after N: D, ZD, S, ZS, P3, Z3, P6, Z6, P12, Z12.
    for (int k = 0; k < 5; ++k) runData->SetValue(index + 1 + 2 * k, values[k], true);

    // The norm window in samples: none in a practice run (-1 x 10).
    const int window = m_runContext->GetThirdPartTableEntry(m_practice, part + 1) * static_cast<int>(1000 / kSampleMs);
    if (!hasAge || window <= 1 || count < static_cast<size_t>(window)) continue;
    double normed[5];
    Values(Describe(d, static_cast<size_t>(window)), normed);
    for (int k = 0; k < 5; ++k) {
      const QelNormGetter z = NormGetterByNumber(part * 5 + k);
      double out = kNoValue;
      if (normed[k] != kNoValue && z && z(&out, normed[k], age, 0)) runData->SetValue(index + 2 + 2 * k, out, true);
    }
  }

  // Both hands: the mean of each pair of rows 1..10 and 12..21.
  for (int k = 0; k < pursuit::kOverallRows; ++k) {
    runData->CombinePair(start + pursuit::kOverallFirstRow + k, start + pursuit::kHandFirstRow[0] + 1 + k,
                         start + pursuit::kHandFirstRow[1] + 1 + k, true);
  }

  // Seconds, block by block, when the longer part reaches the block's end.
  const size_t longest = std::max(deviations[0].size(), deviations[1].size());
  const size_t perSecond = 1000 / kSampleMs;
  for (int b = 0; b < pursuit::kSecondBlockCount; ++b) {
    const int from = pursuit::kSecondBlockEnds[b];
    const int to = pursuit::kSecondBlockEnds[b + 1];
    if (longest < static_cast<size_t>(to) * perSecond) break;
    for (int part = 0; part < pursuit::kPartCount; ++part) {
      const std::vector<double>& d = deviations[part];
      for (int second = from + 1; second <= to; ++second) {
        const size_t first = static_cast<size_t>(second - 1) * perSecond;
        const size_t last = std::min(first + perSecond, d.size());
        if (first >= last) break;
        double sum = 0.0;
        for (size_t i = first; i < last; ++i) sum += d[i];
        runData->SetValue(start + pursuit::SecondRow(part, second), sum / static_cast<double>(last - first), true);
      }
    }
  }
  return pursuit::kVariableCount;
}

}  // namespace qel

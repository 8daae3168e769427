#include "tasks/layers/sustained/SustainedScoring.h"

#include <algorithm>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/series/TaskSeries.h"

namespace qel {

namespace sustained {

namespace {

// Rows before the first category group: trials, then the five series rows.
constexpr int kTrialsRow = 0;
constexpr int kSeriesCountRow = 1;
constexpr int kSeriesMeanRow = 2;
constexpr int kSeriesSdRow = 3;
constexpr int kSeriesMeanZRow = 4;
constexpr int kSeriesSdZRow = 5;
constexpr int kFirstCategoryRow = 6;
// The outcomes counted over every stored trial, in row order.
constexpr int32_t kOutcomeRows[] = {kCatOmission, kCatAnticipation, kCatSkipped};

constexpr double kMsToSeconds = 0.001;

bool IsError(int32_t hostCategory) { return hostCategory == kCatFalseAlarm || hostCategory == kCatMiss; }

int CountIn(const int32_t* categories, int first, int n, int32_t category) {
  return static_cast<int>(std::count(categories + first, categories + first + n, category));
}

// Z of a series statistic (kind 0) into its row when the getter answers.
void StoreSeriesZ(ITaskRunData& data, int row, QelNormGetter getter, double value, double age) {
  double z = kNoValue;
  if (getter && getter(&z, value, age, 0)) data.SetValue(row, z, true);
}

}  // namespace

SeriesCover CoverCompleteSeries(const int32_t* hostCategories, int n, int length) {
  SeriesCover cover;
  if (!hostCategories || length < 1) return cover;
  while (cover.trials < n) {
    int count = 0;
    const int end = CTaskSeries::GetSeriesEnd(hostCategories + cover.trials, n - cover.trials, length, &count);
    if (end < 1 || count < length) break;
    cover.trials += end;
    ++cover.series;
  }
  return cover;
}

std::vector<int32_t> AfterErrorCodes(const int32_t* hostCategories, const int32_t* finalCategories, int n,
                                     const AfterErrorCode* recodes, int recodeCount) {
  std::vector<int32_t> codes;
  if (!hostCategories || !finalCategories || n < 1) return codes;
  codes.assign(hostCategories, hostCategories + n);
  for (int i = 1; i < n; ++i) {
    if (!IsError(hostCategories[i - 1])) continue;
    for (int k = 0; k < recodeCount; ++k) {
      if (finalCategories[i] == recodes[k].finalCategory) {
        codes[static_cast<size_t>(i)] = recodes[k].code;
        break;
      }
    }
  }
  return codes;
}

int64_t SeriesTimeMs(const SustainedLayout& layout, const int32_t* hostCategories, const int32_t* finalCategories,
                     const int32_t* reactionTimes, int first, int n) {
  if (layout.seriesTime == SeriesTime::kScoredResponses) {
    return CTaskSeries::GetSeriesTime(hostCategories + first, reactionTimes + first, n);
  }
  const int hits = CountIn(finalCategories, first, n, kCatHit);
  if (hits == 0) return 0;
  int64_t sum = 0;
  for (int i = first; i < first + n; ++i) {
    if (hostCategories[i] == kCatHit) sum += reactionTimes[i];
  }
  return sum * layout.hitsPerSeries / hits;
}

int32_t ComputeSustainedVariables(ITaskRunData& data, const IExpModelTask& context, bool practice,
                                  const SustainedLayout& layout) {
  data.resultWord = 0;
  const int part = context.currentPart;
  if (part < 0 || part >= kMaxParts) return -1;
  const int n = static_cast<int>(std::min<uint32_t>(context.trialCounts[part], kMaxResponses));
  if (n <= 0) return -1;
  const int32_t* host = data.category[part];
  const int32_t* final = data.taskCategory[part];
  const int32_t* rt = data.reactionTime[part];
  const int length = context.GetLibraryTaskWord();

  const SeriesCover cover = CoverCompleteSeries(host, n, length);
  const int m = cover.trials;
  data.SetValue(kTrialsRow, m, true);
  for (int row = kSeriesCountRow; row <= kSeriesSdZRow; ++row) data.SetValue(row, kNoValue, false);

  // The category statistics over the trials of the complete series; their Z
  // rests on the first normTrials trials (none in a practice run).
  const int normTrials = context.GetThirdPartTableEntry(practice, part + 1);
  int index = data.ComputeExtendedForCodes(kFirstCategoryRow, final, rt, m, layout.fullCategories, normTrials);
  if (index >= 0) index = data.ComputeForCodes(index, final, rt, m, layout.shortCategories, normTrials);
  if (index >= 0 && layout.afterError) {
    const std::vector<int32_t> codes = AfterErrorCodes(host, final, m, layout.recodes, layout.recodeCount);
    index = layout.afterErrorSd ? data.StoreCountMeanSdForCodes(index, codes.data(), rt, m, layout.afterError)
                                : data.StoreCountMeanForCodes(index, codes.data(), rt, m, layout.afterError);
  }
  if (index < 0) return -1;
  for (const int32_t outcome : kOutcomeRows) data.SetValue(index++, data.CountCode(host, n, outcome), true);
  if (index != layout.firstSeriesRow) return -1;

  // Every complete series counts for the mean and SD; rows are written for
  // as many as the table has.
  std::vector<int32_t> times;
  times.reserve(static_cast<size_t>(cover.series));
  int first = 0;
  for (int s = 0; s < cover.series; ++s) {
    int count = 0;
    const int end = CTaskSeries::GetSeriesEnd(host + first, m - first, length, &count);
    const int64_t time = SeriesTimeMs(layout, host, final, rt, first, end);
    times.push_back(static_cast<int32_t>(std::min<int64_t>(time, INT32_MAX)));
    if (s < layout.tableSeries) {
      const int row = layout.firstSeriesRow + s * layout.RowsPerSeries();
      data.SetValue(row, static_cast<double>(time) * kMsToSeconds, true);
      for (int c = 0; c < layout.seriesCategoryCount; ++c) {
        data.SetValue(row + 1 + c, CountIn(final, first, end, layout.seriesCategories[c]), true);
      }
    }
    first += end;
  }

  const int series = cover.series;
  data.resultWord = series;
  data.SetValue(kSeriesCountRow, series, true);
  QelStats stats;
  data.ComputeStats(&stats, nullptr, times.data(), series, 0);
  double age = 0.0;
  const bool zAllowed = data.GetTesteeAge(&age) && series >= layout.seriesForZ;
  if (stats.mean != kNoValue) {
    data.SetValue(kSeriesMeanRow, stats.mean * kMsToSeconds, true);
    if (zAllowed) StoreSeriesZ(data, kSeriesMeanZRow, layout.zSeriesMean, stats.mean * kMsToSeconds, age);
  }
  if (stats.sd != kNoValue) {
    data.SetValue(kSeriesSdRow, stats.sd * kMsToSeconds, true);
    if (zAllowed) StoreSeriesZ(data, kSeriesSdZRow, layout.zSeriesSd, stats.sd * kMsToSeconds, age);
  }
  return layout.firstSeriesRow + std::min(series, layout.tableSeries) * layout.RowsPerSeries();
}

}  // namespace sustained

}  // namespace qel

// What the sustained-attention tasks (objects, dots, tones) compute alike at
// the end of a part. Their responses come in series of a fixed number of
// scored responses; the variables are, in this order:
//   row 0       trials in all complete series;
//   rows 1-5    number of complete series, mean and SD of their completion
//               times (seconds) and the Z-scores of mean and SD;
//   then        per response category of the task's lists: full statistics
//               with the Z of the mean, short ones (N, mean, Z of N), and
//               N, mean (and SD) after an error;
//   then        omissions, premature responses and interrupts;
//   then        one group of rows per complete series: its completion time
//               (seconds) and counts of categories within it.
// The statistics by category run over the trials of the complete series;
// the counts of omissions and the like over every stored trial.
#pragma once

#include <cstdint>
#include <vector>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace sustained {

// Whole series from the first trial on: how many trials they cover and how
// many there are.
struct SeriesCover {
  int trials = 0;
  int series = 0;
};

// Series of `length` scored responses (host categories 1..4) one after the
// other from the first trial; none for a length below 1.
SeriesCover CoverCompleteSeries(const int32_t* hostCategories, int n, int length);

// A trial right after an error (host category 3 or 4) whose final category
// is `finalCategory` gets `code` in the after-error codes.
struct AfterErrorCode {
  int32_t finalCategory;
  int32_t code;
};

// The host categories of the first n trials with the trials after an error
// recoded by the table.
std::vector<int32_t> AfterErrorCodes(const int32_t* hostCategories, const int32_t* finalCategories, int n,
                                     const AfterErrorCode* recodes, int recodeCount);

// How a series' completion time is measured.
enum class SeriesTime {
  kScoredResponses,  // the sum of the reaction times of its scored responses
  kHitsScaled,       // the sum of its hit reaction times scaled to hitsPerSeries hits
};

// One task's layout of its variable table, in the order above.
struct SustainedLayout {
  const QelCodeList* fullCategories = nullptr;   // final categories: 8 rows each
  const QelCodeList* shortCategories = nullptr;  // final categories: 3 rows each
  const QelCodeList* afterError = nullptr;       // after-error codes: 2 rows each (3 with SDs); null: none
  bool afterErrorSd = false;
  const AfterErrorCode* recodes = nullptr;
  int recodeCount = 0;
  int firstSeriesRow = 0;                     // where the rows of the first series stand
  int tableSeries = 0;                        // series the variable table has rows for
  const int32_t* seriesCategories = nullptr;  // final categories counted per series, after its time
  int seriesCategoryCount = 0;
  SeriesTime seriesTime = SeriesTime::kScoredResponses;
  int hitsPerSeries = 0;  // for kHitsScaled
  QelNormGetter zSeriesMean = nullptr;
  QelNormGetter zSeriesSd = nullptr;
  int seriesForZ = 0;  // the series norms need at least this many complete series

  int RowsPerSeries() const { return 1 + seriesCategoryCount; }
};

// The series time of the trials [first, first + n) in ms.
int64_t SeriesTimeMs(const SustainedLayout& layout, const int32_t* hostCategories, const int32_t* finalCategories,
                     const int32_t* reactionTimes, int first, int n);

// The variables of the context's current part (practice: no Z-scores of the
// categories). Per-series rows are written for the first tableSeries series
// only, however many the part holds. Sets the run data's result word to the
// number of complete series. Returns the index after the last row written;
// -1 when the part has no stored trials or a group is refused.
int32_t ComputeSustainedVariables(ITaskRunData& data, const IExpModelTask& context, bool practice,
                                  const SustainedLayout& layout);

}  // namespace sustained

}  // namespace qel

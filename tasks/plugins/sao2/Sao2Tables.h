// The published tables of "Sustained Attention Objects 2 keys" (version
// names, the 237 score variables, the 6 norm variables, the second
// captions, the task description and the layout of the variables for the
// shared scoring) and its second list.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "tasks/layers/sustained/TaskSustained.h"

namespace qel {

namespace sao2 {

constexpr uint32_t kVariableCount = 237;
constexpr uint32_t kNormVariableCount = 6;
constexpr int kCaptionCount2 = 10;
constexpr int kVersions = 3;

// Responses per series, trial-list lengths and the norm trial count.
constexpr int kSeriesLength = 12;
constexpr int kPracticeLength = 24;
constexpr int kTestLength = 240;
constexpr int kSecondLength = 6;
constexpr int kNormTrials = 240;
constexpr int kExpectedSeries = kTestLength / kSeriesLength;
// Series the table has rows for, from row kFirstSeriesRow, five rows each.
constexpr int kTableSeries = 40;
constexpr int kFirstSeriesRow = 37;

extern const SustainedTables kTables;

// Played (not stored) when the run switches to it after an error outcome.
extern const char kSecondList[kSecondLength][kTrialCodeSize];

}  // namespace sao2

}  // namespace qel

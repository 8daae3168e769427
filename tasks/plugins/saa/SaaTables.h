// The published tables of "Sustained Attention Auditory" (version names,
// the 149 score variables, the 7 norm variables, the second captions, the
// task description, the names of the task's own categories and the layout
// of the variables for the shared scoring) and its trial lists.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "tasks/layers/sustained/TaskSustained.h"

namespace qel {

namespace saa {

constexpr uint32_t kVariableCount = 149;
constexpr uint32_t kNormVariableCount = 7;
constexpr int kCaptionCount2 = 11;
constexpr int kVersions = 3;

// The task's own categories (ClassifyResponse): false alarms to the low,
// the middle and the high tone.
enum Category : int32_t {
  kFalseAlarmLow = 10,
  kFalseAlarmMiddle = 11,
  kFalseAlarmHigh = 12,
};
constexpr int32_t kCodeNameCount = 3;

// Responses per series, trial-list lengths, the norm trial count and the
// hits a series' time is scaled to (the targets of a series of 36).
constexpr int kSeriesLength = 36;
constexpr int kPracticeLength = 36;
constexpr int kTestLength = 360;
constexpr int kSecondLength = 6;
constexpr int kNormTrials = 360;
constexpr int kTaskLengthSeries = kTestLength / kSeriesLength;
constexpr int kHitsPerSeries = 12;
// Series the table has rows for, from row kFirstSeriesRow, six rows each.
constexpr int kTableSeries = 20;
constexpr int kFirstSeriesRow = 29;

extern const SustainedTables kTables;

// The trial lists of a version (0-based; null out of range) and the second
// list. Codes: '1' low, '2' middle, '3' high tone.
const char (*PracticeList(int version))[kTrialCodeSize];
const char (*TestList(int version))[kTrialCodeSize];
const char (*SecondList())[kTrialCodeSize];

}  // namespace saa

}  // namespace qel

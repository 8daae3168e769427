// The published tables of "Sustained Attention Dots" (the 748 score
// variables, the 8 norm variables, the second captions, the task
// description, the names of the task's own categories and the layout of the
// variables for the shared scoring) and its trial lists.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "tasks/layers/sustained/TaskSustained.h"

namespace qel {

namespace sad {

constexpr uint32_t kVariableCount = 748;
constexpr uint32_t kNormVariableCount = 8;
constexpr int kCaptionCount2 = 12;

// The task's own categories (ClassifyResponse): correct rejections and
// false alarms with fewer and with more dots than the target.
enum Category : int32_t {
  kCorrectRejectionFewer = 10,
  kCorrectRejectionMore = 11,
  kFalseAlarmFewer = 12,
  kFalseAlarmMore = 13,
};
constexpr int32_t kCodeNameCount = 4;

// Responses per series, trial-list lengths and the norm trial count.
constexpr int kSeriesLength = 12;
constexpr int kPracticeLength = 24;
constexpr int kTestLength = 300;
constexpr int kSecondLength = 6;
constexpr int kNormTrials = 600;
constexpr int kTaskLengthSeries = kTestLength / kSeriesLength;
// Series the table has rows for, from row kFirstSeriesRow, seven rows each.
constexpr int kTableSeries = 100;
constexpr int kFirstSeriesRow = 48;

extern const SustainedTables kTables;

// The trial lists of one-character codes (the codes in TaskSustainedAttentionDots.h).
const char (*PracticeList())[kTrialCodeSize];
const char (*TestList())[kTrialCodeSize];
const char (*SecondList())[kTrialCodeSize];

}  // namespace sad

}  // namespace qel

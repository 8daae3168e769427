// The published tables of "Sustained Attention Dots": version and part
// names, the 748 score variables, the 8 norm variables, the captions, the
// task description, the names of the task's own categories, the trial
// lists and the layout of the variables for the shared scoring.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "tasks/layers/sustained/SustainedScoring.h"

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

extern const char* const kVersionNames[1];
extern const char* const kPartNames[1];
extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions2[kCaptionCount2];
extern const char* const kCodeNames[kCodeNameCount];
extern const QelTaskDescription kDescription;
extern const sustained::SustainedLayout kLayout;

// The trial lists of one-character codes (the codes in TaskSustainedAttentionDots.h).
const char (*PracticeList())[kTrialCodeSize];
const char (*TestList())[kTrialCodeSize];
const char (*SecondList())[kTrialCodeSize];

}  // namespace sad

}  // namespace qel

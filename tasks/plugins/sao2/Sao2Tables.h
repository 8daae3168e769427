// The published tables of "Sustained Attention Objects 2 keys": version and
// part names, the 237 score variables, the 6 norm variables, the second
// caption table, the task description, the second list and the layout of
// the variables for the shared scoring.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "tasks/layers/sustained/SustainedScoring.h"

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

extern const char* const kVersionNames[kVersions];
extern const char* const kPartNames[1];
extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions2[kCaptionCount2];
extern const QelTaskDescription kDescription;
extern const sustained::SustainedLayout kLayout;
// Played (not stored) when the run switches to it after an error outcome.
extern const char kSecondList[kSecondLength][kTrialCodeSize];

}  // namespace sao2

}  // namespace qel

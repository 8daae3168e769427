// VisuoSpatial Sequencing's published tables: version and part names, the
// 16 score variables, the 8 norm variables, the task description, the
// series of the test, the practice and the warm-up, and the text ids.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace vss {

constexpr int kVersionCount = 2;
constexpr int kVariableCount = 16;
constexpr int kNormVariableCount = 8;
constexpr int kTestTrials = 24;
constexpr int kPracticeTrials = 1;

// The rows in order: the eight values, then their Z-scores.
enum Row : int {
  kRowCorrect = 0,
  kRowIdentified = 1,
  kRowInOrder = 2,
  kRowFalseAlarms = 3,
  kRowMisses = 4,
  kRowAfterCompletion = 5,
  kRowIntervalMean = 6,
  kRowIntervalSd = 7,
  kRowFirstZ = 8,
};

extern const char* const kVersionNames[kVersionCount];
extern const char* const kPartNames[1];
extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelTaskDescription kDescription;

// Series codes: nine characters, a digit 1..9 per target in order, padded
// with '0', in 17-byte trial codes.
extern const char kTestList[kTestTrials][kTrialCodeSize];
extern const char kPracticeList[kPracticeTrials][kTrialCodeSize];
extern const char kWarmUpList[1][kTrialCodeSize];

struct LanguageTexts {
  uint32_t task;
  uint32_t parameters;
  uint32_t part;
};
extern const LanguageTexts kTexts[3];

}  // namespace vss

}  // namespace qel

// Tapping's published tables: part and version names, the 36 score
// variables, the 12 norm variables, the score captions, the task
// description and the text ids by language.
#pragma once

#include <cstdint>

#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace tapping {

constexpr int kPartCount = 4;
constexpr int kVariableCount = 36;
constexpr int kNormVariableCount = 12;
constexpr int kCaptionCount = 7;

extern const char* const kPartNames[kPartCount];
extern const char* const kVersionNames[1];
extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions[kCaptionCount];
extern const QelTaskDescription kDescription;

// Where a part's values go and which norm getters give its Z-scores, found
// in the tables by code. A group of intervals is five rows in the order the
// scoring writes them: their count, mean and SD, the Z-score of the taps and
// that of the mean interval.
struct PartRows {
  int32_t taps;                                  // the taps (of the left hand in the bimanual parts)
  int32_t rightTaps;                             // bimanual parts: the taps of the right hand; -1 otherwise
  int32_t intervals;                             // the group of intervals (bimanual: without overlap)
  int32_t criterion;                             // bimanual parts: the group under the overlap criterion; -1 otherwise
  QelNormGetter zTaps, zMean;                    // of the group of intervals
  QelNormGetter zCriterionTaps, zCriterionMean;  // of the criterion group
};
extern const PartRows kPartRows[kPartCount];

// TEXT ids: task instruction, parameters help and the part instructions of
// English, Dutch and Italian.
struct LanguageTexts {
  uint32_t task;
  uint32_t parameters;
  uint32_t parts[kPartCount];
};
extern const LanguageTexts kTexts[3];

}  // namespace tapping

}  // namespace qel

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

// First variable of each part's group.
constexpr int kFirstVariable[kPartCount] = {0, 6, 12, 24};

extern const char* const kPartNames[kPartCount];
extern const char* const kVersionNames[1];
extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions[kCaptionCount];
extern const QelTaskDescription kDescription;

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

// The task library record: one per loaded plug-in, owned by the main
// program. The plug-in fills the fields below through the pointer it gets
// with command 0 and calls the six virtual slots (the norm service); the
// main program's CTaskLibrary derives from it and adds what only it uses.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/ModelTask.h"
#include "include/qel/Resources.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskTables.h"

namespace qel {

class ITaskHost;

// Where LoadNorms takes the norm functions from (the norms database). For a
// variable name and function kind (0 mean, 1 SD) it reports the number of
// age bands (negative: failure) and fills at most maxBands bands: age lows,
// age highs and four coefficients per band.
class INormsProvider {
 public:
  virtual int GetZFunction(const char* key, const char* name, int kind, double* ageLows, double* ageHighs,
                           double* coefficients, int maxBands) = 0;

 protected:
  ~INormsProvider() = default;
};

// A plug-in's parameter page. The host's task-parameter dialog creates the
// page's window inside its own (the dialog owns the window; it never
// outlives the dialog) and the plug-in keeps only its data.
class IQelTaskPage {
 public:
  // Binds the model task the page edits; editable enables its controls.
  virtual void SetModelTask(IExpModelTask* task, bool editable) = 0;
  // Creates the page's window as a child of parentWindow (a wxWindow*);
  // returns the window, or null without a bound model task.
  virtual void* CreateInModule(void* parentWindow) = 0;
  // Reads the model task's words into the controls again.
  virtual void Refresh() = 0;

 protected:
  ~IQelTaskPage() = default;
};

// Task description table: timing presets and code rows (one word per part).
struct QelTimingPreset {
  uint32_t words[9];  // TaskSDType, TaskSDLow, TaskSDHigh, TaskControl, TaskVRLow,
                      // TaskVRHigh, TaskIntType, TaskIntLow, TaskIntHigh
};
struct QelTaskDescription {
  uint32_t word0;
  uint32_t presetCount;  // at most 3
  uint32_t codeRowCount;
  QelTimingPreset presets[3];
  const uint32_t (*codeRows)[kMaxParts];  // codeRowCount rows of 16 words
};

class ITaskLibrary {
 public:
  void* module = nullptr;  // the loaded plug-in file (dlopen handle)
  uint8_t loaded = 0;
  uint8_t spareFlag = 0;
  int32_t version = 0;  // must be 1
  const QelModelTask* modelDefault = nullptr;
  const QelTaskDescription* taskDescription = nullptr;
  std::string texts[4];  // task instruction, part instruction, parameters help, feedback
  const char* const* versionNames = nullptr;
  const char* const* partNames = nullptr;
  int32_t versionCount = 0;
  int32_t partCount = 0;
  uint32_t scoreVariableCount = 0;
  const TaskVariableDef* scoreVariables = nullptr;
  const char* const* captions = nullptr;
  int32_t captionCount = 0;
  const char* const* captions2 = nullptr;  // second caption table
  int32_t captionCount2 = 0;
  uint32_t pluginWords[2] = {0, 0};
  IQelTaskPage* page = nullptr;
  std::string answerText;
  uint32_t answerWord = 0;
  int32_t partWordsA[kMaxParts] = {};
  int32_t partWordsB[kMaxParts] = {};
  int32_t normTrialCounts[kMaxParts] = {};  // per part; -1 none
  uint32_t testTrialCount = 0;
  uint32_t practiceTrialCount = 0;
  uint32_t seriesLength = 0;
  const char (*testTrialList)[kTrialCodeSize] = nullptr;
  const char (*practiceTrialList)[kTrialCodeSize] = nullptr;
  const char* practiceCode = nullptr;  // 17-byte codes
  const char* testCode = nullptr;
  const char (*secondList)[kTrialCodeSize] = nullptr;
  uint32_t secondListCount = 0;
  uint32_t taskWords[4] = {0, 0, 0, 0};
  uint32_t defaultTaskType = 0;
  uint32_t defaultTaskFlags = 0;
  uint32_t defaultIntrAfterTrials = 0;
  uint32_t defaultIntrContinue = 0;
  uint32_t defaultIntrReplaceTrial = 0;
  uint32_t defaultIntrDummyTrials = 0;
  const TaskNormVariable* normVariables = nullptr;
  uint32_t normVariableCount = 0;
  std::string runText;
  ITaskHost* host = nullptr;  // set before loading
  TaskEntryFn entry = nullptr;
  QelResModule resources = nullptr;        // the plug-in's own resource table (set at command 0)
  const char* const* codeNames = nullptr;  // names of the plug-in's response codes
  int32_t codeNameFirst = 0;               // first code the name table covers
  int32_t codeNameCount = 0;

  // Virtual slots (the norm service), in binding order.
  virtual void ResetNorms() = 0;                                          // 0
  virtual bool LoadNorms(INormsProvider* provider, const char* key) = 0;  // 1
  virtual bool AddNormFunction(const char* key, const char* name, int kind, double ageLow, double ageHigh,
                               const double* coefficients,
                               int coefficientCount) = 0;  // 2
  virtual int FindNormFunction(const char* key, const char* name, int kind,
                               double age) const = 0;  // 3
  virtual bool GetVariableValue(int n, double* out, double value, double age, int kind,
                                bool floorAllowed) = 0;  // 4
  virtual bool ComputeNormZ(const char* code, const char* name, double* out, double value, double age, int kind,
                            bool reversed, bool floor) = 0;  // 5

  // A plug-in built without the framework may let an exception out of its
  // entry: the call then answers failure instead of ending the program.
  bool CallTaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out) const noexcept {
    if (!entry) return false;
    try {
      return entry(command, a, b, c, out);
    } catch (...) {
      return false;
    }
  }

  // Whether score variable i asks for the SD floor: its type is 4 or 5.
  bool UsesSdFloor(int i) const {
    if (!scoreVariables || i < 0 || static_cast<uint32_t>(i) >= scoreVariableCount) return false;
    const int type = scoreVariables[i].VariableType();
    return type == 4 || type == 5;
  }

  // First code row whose word in the given column (part) equals value; -1 when none.
  int FindCodeRow(int column, uint32_t value) const {
    if (!taskDescription || column < 0 || column >= partCount || column >= kMaxParts) return -1;
    if (!taskDescription->codeRows) return -1;
    for (uint32_t r = 0; r < taskDescription->codeRowCount; ++r) {
      if (taskDescription->codeRows[r][column] == value) return static_cast<int>(r);
    }
    return -1;
  }

  // The plug-in's name of a response code; "%u" of the code when it has none.
  std::string GetCodeName(uint32_t code) const {
    const int64_t c = code;
    if (codeNames && c >= codeNameFirst && c < static_cast<int64_t>(codeNameFirst) + codeNameCount &&
        codeNames[c - codeNameFirst]) {
      return codeNames[c - codeNameFirst];
    }
    return std::to_string(code);
  }

 protected:
  ITaskLibrary() = default;
  ~ITaskLibrary() = default;
};

}  // namespace qel

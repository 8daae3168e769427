// One task of an experiment model as plug-ins see it (the run context of a
// run): the slot's fields in order and its seven virtual slots. The main
// program's CExpModelTask implements it.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DateTime.h"
#include "include/qel/ModelTask.h"
#include "include/qel/Resources.h"

namespace qel {

class ITaskLibrary;

class IExpModelTask {
 public:
  uint32_t reserved0 = 0;
  int32_t currentPart = 0;         // 0-based part a run will use
  uint32_t currentAssessment = 1;  // 1-based assessment a run will write
  uint32_t reserved1 = 0;
  ITaskLibrary* library = nullptr;  // bound plug-in record; not owned
  uint32_t partWordsA[kMaxParts] = {};
  uint32_t trialCounts[kMaxParts] = {};  // trials stored per part
  uint32_t partWordsB[kMaxParts] = {};
  uint32_t assessmentCounts[kMaxParts] = {};  // assessments stored per part
  QelDateTime partDates[kMaxParts];
  uint8_t loaded = 0;
  uint8_t modified = 0;

  // The model-task record's fields (texts as strings, not fixed fields).
  uint32_t TaskId = 0;
  std::string TaskIdStr;
  std::string TaskName;
  QelTaskWords w{};
  uint32_t TaskPartTrials[kMaxParts] = {};
  uint32_t TaskParam[32] = {};

  // Virtual slots, in binding order.
  virtual QelResModule UseLibraryResources() = 0;                  // 0
  virtual bool IsLibraryLoaded() const = 0;                        // 1
  virtual int GetLibraryTaskWord() const = 0;                      // 2
  virtual int GetPartTableEntry(bool second, int n) const = 0;     // 3
  virtual int GetThirdPartTableEntry(bool flag, int n) const = 0;  // 4
  virtual uint32_t GetPartTrials(int n) const = 0;                 // 5
  virtual uint32_t GetCurrentPartTrials() const = 0;               // 6

 protected:
  IExpModelTask() = default;
  IExpModelTask(const IExpModelTask&) = default;
  IExpModelTask& operator=(const IExpModelTask&) = default;
  ~IExpModelTask() = default;
};

}  // namespace qel

// The data of the task being run or scored, as plug-ins see it: the fields
// in order and the 22 virtual statistics slots in their binding order. The
// main program's CTaskRunData implements it.
#pragma once

#include <cstdint>

#include "include/qel/DateTime.h"
#include "include/qel/ModelTask.h"
#include "include/qel/TaskTables.h"

namespace qel {

class IExpModelTask;

// Statistics of a group of values; every double starts at 9999.0.
struct QelStats {
  int32_t n = 0;
  double mean = kNoValue;
  double sd = kNoValue;
  double median = kNoValue;
  double logMean = kNoValue;
  double highQuarter = kNoValue;  // mean of the highest quarter
  double lowQuarter = kNoValue;   // mean of the lowest quarter
};

class ITaskRunData {
 public:
  uint32_t reserved0 = 0;
  uint8_t normTableSwitch = 0;  // set for practice runs: no norm trial count, no Z
  int32_t taskType = 0;         // the response type (QelResponseType, low 16 bits of TaskType)
  int32_t partCount = 0;
  int32_t category[kMaxParts][kMaxResponses];      // response category of the run engine
  int32_t reactionTime[kMaxParts][kMaxResponses];  // reaction time in ms
  int32_t responseCode[kMaxParts][kMaxResponses];
  int32_t taskCategory[kMaxParts][kMaxResponses];  // category after the plug-in's reclassification
  int32_t resultWord = 0;                          // 1 after the base ComputeVariables; series: completed series
  int32_t variableCount = 0;
  QelDateTime testDate;  // date of the assessment
  int32_t scoreVariableCount = 0;
  int32_t scoreItemCount = 0;
  const char* const* scoreItemNames = nullptr;
  const TaskVariableDef* scoreVariables = nullptr;
  double values[kMaxVariables];        // 9999.0 = no value
  uint32_t attributes[kMaxVariables];  // flags of the variable, kVarValid = value is valid
  const QelTesteeRecord* testee = nullptr;

  // Virtual slots, in binding order. Group operations return the index
  // after the group they wrote. Lists of variable indexes are count-first.
  virtual void SetValue(int index, double value, bool valid) = 0;          // 0
  virtual bool GetValue(int index, double* out) const = 0;                 // 1
  virtual int CountCode(const int32_t* array, int n, int code) const = 0;  // 2
  virtual int ComputeStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                           int selector) const = 0;  // 3
  virtual int ComputeExtendedStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                                   int selector) const = 0;                                                         // 4
  virtual int CombineValues(int index, const int32_t* indexList, bool mean) = 0;                                    // 5
  virtual int CombinePair(int index, int a, int b, bool mean) = 0;                                                  // 6
  virtual int StoreExtendedStats(const int32_t* codes, const int32_t* values, int n, int selector, int index) = 0;  // 7
  virtual int StoreCountMeanZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                              QelNormGetter z, int normTrials) = 0;  // 8
  virtual int StoreExtendedStatsZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                                  QelStats* record, QelNormGetter z,
                                  int normTrials) = 0;  // 9
  virtual int ComputeValueWithZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                                QelNormGetter zMean, int normTrials,
                                QelNormGetter zSd) = 0;  // 10
  virtual int ComputeExtendedForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                      const QelCodeList* list, int normTrials) = 0;  // 11
  virtual int ComputeForCodes(int index, const int32_t* codes, const int32_t* values, int n, const QelCodeList* list,
                              int normTrials) = 0;  // 12
  virtual int StoreCountMeanForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                     const QelCodeList* list) = 0;  // 13
  virtual int StoreCountMeanSdForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                       const QelCodeList* list) = 0;  // 14
  virtual int ComputePartExtended(const IExpModelTask* task, int index, int part,
                                  const QelCodeList* list) = 0;  // 15
  virtual int ComputePartExtendedNoCount(const IExpModelTask* task, int index, int part,
                                         const QelCodeList* list) = 0;  // 16
  virtual int ComputePartCountMeanZ(const IExpModelTask* task, int index, int part,
                                    const QelCodeList* list) = 0;  // 17
  virtual int ComputePartCountMean(const IExpModelTask* task, int index, int part,
                                   const QelCodeList* list) = 0;                      // 18
  virtual int CountPartOutcomes(const IExpModelTask* task, int index, int part) = 0;  // 19
  virtual int ComputePart(const IExpModelTask* task, int index, int part, const QelCodeList* list1,
                          const QelCodeList* list2) = 0;  // 20
  virtual int ComputeForParts(const IExpModelTask* task, const QelCodeList* list1,
                              const QelCodeList* list2) = 0;  // 21

  // Age of the testee at the test date; false (and 0.0) without a testee.
  bool GetTesteeAge(double* out) const {
    *out = 0.0;
    if (!testee) return false;
    return QelAgeInYears(testee->birthDate, testDate, out);
  }

 protected:
  ITaskRunData() = default;
  ~ITaskRunData() = default;
};

}  // namespace qel

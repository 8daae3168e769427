// The data of the task being run or scored: the trial arrays of up to 16
// parts, the task's variables (1500 values with a valid bit each) and the
// statistics toolkit that the plug-ins' variable computations chain. Each
// group operation writes a fixed run of consecutive variables and returns
// the index after it; a group that does not fit writes nothing and returns
// the index unchanged. The program keeps one object for its whole life.
#pragma once

#include "include/qel/TaskRunDataInterface.h"

namespace qel {

class CTaskRunData : public ITaskRunData {
 public:
  CTaskRunData();
  virtual ~CTaskRunData() = default;
  CTaskRunData(const CTaskRunData&) = delete;
  CTaskRunData& operator=(const CTaskRunData&) = delete;

  void SetValue(int index, double value, bool valid) override;          // 0
  bool GetValue(int index, double* out) const override;                 // 1
  int CountCode(const int32_t* array, int n, int code) const override;  // 2
  int ComputeStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                   int selector) const override;  // 3
  int ComputeExtendedStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                           int selector) const override;                       // 4
  int CombineValues(int index, const int32_t* indexList, bool mean) override;  // 5
  int CombinePair(int index, int a, int b, bool mean) override;                // 6
  int StoreExtendedStats(const int32_t* codes, const int32_t* values, int n, int selector,
                         int index) override;  // 7
  int StoreCountMeanZ(const int32_t* codes, const int32_t* values, int n, int selector, int index, QelNormGetter z,
                      int normTrials) override;  // 8
  int StoreExtendedStatsZ(const int32_t* codes, const int32_t* values, int n, int selector, int index, QelStats* record,
                          QelNormGetter z,
                          int normTrials) override;  // 9
  int ComputeValueWithZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                        QelNormGetter zMean, int normTrials,
                        QelNormGetter zSd) override;  // 10
  int ComputeExtendedForCodes(int index, const int32_t* codes, const int32_t* values, int n, const QelCodeList* list,
                              int normTrials) override;  // 11
  int ComputeForCodes(int index, const int32_t* codes, const int32_t* values, int n, const QelCodeList* list,
                      int normTrials) override;  // 12
  int StoreCountMeanForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                             const QelCodeList* list) override;  // 13
  int StoreCountMeanSdForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                               const QelCodeList* list) override;  // 14
  int ComputePartExtended(const IExpModelTask* task, int index, int part,
                          const QelCodeList* list) override;  // 15
  int ComputePartExtendedNoCount(const IExpModelTask* task, int index, int part,
                                 const QelCodeList* list) override;  // 16
  int ComputePartCountMeanZ(const IExpModelTask* task, int index, int part,
                            const QelCodeList* list) override;  // 17
  int ComputePartCountMean(const IExpModelTask* task, int index, int part,
                           const QelCodeList* list) override;                      // 18
  int CountPartOutcomes(const IExpModelTask* task, int index, int part) override;  // 19
  int ComputePart(const IExpModelTask* task, int index, int part, const QelCodeList* list1,
                  const QelCodeList* list2) override;  // 20
  int ComputeForParts(const IExpModelTask* task, const QelCodeList* list1,
                      const QelCodeList* list2) override;  // 21

  // The four trial arrays of a part to 0 (parts 0-15).
  void ClearPart(int part);
  // Every value 9999.0 (no value), every attribute 0.
  void ClearValues();
  // Task type, part count and variable tables from the task and its bound
  // plug-in; the values cleared; each variable's attribute = its row's flags.
  void SetTask(const IExpModelTask* task);

 private:
  // The Z-score of one statistic over the first normTrials trials, stored at
  // index (valid only when the norm getter answers).
  enum class ZStatistic { kCount, kMean, kSd };
  void StoreZ(int index, const int32_t* codes, const int32_t* values, int n, int selector, QelNormGetter z,
              int normTrials, ZStatistic statistic);
  // Trials stored for a part of the task, bounded by the arrays; -1 for no such part.
  int PartTrials(const IExpModelTask* task, int part) const;
  int NormTrials(const IExpModelTask* task, int part) const;
};

// Age in years at the test date (whole days / 365.25); false with 0.0 when
// a date is not valid or the test date is not after the birth date.
bool AgeInYears(const QelDateTime& birthDate, const QelDateTime& testDate, double* out);

}  // namespace qel

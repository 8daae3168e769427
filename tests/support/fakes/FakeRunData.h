// Run data for tests: only the fields; the statistics slots are not used
// by the framework and answer nothing.
#pragma once

#include "include/qel/TaskRunDataInterface.h"

namespace qel {

class FakeRunData final : public ITaskRunData {
 public:
  void SetValue(int, double, bool) override {}
  bool GetValue(int, double*) const override { return false; }
  int CountCode(const int32_t*, int, int) const override { return 0; }
  int ComputeStats(QelStats*, const int32_t*, const int32_t*, int, int) const override { return 0; }
  int ComputeExtendedStats(QelStats*, const int32_t*, const int32_t*, int, int) const override { return 0; }
  int CombineValues(int index, const int32_t*, bool) override { return index; }
  int CombinePair(int index, int, int, bool) override { return index; }
  int StoreExtendedStats(const int32_t*, const int32_t*, int, int, int index) override { return index; }
  int StoreCountMeanZ(const int32_t*, const int32_t*, int, int, int index, QelNormGetter, int) override {
    return index;
  }
  int StoreExtendedStatsZ(const int32_t*, const int32_t*, int, int, int index, QelStats*, QelNormGetter, int) override {
    return index;
  }
  int ComputeValueWithZ(const int32_t*, const int32_t*, int, int, int index, QelNormGetter, int,
                        QelNormGetter) override {
    return index;
  }
  int ComputeExtendedForCodes(int index, const int32_t*, const int32_t*, int, const QelCodeList*, int) override {
    return index;
  }
  int ComputeForCodes(int index, const int32_t*, const int32_t*, int, const QelCodeList*, int) override {
    return index;
  }
  int StoreCountMeanForCodes(int index, const int32_t*, const int32_t*, int, const QelCodeList*) override {
    return index;
  }
  int StoreCountMeanSdForCodes(int index, const int32_t*, const int32_t*, int, const QelCodeList*) override {
    return index;
  }
  int ComputePartExtended(const IExpModelTask*, int index, int, const QelCodeList*) override { return index; }
  int ComputePartExtendedNoCount(const IExpModelTask*, int index, int, const QelCodeList*) override { return index; }
  int ComputePartCountMeanZ(const IExpModelTask*, int index, int, const QelCodeList*) override { return index; }
  int ComputePartCountMean(const IExpModelTask*, int index, int, const QelCodeList*) override { return index; }
  int CountPartOutcomes(const IExpModelTask*, int index, int) override { return index; }
  int ComputePart(const IExpModelTask*, int index, int, const QelCodeList*, const QelCodeList*) override {
    return index;
  }
  int ComputeForParts(const IExpModelTask*, const QelCodeList*, const QelCodeList*) override { return 0; }
};

}  // namespace qel

#include "app/rundata/TaskRunData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

// Group sizes of the operations that write runs of variables.
constexpr int kExtendedGroup = 7;                       // n, mean, SD, median, log mean, quarters
constexpr int kCountMeanZGroup = 3;                     // n, mean, Z of n
constexpr int kExtendedZGroup = kExtendedGroup + 1;     // + Z of the mean
constexpr int kExtendedZSdGroup = kExtendedZGroup + 1;  // + Z of the SD

// The first index from which a group of size variables still fits.
bool GroupFits(int index, int size) { return index >= 0 && index <= kMaxVariables - 1 - size; }

int BoundedCount(int n) { return std::min(n, kMaxResponses); }

int CodeCount(const QelCodeList* list) { return std::clamp<int>(list->count, 0, 40); }

// The selected values: all of the first n, or those whose code equals the selector.
std::vector<int32_t> Select(const int32_t* codes, const int32_t* values, int n, int selector) {
  std::vector<int32_t> selected;
  if (!values || n <= 0) return selected;
  n = BoundedCount(n);
  selected.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    if (!codes || codes[i] == selector) selected.push_back(values[i]);
  }
  return selected;
}

// n, mean and the sample SD over all selected values (negative ones included).
void BasicStats(const std::vector<int32_t>& x, QelStats* r) {
  const int n = static_cast<int>(x.size());
  r->n = n;
  if (n < 1) return;
  double sum = 0.0;
  for (int32_t v : x) sum += v;
  r->mean = sum / n;
  if (n < 2) return;
  double squares = 0.0;
  for (int32_t v : x) squares += (v - r->mean) * (v - r->mean);
  r->sd = std::sqrt(squares / (n - 1));
}

// Median, log mean and quarter means.
void ExtendedStats(std::vector<int32_t> x, QelStats* r) {
  const int n = static_cast<int>(x.size());
  // The log mean over the values that have a logarithm, divided by their count.
  double logSum = 0.0;
  int positive = 0;
  for (int32_t v : x) {
    if (v > 0) {
      logSum += std::log(static_cast<double>(v));
      ++positive;
    }
  }
  if (positive > 0) r->logMean = logSum / positive;
  if (n < 2) return;
  std::sort(x.begin(), x.end());  // as signed numbers
  r->median = x[static_cast<size_t>(n / 2)];
  if (n < 4) return;
  const int k = n / 4;
  double low = 0.0, high = 0.0;
  for (int i = 0; i < k; ++i) {
    low += x[static_cast<size_t>(i)];
    high += x[static_cast<size_t>(n - 1 - i)];
  }
  r->lowQuarter = low / k;
  r->highQuarter = high / k;
}

// One group per code of the list, each from the index the previous one
// returned; stops at a negative index. Without values every group is only
// skipped, so the chain keeps its layout. No list: -1.
template <typename StoreGroup>
int ForEachCode(int index, int n, const int32_t* values, const QelCodeList* list, int groupSize, StoreGroup store) {
  if (!list) return -1;
  const int count = CodeCount(list);
  for (int k = 0; k < count && index >= 0; ++k) {
    index = (n < 1 || !values) ? index + groupSize : store(index, k);
  }
  return index;
}

// n and mean (and the SD when asked) of each code of the list; the index
// moves one group per code also where a group does not fit.
int StoreCountMeanGroups(CTaskRunData& data, int index, const int32_t* codes, const int32_t* values, int n,
                         const QelCodeList* list, bool withSd) {
  if (!list || !values || index < 0) return index;
  const int size = withSd ? 3 : 2;
  const int count = CodeCount(list);
  for (int k = 0; k < count; ++k, index += size) {
    if (!GroupFits(index, size)) continue;
    QelStats r;
    if (data.ComputeStats(&r, codes, values, n, list->codes[k]) >= 0) {
      data.SetValue(index, r.n, true);
      data.SetValue(index + 1, r.mean, true);
      if (withSd) data.SetValue(index + 2, r.sd, true);
    }
  }
  return index;
}

}  // namespace

bool AgeInYears(const QelDateTime& birthDate, const QelDateTime& testDate, double* out) {
  return QelAgeInYears(birthDate, testDate, out);
}

CTaskRunData::CTaskRunData() {
  testDate = QelDateTime::Null();
  // The trial arrays are cleared part by part when a run uses them; the
  // values start as "no value" so nothing stale ever reads as valid.
  ClearValues();
}

// ---- single values ---------------------------------------------------------

void CTaskRunData::SetValue(int index, double value, bool valid) {
  if (index < 0 || index >= kMaxVariables) return;
  if (valid) {
    attributes[index] |= kVarValid;
    values[index] = value;
  } else {
    attributes[index] &= ~kVarValid;
    values[index] = kNoValue;
  }
}

bool CTaskRunData::GetValue(int index, double* out) const {
  *out = kNoValue;
  if (index >= 0 && index < kMaxVariables && (attributes[index] & kVarValid)) *out = values[index];
  return *out != kNoValue;
}

int CTaskRunData::CountCode(const int32_t* array, int n, int code) const {
  if (!array) return 0;
  n = BoundedCount(n);
  int count = 0;
  for (int i = 0; i < n; ++i) {
    if (array[i] == code) ++count;
  }
  return count;
}

// ---- statistics ------------------------------------------------------------

int CTaskRunData::ComputeStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                               int selector) const {
  QelStats local;
  QelStats* r = record ? record : &local;
  *r = QelStats{};
  if (n < 0) return -1;
  BasicStats(Select(codes, values, n, selector), r);
  return r->n;
}

int CTaskRunData::ComputeExtendedStats(QelStats* record, const int32_t* codes, const int32_t* values, int n,
                                       int selector) const {
  QelStats local;
  QelStats* r = record ? record : &local;
  *r = QelStats{};
  if (n < 0) return -1;
  std::vector<int32_t> x = Select(codes, values, n, selector);
  BasicStats(x, r);
  ExtendedStats(std::move(x), r);
  return r->n;
}

int CTaskRunData::CombineValues(int index, const int32_t* indexList, bool mean) {
  if (index < 0 || index >= kMaxVariables - 1) return index;
  double sum = 0.0;
  int valid = 0;
  const int count = indexList ? std::clamp<int>(indexList[0], 0, kMaxVariables) : 0;
  for (int k = 1; k <= count; ++k) {
    double v;
    if (GetValue(indexList[k], &v)) {
      sum += v;
      ++valid;
    }
  }
  if (valid > 0) SetValue(index, mean ? sum / valid : sum, true);
  else SetValue(index, kNoValue, false);
  return index + 1;
}

int CTaskRunData::CombinePair(int index, int a, int b, bool mean) {
  if (index < 0 || index >= kMaxVariables - 1) return index;
  double va, vb;
  if (GetValue(a, &va) && GetValue(b, &vb)) {
    const double sum = va + vb;
    SetValue(index, mean ? sum / 2.0 : sum, true);
  } else {
    SetValue(index, kNoValue, false);
  }
  return index + 1;
}

int CTaskRunData::StoreExtendedStats(const int32_t* codes, const int32_t* values, int n, int selector, int index) {
  if (!GroupFits(index, kExtendedGroup)) return index;
  QelStats r;
  if (ComputeExtendedStats(&r, codes, values, n, selector) >= 0) {
    const double stats[kExtendedGroup] = {
        static_cast<double>(r.n), r.mean, r.sd, r.median, r.logMean, r.highQuarter, r.lowQuarter};
    for (int k = 0; k < kExtendedGroup; ++k) SetValue(index + k, stats[k], true);
  }
  return index + kExtendedGroup;
}

void CTaskRunData::StoreZ(int index, const int32_t* codes, const int32_t* values, int n, int selector, QelNormGetter z,
                          int normTrials, ZStatistic statistic) {
  SetValue(index, kNoValue, false);
  if (!z || !testee || normTrials > n) return;
  // The norms rest on the first normTrials trials only; -1 (none) fails here.
  QelStats r;
  if (ComputeStats(&r, codes, values, normTrials, selector) < 0) return;
  double age;
  if (!GetTesteeAge(&age)) return;
  const double value = statistic == ZStatistic::kCount  ? static_cast<double>(r.n)
                       : statistic == ZStatistic::kMean ? r.mean
                                                        : r.sd;
  if (value == kNoValue) return;  // no statistic, no Z
  double out = kNoValue;
  const bool ok = z(&out, value, age, kNormZScore);
  SetValue(index, out, ok);
}

int CTaskRunData::StoreCountMeanZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                                  QelNormGetter z, int normTrials) {
  if (!GroupFits(index, kCountMeanZGroup)) return index;
  QelStats r;
  if (ComputeStats(&r, codes, values, n, selector) >= 0) {
    SetValue(index, r.n, true);
    SetValue(index + 1, r.mean, true);
    StoreZ(index + 2, codes, values, n, selector, z, normTrials, ZStatistic::kCount);
  }
  return index + kCountMeanZGroup;
}

int CTaskRunData::StoreExtendedStatsZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                                      QelStats* record, QelNormGetter z, int normTrials) {
  if (!GroupFits(index, kExtendedZGroup)) return index;
  if (record) ComputeExtendedStats(record, codes, values, n, selector);
  const int next = StoreExtendedStats(codes, values, n, selector, index);
  StoreZ(next, codes, values, n, selector, z, normTrials, ZStatistic::kMean);
  return next + 1;
}

int CTaskRunData::ComputeValueWithZ(const int32_t* codes, const int32_t* values, int n, int selector, int index,
                                    QelNormGetter zMean, int normTrials, QelNormGetter zSd) {
  if (!GroupFits(index, kExtendedZSdGroup)) return index;
  const int next = StoreExtendedStatsZ(codes, values, n, selector, index, nullptr, zMean, normTrials);
  StoreZ(next, codes, values, n, selector, zSd, normTrials, ZStatistic::kSd);
  return next + 1;
}

// ---- per-code groups -------------------------------------------------------

int CTaskRunData::ComputeExtendedForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                          const QelCodeList* list, int normTrials) {
  return ForEachCode(index, n, values, list, kExtendedZGroup, [&](int at, int k) {
    return StoreExtendedStatsZ(codes, values, n, list->codes[k], at, nullptr, list->getters[k], normTrials);
  });
}

int CTaskRunData::ComputeForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                  const QelCodeList* list, int normTrials) {
  return ForEachCode(index, n, values, list, kCountMeanZGroup, [&](int at, int k) {
    return StoreCountMeanZ(codes, values, n, list->codes[k], at, list->getters[k], normTrials);
  });
}

int CTaskRunData::StoreCountMeanForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                         const QelCodeList* list) {
  return StoreCountMeanGroups(*this, index, codes, values, n, list, false);
}

int CTaskRunData::StoreCountMeanSdForCodes(int index, const int32_t* codes, const int32_t* values, int n,
                                           const QelCodeList* list) {
  return StoreCountMeanGroups(*this, index, codes, values, n, list, true);
}

// ---- per-part groups -------------------------------------------------------

int CTaskRunData::PartTrials(const IExpModelTask* task, int part) const {
  if (!task || part < 0 || part >= kMaxParts) return -1;
  return static_cast<int>(std::min<uint32_t>(task->trialCounts[part], kMaxResponses));
}

int CTaskRunData::NormTrials(const IExpModelTask* task, int part) const {
  return task->GetThirdPartTableEntry(normTableSwitch != 0, part + 1);
}

int CTaskRunData::ComputePartExtended(const IExpModelTask* task, int index, int part, const QelCodeList* list) {
  const int n = PartTrials(task, part);
  if (n < 0 || index < 0) return index;
  // The count keeps its place when the part has no trials, so the variables
  // after it stay where the task's table expects them.
  if (n > 0) SetValue(index, n, true);
  return ComputeExtendedForCodes(index + 1, taskCategory[part], reactionTime[part], n, list, NormTrials(task, part));
}

int CTaskRunData::ComputePartExtendedNoCount(const IExpModelTask* task, int index, int part, const QelCodeList* list) {
  const int n = PartTrials(task, part);
  if (n < 0 || index < 0) return index;
  return ComputeExtendedForCodes(index, taskCategory[part], reactionTime[part], n, list, NormTrials(task, part));
}

int CTaskRunData::ComputePartCountMeanZ(const IExpModelTask* task, int index, int part, const QelCodeList* list) {
  const int n = PartTrials(task, part);
  if (n < 0 || index < 0) return index;
  return ComputeForCodes(index, taskCategory[part], reactionTime[part], n, list, NormTrials(task, part));
}

int CTaskRunData::ComputePartCountMean(const IExpModelTask* task, int index, int part, const QelCodeList* list) {
  const int n = PartTrials(task, part);
  if (n < 0 || index < 0) return index;
  return StoreCountMeanForCodes(index, taskCategory[part], reactionTime[part], n, list);
}

int CTaskRunData::CountPartOutcomes(const IExpModelTask* task, int index, int part) {
  const int n = PartTrials(task, part);
  if (n < 0 || !GroupFits(index, 3)) return index;
  if (n == 0) {
    for (int k = 0; k < 3; ++k) SetValue(index + k, kNoValue, false);
    return index + 3;
  }
  const bool omissionsCount =
      ResponseTypeOf(taskType) == kResponseTwoChoice || (task->w.TaskFlags & kTaskFlagCountOmissions);
  SetValue(index, CountCode(category[part], n, kCatOmission), omissionsCount);
  SetValue(index + 1, CountCode(category[part], n, kCatAnticipation), true);
  SetValue(index + 2, CountCode(category[part], n, kCatSkipped), true);
  return index + 3;
}

int CTaskRunData::ComputePart(const IExpModelTask* task, int index, int part, const QelCodeList* list1,
                              const QelCodeList* list2) {
  index = ComputePartExtended(task, index, part, list1);
  if (index < 0) return index;
  index = ComputePartCountMeanZ(task, index, part, list2);
  if (index < 0) return index;
  return CountPartOutcomes(task, index, part);
}

int CTaskRunData::ComputeForParts(const IExpModelTask* task, const QelCodeList* list1, const QelCodeList* list2) {
  int index = 0;
  const int parts = std::clamp<int>(partCount, 0, kMaxParts);
  for (int p = 0; p < parts && index >= 0; ++p) index = ComputePart(task, index, p, list1, list2);
  return index;
}

// ---- set-up ----------------------------------------------------------------

void CTaskRunData::ClearPart(int part) {
  if (part < 0 || part >= kMaxParts) return;
  std::memset(category[part], 0, sizeof category[part]);
  std::memset(reactionTime[part], 0, sizeof reactionTime[part]);
  std::memset(responseCode[part], 0, sizeof responseCode[part]);
  std::memset(taskCategory[part], 0, sizeof taskCategory[part]);
}

void CTaskRunData::ClearValues() {
  std::fill(std::begin(values), std::end(values), kNoValue);
  std::fill(std::begin(attributes), std::end(attributes), 0u);
}

void CTaskRunData::SetTask(const IExpModelTask* task) {
  const ITaskLibrary* lib = task ? task->library : nullptr;
  taskType = task ? static_cast<int32_t>(ResponseTypeOf(task->w.TaskType)) : 0;
  partCount = lib ? std::clamp<int32_t>(lib->partCount, 0, kMaxParts) : 0;
  scoreVariableCount = lib ? static_cast<int32_t>(std::min<uint32_t>(lib->scoreVariableCount, INT32_MAX)) : 0;
  scoreVariables = lib ? lib->scoreVariables : nullptr;
  scoreItemCount = lib && lib->captions ? std::max<int32_t>(lib->captionCount, 0) : 0;
  scoreItemNames = lib ? lib->captions : nullptr;
  ClearValues();
  if (!scoreVariables) return;
  const int rows = std::min(scoreVariableCount, kMaxVariables);
  // The valid bit belongs to the value, never to the row's description.
  for (int i = 0; i < rows; ++i) attributes[i] = scoreVariables[i].flags & ~kVarValid;
}

}  // namespace qel

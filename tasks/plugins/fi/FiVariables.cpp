#include "tasks/plugins/fi/FiVariables.h"

#include <algorithm>

#include "tasks/layers/choice/ChoiceVariables.h"
#include "tasks/layers/choice/PairScoring.h"

namespace qel {

namespace fi {

#define FI_FULL(cat, what, type) CHOICE_FULL(cat, what, nullptr, type, "", "", 1, "_fi")
#define FI_SHORT(cat, what, type) CHOICE_SHORT(cat, what, nullptr, type, "", "", 1, "_fi")

constexpr TaskVariableDef kVariables[] = {
    CHOICE_HEAD("", "", 1, "_fi"),
    FI_FULL("hs", "hits similar", choice::kTypeCorrect),
    FI_FULL("hd", "hits dissimilar", choice::kTypeCorrect),
    FI_FULL("cs", "correct rejections similar", choice::kTypeCorrectRejection),
    FI_FULL("cd", "correct rejections dissimilar", choice::kTypeCorrectRejection),
    CHOICE_MEAN_PAIR("s", "responses similar", nullptr, choice::kTypeCorrect, "", "", 1, "_fi"),
    CHOICE_MEAN_PAIR("d", "responses dissimilar", nullptr, choice::kTypeCorrect, "", "", 1, "_fi"),
    FI_SHORT("ms", "misses similar", choice::kTypeError),
    FI_SHORT("md", "misses dissimilar", choice::kTypeError),
    FI_SHORT("fs", "false alarms similar", choice::kTypeFalseAlarm),
    FI_SHORT("fd", "false alarms dissimilar", choice::kTypeFalseAlarm),
    CHOICE_SUM_PAIR("es", "errors similar", nullptr, choice::kTypeError, "", "", 1, "_fi"),
    CHOICE_SUM_PAIR("ed", "errors dissimilar", nullptr, choice::kTypeError, "", "", 1, "_fi"),
    CHOICE_TAIL("", "", 1, "_fi"),
};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount);

constexpr TaskNormVariable kNormVariables[] = {
    CHOICE_NORM_RT(kVariables, "hs", "", "_fi"),
    CHOICE_NORM_RT(kVariables, "hd", "", "_fi"),
    CHOICE_NORM_RT(kVariables, "cs", "", "_fi"),
    CHOICE_NORM_RT(kVariables, "cd", "", "_fi"),
    CHOICE_NORM_MEAN_PAIR(kVariables, "s", "hs", "cs", "", "_fi"),
    CHOICE_NORM_MEAN_PAIR(kVariables, "d", "hd", "cd", "", "_fi"),
    CHOICE_NORM_N(kVariables, "ms", "", "_fi"),
    CHOICE_NORM_N(kVariables, "md", "", "_fi"),
    CHOICE_NORM_N(kVariables, "fs", "", "_fi"),
    CHOICE_NORM_N(kVariables, "fd", "", "_fi"),
    CHOICE_NORM_SUM_PAIR(kVariables, "es", "ms", "fs", "", "_fi"),
    CHOICE_NORM_SUM_PAIR(kVariables, "ed", "md", "fd", "", "_fi"),
};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount);
static_assert(choice::NormRowsFollowZRows(kVariables, kNormVariables), "a norm row for every Z row, in order");

#define FI_GETTER(code) NormGetter(kNormVariables, code)

// Sub-categories: hits similar / dissimilar 10 / 11, correct rejections
// 12 / 13, false alarms 14 / 15, misses 16 / 17.
constexpr QelCodeList kHits = {2, {10, 11}, {FI_GETTER("Zhs_fi"), FI_GETTER("Zhd_fi")}};
constexpr QelCodeList kRejections = {2, {12, 13}, {FI_GETTER("Zcs_fi"), FI_GETTER("Zcd_fi")}};
constexpr QelCodeList kMisses = {2, {16, 17}, {FI_GETTER("Zms_fi"), FI_GETTER("Zmd_fi")}};
constexpr QelCodeList kFalseAlarms = {2, {14, 15}, {FI_GETTER("Zfs_fi"), FI_GETTER("Zfd_fi")}};

#define FI_ROW(code) RowOf(kVariables, code)

// Rows that combine two rows: the similar and the dissimilar displays'
// mean RTs (hits and correct rejections) with their Z, then their errors
// (misses and false alarms) with their Z.
struct Combination {
  int32_t a;
  int32_t b;
  bool mean;
};
constexpr Combination kResponses[] = {{FI_ROW("Ths_fi"), FI_ROW("Tcs_fi"), true},
                                      {FI_ROW("Zhs_fi"), FI_ROW("Zcs_fi"), true},
                                      {FI_ROW("Thd_fi"), FI_ROW("Tcd_fi"), true},
                                      {FI_ROW("Zhd_fi"), FI_ROW("Zcd_fi"), true}};
constexpr Combination kErrors[] = {{FI_ROW("Nms_fi"), FI_ROW("Nfs_fi"), false},
                                   {FI_ROW("Zms_fi"), FI_ROW("Zfs_fi"), true},
                                   {FI_ROW("Nmd_fi"), FI_ROW("Nfd_fi"), false},
                                   {FI_ROW("Zmd_fi"), FI_ROW("Zfd_fi"), true}};

template <size_t N>
int32_t Combine(ITaskRunData& runData, int32_t index, const Combination (&rows)[N]) {
  for (const Combination& c : rows) index = runData.CombinePair(index, c.a, c.b, c.mean);
  return index;
}

int32_t ComputeVariables(ITaskRunData& runData, const IExpModelTask& context, int32_t index) {
  constexpr int kPart = 0;
  const int32_t stored = static_cast<int32_t>(std::min<uint32_t>(context.trialCounts[kPart], kMaxResponses));
  index = choice::StorePartTotal(runData, index, stored);
  index = runData.ComputePartExtendedNoCount(&context, index, kPart, &kHits);
  if (index >= 0) index = runData.ComputePartExtendedNoCount(&context, index, kPart, &kRejections);
  if (index < 0) return index;
  index = Combine(runData, index, kResponses);
  index = runData.ComputePartCountMeanZ(&context, index, kPart, &kMisses);
  if (index >= 0) index = runData.ComputePartCountMeanZ(&context, index, kPart, &kFalseAlarms);
  if (index < 0) return index;
  index = Combine(runData, index, kErrors);
  return runData.CountPartOutcomes(&context, index, kPart);
}

#undef FI_FULL
#undef FI_SHORT
#undef FI_GETTER
#undef FI_ROW

}  // namespace fi

}  // namespace qel
